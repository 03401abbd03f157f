#pragma once

#include <Quorvel/App/IApplicationSettingsManager.h>

#include <QMainWindow>
#include <QMenu>

#include <memory>

// The Settings menu of a main window: "Reset all confirmations" forgets every answer that a
// "Don't show this again" box remembered, so that each of them asks again.
class SettingsMenu : public QMenu {
    Q_OBJECT
public:
    SettingsMenu(std::shared_ptr<Quorvel::App::IApplicationSettingsManager> settings,
                 QMainWindow* window);

protected:
    void changeEvent(QEvent* event) override;

private:
    void Retranslate();

    std::shared_ptr<Quorvel::App::IApplicationSettingsManager> m_settings;
    QAction* m_resetConfirmations;
};
