#pragma once

#include <Quorvel/App/Application/Dialogs/ColorDialogHelper.h>
#include <Quorvel/App/IApplicationSettingsManager.h>

#include <QColor>
#include <QPushButton>

#include <memory>

// Shows the accent colour and lets the user pick another in the colour dialog; the colour tints
// the product's title. The choice and the dialog's custom colours are kept for the next run.
class AccentColorButton : public QPushButton {
    Q_OBJECT
public:
    static constexpr const char* Key = "Accent/Color";

    // `tinted` holds the title label ("titleLabel") and outlives the button.
    AccentColorButton(std::shared_ptr<Quorvel::App::IApplicationSettingsManager> settings,
                      QWidget* tinted, QWidget* parent);

protected:
    void changeEvent(QEvent* event) override;

private:
    void Choose();
    void Apply(const QColor& color);

    std::shared_ptr<Quorvel::App::IApplicationSettingsManager> m_settings;
    QWidget* m_tinted;
    QColor m_color;
    Quorvel::App::ColorDialogHelper m_customColors;  // loads now, saves with the button
};
