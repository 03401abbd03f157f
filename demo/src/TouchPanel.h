#pragma once

#include <QGroupBox>

class QLabel;
class QListWidget;
class QPlainTextEdit;

// A list and a long text that scroll with a finger: each has a Gesture::Scroller, and the
// window's touch input reaches them through a Gesture::TouchSource installed on `window`.
class TouchPanel : public QGroupBox {
    Q_OBJECT
public:
    TouchPanel(QWidget* window, QWidget* parent);

protected:
    void changeEvent(QEvent* event) override;

private:
    void Retranslate();

    QLabel* m_hint = nullptr;
    QListWidget* m_list = nullptr;
    QPlainTextEdit* m_text = nullptr;
};
