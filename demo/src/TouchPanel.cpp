#include "TouchPanel.h"

#include <Quorvel/App/Application/Gesture/Scroller.h>
#include <Quorvel/App/Application/Gesture/TouchSource.h>

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using Quorvel::App::Gesture;

namespace {

constexpr int kListEntries = 60;
constexpr int kTextLines = 80;

}  // namespace

TouchPanel::TouchPanel(QWidget* window, QWidget* parent) : QGroupBox(parent) {
    auto* layout = new QVBoxLayout(this);
    m_hint = new QLabel(this);
    m_hint->setWordWrap(true);
    layout->addWidget(m_hint);
    auto* areas = new QHBoxLayout;
    m_list = new QListWidget(this);
    for (int i = 0; i < kListEntries; ++i) {
        m_list->addItem(QString());
    }
    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    // They take the height the window's other parts leave over.
    for (QWidget* area : {static_cast<QWidget*>(m_list), static_cast<QWidget*>(m_text)}) {
        area->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
        area->setMinimumHeight(120);
        areas->addWidget(area);
    }
    layout->addLayout(areas, 1);

    new Gesture::Scroller(m_list);
    new Gesture::Scroller(m_text);
    // On Windows the window's native gestures would reach the same scrollers through a
    // Gesture::Router; here touch events do.
    new Gesture::TouchSource(window);
    Retranslate();
}

void TouchPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        Retranslate();
    }
    QGroupBox::changeEvent(event);
}

void TouchPanel::Retranslate() {
    setTitle(tr("Touch scrolling"));
    m_hint->setText(tr("Drag the list or the text with a finger."));
    for (int i = 0; i < m_list->count(); ++i) {
        m_list->item(i)->setText(tr("Entry %1").arg(i + 1));
    }
    QStringList lines;
    for (int i = 1; i <= kTextLines; ++i) {
        lines << tr("Line %1 of a long text that follows the finger.").arg(i);
    }
    m_text->setPlainText(lines.join('\n'));
}
