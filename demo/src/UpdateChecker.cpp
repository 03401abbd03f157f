#include "UpdateChecker.h"

#include <Quorvel/Core/Version.h>

#include <QAction>
#include <QEvent>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QStatusBar>

#include <glog/logging.h>

namespace {

const char* const kAutoUpdateKey = "autoUpdate";

enum Outcome { None, Checking, Newer, UpToDate, Unreadable, Failed };

// The start of an answer as one line of the log: a line break or an escape sequence from a
// server must not forge a record or reach a terminal.
std::string Excerpt(const QByteArray& body) {
    QString text = QString::fromUtf8(body.left(200));
    for (QChar& c : text) {
        if (!c.isPrint()) {
            c = QLatin1Char('?');
        }
    }
    return text.toStdString();
}

// Why an answer names no version, or an empty string when it names one.
QString WhyUnreadable(const QJsonParseError& error, const QJsonDocument& answer) {
    if (error.error != QJsonParseError::NoError) {
        return QString("it is not JSON (%1 at offset %2)")
            .arg(error.errorString())
            .arg(error.offset);
    }
    if (!answer.object().value("version").isString()) {
        return "it has no \"version\" text";
    }
    return QString();
}

}  // namespace

UpdateChecker::UpdateChecker(QMainWindow& window, QMenu* menu,
                             std::shared_ptr<Quorvel::Networking::IHttpClient> client,
                             std::shared_ptr<Quorvel::App::ILinksManager> links,
                             std::shared_ptr<Quorvel::App::ICustomizationManager> customization,
                             std::shared_ptr<Quorvel::App::IProductSettingsManager> productSettings)
    : m_client(std::move(client)),
      m_links(std::move(links)),
      m_customization(std::move(customization)),
      m_productSettings(std::move(productSettings)) {
    m_pending = m_productSettings->GetBool(kAutoUpdateKey, true);
    menu->addSeparator();
    m_automatic = menu->addAction(QString());
    m_automatic->setCheckable(true);
    m_automatic->setChecked(m_pending);
    connect(m_automatic, &QAction::toggled, this,
            [this](bool on) { m_productSettings->SetBool(kAutoUpdateKey, on); });
    m_status = new QLabel(&window);
    m_status->setObjectName("updateStatusLabel");
    window.statusBar()->addPermanentWidget(m_status);
    menu->installEventFilter(this);  // the menu hears of language changes
    Retranslate();
}

void UpdateChecker::Check() {
    m_outcome = Checking;
    Retranslate();
    const QUrl url(m_links->GetUrl(Quorvel::URLKeys::CHECK_FOR_UPDATES_URL));
    // The answer may come after the window, and this with it, is gone.
    QPointer<UpdateChecker> self(this);
    m_client->Get(QNetworkRequest(url), [self](const Quorvel::Networking::HttpResponse& response) {
        if (self) {
            self->Show(response);
        }
    });
}

void UpdateChecker::Show(const Quorvel::Networking::HttpResponse& response) {
    m_pending = false;
    if (!response.error.isEmpty()) {
        LOG(ERROR) << "Update check failed: " << response.error.toStdString();
        m_outcome = Failed;
    } else {
        QJsonParseError error{};
        const QJsonDocument answer = QJsonDocument::fromJson(response.body, &error);
        const QString latest = answer.object().value("version").toString();
        QString problem = WhyUnreadable(error, answer);
        if (problem.isEmpty()) {
            try {
                const auto version = Quorvel::Core::ParseVersion(latest.toStdString());
                m_version = latest;
                m_outcome = m_customization->GetProductVersion() < version ? Newer : UpToDate;
                LOG(INFO) << "Update check: the latest version is " << latest.toStdString();
            } catch (const std::invalid_argument&) {
                problem = "its \"version\" is not a version";
            }
        }
        if (!problem.isEmpty()) {
            LOG(ERROR) << "Update check: the answer names no version, " << problem.toStdString()
                       << ": " << Excerpt(response.body);
            m_outcome = Unreadable;
        }
    }
    Retranslate();
    emit Checked();
}

bool UpdateChecker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        Retranslate();
    }
    return QObject::eventFilter(watched, event);
}

void UpdateChecker::Retranslate() {
    m_automatic->setText(tr("Check for updates &automatically"));
    switch (m_outcome) {
        case None:
            m_status->clear();
            break;
        case Checking:
            m_status->setText(tr("Checking for updates…"));
            break;
        case Newer:
            m_status->setText(tr("Version %1 is available").arg(m_version));
            break;
        case UpToDate:
            m_status->setText(tr("This is the latest version"));
            break;
        case Unreadable:
            m_status->setText(tr("The update service gave an answer without a version"));
            break;
        case Failed:
            m_status->setText(tr("Could not check for updates"));
            break;
    }
}
