#include <Quorvel/TestSupport/ModalAnswerer.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>

namespace Quorvel::TestSupport {

ModalAnswerer::ModalAnswerer(QMessageBox::StandardButton answer, QObject* parent)
    : QObject(parent), m_answer(answer) {
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::Poll);
    m_timer.start(10);
}

void ModalAnswerer::Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) {
        return;
    }
    m_timer.stop();
    m_answered = true;
    m_title = box->windowTitle();
    m_text = box->text();
    m_icon = box->icon();
    if (m_tick && box->checkBox()) {
        box->checkBox()->click();
    }
    if (QAbstractButton* button = box->button(m_answer)) {
        button->click();
    } else {
        box->reject();
    }
}

}  // namespace Quorvel::TestSupport
