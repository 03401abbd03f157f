#include "AccentColorButton.h"

#include <Quorvel/Util/TextConversion.h>

#include <QColorDialog>
#include <QEvent>
#include <QPainter>
#include <QPixmap>

AccentColorButton::AccentColorButton(
    std::shared_ptr<Quorvel::App::IApplicationSettingsManager> settings, QWidget* tinted,
    QWidget* parent)
    : QPushButton(parent), m_settings(settings), m_tinted(tinted), m_customColors(settings) {
    setObjectName("accentColorButton");
    connect(this, &QPushButton::clicked, this, &AccentColorButton::Choose);
    setText(tr("Accent colour…"));
    // Until the user picks one, the theme colours the title.
    const QColor stored(Quorvel::Util::Utf8ToQString(m_settings->GetString(Key, "")));
    if (stored.isValid()) {
        Apply(stored);
    }
}

void AccentColorButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        setText(tr("Accent colour…"));
    }
    QPushButton::changeEvent(event);
}

void AccentColorButton::Choose() {
    // Qt's own dialog: a platform's native one keeps custom colours of its own.
    const QColor initial = m_color.isValid() ? m_color : palette().color(QPalette::Highlight);
    const QColor chosen = QColorDialog::getColor(initial, window(), tr("Accent colour"),
                                                 QColorDialog::DontUseNativeDialog);
    if (chosen.isValid()) {
        m_settings->SetString(Key, Quorvel::Util::QStringToUtf8(chosen.name()));
        Apply(chosen);
    }
}

void AccentColorButton::Apply(const QColor& color) {
    m_color = color;
    QPixmap swatch(14, 14);
    swatch.fill(Qt::white);  // a rim, so that a colour like the button's own still shows
    QPainter(&swatch).fillRect(1, 1, 12, 12, color);
    setIcon(swatch);
    m_tinted->setStyleSheet(QString("QLabel#titleLabel { color: %1; }").arg(color.name()));
}
