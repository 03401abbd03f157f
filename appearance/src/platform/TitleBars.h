#pragma once

// Private to the appearance library; not installed.

#include <memory>

namespace Quorvel::App::Platform {

// The title bars of the product's top-level windows, windows shown later included, where
// the platform lets a program choose them (Windows); elsewhere nothing.
class TitleBars {
public:
    virtual ~TitleBars() = default;
    virtual void SetDark(bool dark) = 0;
};

std::unique_ptr<TitleBars> CreateTitleBars();

}  // namespace Quorvel::App::Platform
