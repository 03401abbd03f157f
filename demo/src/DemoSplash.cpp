#include "DemoSplash.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace {

QPixmap Paint(const QString& productName) {
    QPixmap pixmap(420, 220);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, 420, 220);
    gradient.setColorAt(0, QColor("#2f6fdf"));
    gradient.setColorAt(1, QColor("#1d2330"));
    painter.fillRect(pixmap.rect(), gradient);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPointSize(22);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(pixmap.rect().adjusted(24, 0, -24, -30), Qt::AlignLeft | Qt::AlignVCenter,
                     productName);
    return pixmap;
}

}  // namespace

DemoSplash::DemoSplash(const QString& productName)
    : m_screen(std::make_unique<QSplashScreen>(Paint(productName))) {}

DemoSplash::~DemoSplash() = default;

void DemoSplash::Show() {
    m_screen->show();
    m_screen->showMessage(QCoreApplication::translate("DemoSplash", "Starting…"),
                          Qt::AlignBottom | Qt::AlignLeft, Qt::white);
}

void DemoSplash::Dismiss() { m_screen->close(); }

bool DemoSplash::IsVisible() const { return m_screen->isVisible(); }
