#include <Quorvel/Util/AlertBox.h>

#include <QAbstractButton>

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
    : QMessageBox(IconOf(level), title, text, buttons, parent, flags), m_level(level) {}

AlertBox::~AlertBox() = default;

QMessageBox::StandardButton AlertBox::Exec() {
    exec();
    return clickedButton() ? standardButton(clickedButton()) : QMessageBox::NoButton;
}

}  // namespace Quorvel::Util
