#include <Quorvel/App/EmailDialogCreator.h>

#include "internal/EmailDialog.h"

#include <QApplication>
#include <QThread>

#include <glog/logging.h>

namespace Quorvel::App {

std::unique_ptr<AbstractEmailDialog> EmailDialogCreator::Create(
    std::shared_ptr<ISettingsManager> settings, std::shared_ptr<ILinksManager> links,
    QWidget* parent) {
    const char* reason = nullptr;
    if (!settings || !links) {
        reason = "the mail settings or the links manager is missing";
    } else if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        reason = "widgets need a QApplication";
    } else if (QThread::currentThread() != QCoreApplication::instance()->thread()) {
        reason = "widgets belong to the GUI thread";
    }
    if (reason) {
        LOG(WARNING) << "Cannot make the e-mail dialog: " << reason;
        return nullptr;
    }
    return std::make_unique<Internal::EmailDialog>(std::move(settings), std::move(links), parent);
}

}  // namespace Quorvel::App
