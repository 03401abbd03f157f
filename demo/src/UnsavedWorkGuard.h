#pragma once

#include <Quorvel/App/Application/LifetimeObserver.h>

#include <functional>

class QWidget;

// Refuses a quit while there is unsaved work, unless the user agrees to discard it.
class UnsavedWorkGuard : public Quorvel::App::LifetimeObserver {
public:
    UnsavedWorkGuard(std::function<bool()> hasUnsavedWork, QWidget* parent);

    void onTryToQuit(const std::function<void()>& veto) override;

private:
    std::function<bool()> m_hasUnsavedWork;
    QWidget* m_parent;
};
