#pragma once

#include <QLabel>

// One fact of the main window, shown on at most `lines` lines of the width its layout gives it:
// broken at word boundaries (anywhere in a word longer than a line), the last line elided when
// the fact is longer (in the middle for a path, whose end names the file), and then the whole
// fact in its tooltip. A long fact therefore never widens the window, and never asks for more
// height than its lines, which the layout can give.
class FactLabel : public QLabel {
    Q_OBJECT
public:
    FactLabel(int lines, Qt::TextElideMode elide, QWidget* parent);

    // `toolTip` is shown while the whole fact fits.
    void SetFact(const QString& fact, const QString& toolTip = QString());
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Fit();

    int m_lines;
    Qt::TextElideMode m_elide;
    QString m_fact;
    QString m_toolTip;
};
