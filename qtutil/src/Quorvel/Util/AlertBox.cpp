#include <Quorvel/Util/AlertBox.h>

#include <QAbstractButton>
#include <QCloseEvent>

namespace Quorvel::Util {

namespace {

QMessageBox::Icon IconOf(AlertBox::Level level) {
    switch (level) {
        case AlertBox::Information:
            return QMessageBox::Information;
        case AlertBox::Warning:
            return QMessageBox::Warning;
        case AlertBox::Critical:
            return QMessageBox::Critical;
        case AlertBox::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

AlertBox::AlertBox(Level level, const QString& title, const QString& text,
                   QFlags<QMessageBox::StandardButton> buttons, QWidget* parent,
                   QFlags<Qt::WindowType> flags)
    : QMessageBox(IconOf(level), title, text, buttons, parent, flags), m_level(level) {
    connect(this, &QMessageBox::buttonClicked, this,
            [this](QAbstractButton* button) { m_clicked = button; });
}

AlertBox::~AlertBox() = default;

QMessageBox::StandardButton AlertBox::Exec() {
    m_clicked = nullptr;
    exec();
    return m_clicked ? standardButton(m_clicked) : QMessageBox::NoButton;
}

void AlertBox::closeEvent(QCloseEvent* event) {
    QMessageBox::closeEvent(event);
    // A box with an escape button lets the window's close button choose it, without the
    // buttonClicked signal.
    if (event->isAccepted()) {
        m_clicked = clickedButton();
    }
}

}  // namespace Quorvel::Util
