#include "HeadlessDialogAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include <glog/logging.h>

#include <iostream>

HeadlessDialogAnswerer::HeadlessDialogAnswerer(QString directory, QObject* parent)
    : QObject(parent), m_directory(std::move(directory)) {
    connect(&m_timer, &QTimer::timeout, this, &HeadlessDialogAnswerer::Poll);
    m_timer.start(50);  // timers still fire inside a modal dialog's own event loop
}

void HeadlessDialogAnswerer::Poll() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) {
        return;
    }
    auto* box = qobject_cast<QMessageBox*>(dialog);
    const QString name = box || dialog->objectName().isEmpty()
                             ? QString("message-box-%1").arg(++m_boxes)
                             : dialog->objectName();
    QDir().mkpath(m_directory);
    const QString picture = QDir(m_directory).filePath(name + ".png");
    if (dialog->grab().save(picture)) {
        m_pictures << picture;
    } else {
        LOG(ERROR) << "Could not save " << picture.toStdString();
    }
    if (!box) {
        LOG(INFO) << "Nobody at the screen: closed the dialog " << name.toStdString();
        dialog->reject();
        return;
    }
    std::cout << "Message box \"" << box->windowTitle().toStdString() << "\":\n"
              << box->text().toStdString() << std::endl;
    for (QAbstractButton* button : box->buttons()) {
        const auto role = box->buttonRole(button);
        if (role == QMessageBox::AcceptRole || role == QMessageBox::YesRole) {
            button->click();
            return;
        }
    }
    box->reject();
}
