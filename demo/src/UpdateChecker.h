#pragma once

#include <Quorvel/App/ICustomizationManager.h>
#include <Quorvel/App/ILinksManager.h>
#include <Quorvel/App/IProductSettingsManager.h>
#include <Quorvel/Networking/IHttpClient.h>

#include <QObject>

#include <memory>

class QAction;
class QLabel;
class QMainWindow;
class QMenu;

// The demo's update check, which the auto-update requester calls five seconds after start.
// It asks the address of "CHECK_FOR_UPDATES_URL" through the product's HTTP client, which
// answers {"version": "<the latest version>"}, and says in the status bar what came back: a
// newer version, none, or that the check failed (then also one ERROR in the log). Its menu
// entry "Check for updates automatically" keeps "autoUpdate" in the product settings.
class UpdateChecker : public QObject {
    Q_OBJECT
public:
    UpdateChecker(QMainWindow& window, QMenu* menu,
                  std::shared_ptr<Quorvel::Networking::IHttpClient> client,
                  std::shared_ptr<Quorvel::App::ILinksManager> links,
                  std::shared_ptr<Quorvel::App::ICustomizationManager> customization,
                  std::shared_ptr<Quorvel::App::IProductSettingsManager> productSettings);

    void Check();
    // Whether a check was due at this start ("autoUpdate" was on) and has not answered yet.
    bool Pending() const { return m_pending; }

signals:
    void Checked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(const Quorvel::Networking::HttpResponse& response);
    void Retranslate();

    std::shared_ptr<Quorvel::Networking::IHttpClient> m_client;
    std::shared_ptr<Quorvel::App::ILinksManager> m_links;
    std::shared_ptr<Quorvel::App::ICustomizationManager> m_customization;
    std::shared_ptr<Quorvel::App::IProductSettingsManager> m_productSettings;
    QAction* m_automatic = nullptr;
    QLabel* m_status = nullptr;
    bool m_pending = false;
    int m_outcome = 0;  // what the status shows, kept to retranslate it
    QString m_version;
};
