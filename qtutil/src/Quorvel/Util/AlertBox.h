#pragma once

#include <Quorvel/QtUtilExport.h>

#include <QMessageBox>

class QAbstractButton;
class QCloseEvent;

namespace Quorvel::Util {

/// The family's message box: a level chooses the icon, and Exec() shows it modally.
class QUORVEL_QTUTIL_EXPORT AlertBox : public QMessageBox {
    Q_OBJECT
public:
    /// The icon and the system sound of the box.
    enum Level { Information = 0, Warning = 1, Critical = 2, Question = 3 };

    /// A box with `title`, `text` and `buttons`; `parent` (may be null) owns it.
    AlertBox(Level level, const QString& title, const QString& text,
             QFlags<QMessageBox::StandardButton> buttons, QWidget* parent,
             QFlags<Qt::WindowType> flags);
    ~AlertBox() override;

    /// The level given at construction.
    Level GetLevel() const { return m_level; }
    /// Shows the box modally; returns the button that closed it (NoButton when the box was
    /// closed another way, for example by Escape without a cancel button).
    virtual QMessageBox::StandardButton Exec();

protected:
    /// Closing the window counts as the escape button.
    void closeEvent(QCloseEvent* event) override;

private:
    Level m_level;
    /// QMessageBox never forgets its clicked button, so a second Exec() would report the
    /// first one's; this one is cleared by each Exec().
    QAbstractButton* m_clicked = nullptr;
};

}  // namespace Quorvel::Util
