#include "UnsavedWorkGuard.h"

#include <Quorvel/Util/AlertBox.h>

#include <QCoreApplication>

UnsavedWorkGuard::UnsavedWorkGuard(std::function<bool()> hasUnsavedWork, QWidget* parent)
    : m_hasUnsavedWork(std::move(hasUnsavedWork)), m_parent(parent) {}

void UnsavedWorkGuard::onTryToQuit(const std::function<void()>& veto) {
    if (!m_hasUnsavedWork()) {
        return;
    }
    Quorvel::Util::AlertBox box(
        Quorvel::Util::AlertBox::Warning,
        QCoreApplication::translate("UnsavedWorkGuard", "Unsaved notes"),
        QCoreApplication::translate("UnsavedWorkGuard",
                                    "Your notes have changes that are not saved.\n"
                                    "Quit anyway and lose them?"),
        QMessageBox::Discard | QMessageBox::Cancel, m_parent, Qt::Dialog);
    if (box.Exec() != QMessageBox::Discard) {
        veto();
    }
}
