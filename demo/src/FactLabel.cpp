#include "FactLabel.h"

#include <QEvent>
#include <QTextLayout>

FactLabel::FactLabel(int lines, Qt::TextElideMode elide, QWidget* parent)
    : QLabel(parent), m_lines(lines), m_elide(elide) {}

void FactLabel::SetFact(const QString& fact, const QString& toolTip) {
    m_fact = QString(fact).replace(QLatin1Char('\n'), QLatin1Char(' '));
    m_toolTip = toolTip;
    Fit();
}

// As narrow as a few characters: the layout decides the width, the fact fits itself to it.
QSize FactLabel::minimumSizeHint() const {
    return {fontMetrics().averageCharWidth() * 4, QLabel::minimumSizeHint().height()};
}

void FactLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Fit();
}

void FactLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        Fit();
    }
}

void FactLabel::Fit() {
    const int width = contentsRect().width() - 2 * margin();
    QTextLayout layout(m_fact, font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    bool elided = false;
    layout.beginLayout();
    for (int i = 0; i < m_lines; ++i) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) {
            break;
        }
        line.setLineWidth(width);
        if (i + 1 < m_lines) {
            lines << m_fact.mid(line.textStart(), line.textLength()).trimmed();
            continue;
        }
        const QString rest = m_fact.mid(line.textStart()).trimmed();
        lines << fontMetrics().elidedText(rest, m_elide, width);
        elided = lines.last() != rest;
    }
    layout.endLayout();
    setText(lines.join(QLatin1Char('\n')));
    setToolTip(elided ? m_fact : m_toolTip);
}
