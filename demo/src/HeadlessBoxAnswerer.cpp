#include "HeadlessBoxAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include <iostream>

HeadlessBoxAnswerer::HeadlessBoxAnswerer(QString directory, QObject* parent)
    : QObject(parent), m_directory(std::move(directory)) {
    connect(&m_timer, &QTimer::timeout, this, &HeadlessBoxAnswerer::Poll);
    m_timer.start(50);
}

void HeadlessBoxAnswerer::Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) {
        return;
    }
    ++m_answered;
    QDir().mkpath(m_directory);
    const QString picture =
        QDir(m_directory).filePath(QString("message-box-%1.png").arg(m_answered));
    if (box->grab().save(picture)) {
        m_pictures << picture;
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
