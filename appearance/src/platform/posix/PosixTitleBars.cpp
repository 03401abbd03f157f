#include "TitleBars.h"

namespace Quorvel::App::Platform {

namespace {

// The window manager draws the title bars here, after the desktop's own theme.
class PosixTitleBars : public TitleBars {
public:
    void SetDark(bool) override {}
};

}  // namespace

std::unique_ptr<TitleBars> CreateTitleBars() { return std::make_unique<PosixTitleBars>(); }

}  // namespace Quorvel::App::Platform
