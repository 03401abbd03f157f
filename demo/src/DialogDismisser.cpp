#include "DialogDismisser.h"

#include <QApplication>
#include <QDialog>
#include <QDir>

#include <glog/logging.h>

DialogDismisser::DialogDismisser(QString directory) : m_directory(std::move(directory)) {
    connect(&m_timer, &QTimer::timeout, this, &DialogDismisser::Poll);
    m_timer.start(50);  // timers still fire inside a modal dialog's own event loop
}

void DialogDismisser::Poll() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) {
        return;
    }
    QDir().mkpath(m_directory);
    const QString name = dialog->objectName().isEmpty() ? "dialog" : dialog->objectName();
    const QString picture = QDir(m_directory).filePath(name + ".png");
    if (dialog->grab().save(picture)) {
        m_pictures << picture;
    }
    LOG(INFO) << "Nobody at the screen: closed the dialog " << name.toStdString();
    dialog->reject();
}
