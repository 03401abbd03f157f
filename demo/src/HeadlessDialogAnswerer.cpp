#include "HeadlessDialogAnswerer.h"

#include "PictureFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include <glog/logging.h>

#include <iostream>

HeadlessDialogAnswerer::HeadlessDialogAnswerer(PictureFolder& pictures, QObject* parent)
    : QObject(parent), m_pictures(pictures) {
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
    m_pictures.Save(*dialog, name);
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
