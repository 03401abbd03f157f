#pragma once

#include <Quorvel/App/Application/Gesture/Emitter.h>
#include <Quorvel/ApplicationCoreExport.h>

#include <memory>

class QAbstractScrollArea;

namespace Quorvel::App {

/// Finger scrolling for a scroll area (list, tree, table, text or plain scroll area): attached
/// to the area as its child, it wants pans with every option and moves the area's scroll bars
/// with the finger. An item view scrolls pixel by pixel while the finger is down and gets its
/// own scroll modes back at the end of the pan; a bar that was at its end stays there.
class QUORVEL_APPLICATIONCORE_EXPORT Gesture::Scroller : public Gesture::Emitter {
    Q_OBJECT

public:
    /// Scrolls `area` (its parent, which owns it) by vertical and horizontal pans.
    explicit Scroller(QAbstractScrollArea* area);
    ~Scroller() override;

private slots:
    void scrollByPanning(const Quorvel::App::Gesture::Pan& pan);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
