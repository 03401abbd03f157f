// The e-mail sender through the real HTTP client to a server on 127.0.0.1.
#include <Quorvel/App/EmailSender.h>
#include <Quorvel/App/MailSettingsManager.h>
#include <Quorvel/Networking/HttpClient.h>
#include <Quorvel/TestSupport/LocalHttpServer.h>
#include <Quorvel/TestSupport/RecordingLinks.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

using namespace Quorvel::App;
using Server = Quorvel::TestSupport::LocalHttpServer;

Q_DECLARE_METATYPE(Server::Answer)

namespace {

class AgentOnly : public IHttpRequestUpdater {
public:
    void updateQtRequest(QNetworkRequest& request) const override {
        request.setHeader(QNetworkRequest::UserAgentHeader, "Probe/1.0");
    }
    std::map<std::string, std::string> getRawHeaders() const override { return {}; }
};

struct Result {
    int calls = 0;
    bool success = false;
    std::string message;
};

}  // namespace

class EmailSenderTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_files = 0;
    Server m_server;
    std::shared_ptr<Quorvel::TestSupport::RecordingLinks> m_links;
    std::shared_ptr<MailSettingsManager> m_mail;
    std::shared_ptr<Quorvel::Networking::HttpClient> m_client;

    void Send(EmailSender& sender, Result& result, std::map<std::string, std::string> parameters = {}) {
        sender.SendEmail(parameters, [&result](bool success, const std::string& message) {
            ++result.calls;
            result.success = success;
            result.message = message;
        });
    }

private slots:
    void init() {
        m_links = std::make_shared<Quorvel::TestSupport::RecordingLinks>();
        m_links->urls[Quorvel::URLKeys::COLLECT_EMAIL_URL] = m_server.Url("/api/subscribe").toString();
        m_mail = std::make_shared<MailSettingsManager>(m_dir.filePath(QString("mail%1.ini").arg(++m_files)));
        m_mail->SetString("Email", "ann@example.org");
        m_client = std::make_shared<Quorvel::Networking::HttpClient>(std::make_shared<AgentOnly>(), 500);
        m_server.SetAnswer(Server::Answer::Ok);
    }

    void postsTheAddressAndMarksTheUser_data() {
        QTest::addColumn<Server::Answer>("answer");
        QTest::addColumn<bool>("success");
        QTest::newRow("taken") << Server::Answer::Ok << true;
        QTest::newRow("server error") << Server::Answer::ServerError << false;
        QTest::newRow("no answer") << Server::Answer::Never << false;
        QTest::newRow("connection closed") << Server::Answer::Close << false;
    }
    void postsTheAddressAndMarksTheUser() {
        QFETCH(Server::Answer, answer);
        QFETCH(bool, success);
        m_server.SetAnswer(answer);
        const size_t before = m_server.Requests().size();
        EmailSender sender(m_links, m_client, m_mail);
        Result result;
        Send(sender, result, {{"source", "demo"}});
        QTRY_COMPARE_WITH_TIMEOUT(result.calls, 1, 10000);
        QCOMPARE(result.success, success);
        QCOMPARE(result.message.empty(), success);
        QCOMPARE(m_mail->GetString("IsRegUser", "") == "1", success);
        QCOMPARE(m_mail->GetString("Email", ""), std::string("ann@example.org"));

        QVERIFY(m_server.Requests().size() > before);
        const Server::Request& sent = m_server.Requests().back();
        QCOMPARE(sent.method, QByteArray("POST"));
        QCOMPARE(sent.path, QByteArray("/api/subscribe"));
        QCOMPARE(sent.headers.value("user-agent"), QByteArray("Probe/1.0"));
        QCOMPARE(sent.headers.value("content-type"), QByteArray("application/json"));
        const QJsonObject body = QJsonDocument::fromJson(sent.body).object();
        QCOMPARE(body.value("email").toString(), QString("ann@example.org"));
        QCOMPARE(body.value("source").toString(), QString("demo"));
    }

    void refusedBeforeSending_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("client");
        QTest::newRow("no address") << "" << "/api/subscribe" << true;
        QTest::newRow("malformed address") << "ann@" << "/api/subscribe" << true;
        QTest::newRow("no collection address") << "ann@example.org" << "" << true;
        QTest::newRow("no client") << "ann@example.org" << "/api/subscribe" << false;
    }
    void refusedBeforeSending() {
        QFETCH(QString, address);
        QFETCH(QString, url);
        QFETCH(bool, client);
        m_mail->SetString("Email", address.toStdString());
        m_links->urls[Quorvel::URLKeys::COLLECT_EMAIL_URL] = url.isEmpty() ? url : m_server.Url(url).toString();
        const size_t before = m_server.Requests().size();
        EmailSender sender(m_links, client ? m_client : nullptr, m_mail);
        Result result;
        Send(sender, result);
        QCOMPARE(result.calls, 1);
        QVERIFY(!result.success);
        QVERIFY(!result.message.empty());
        QTest::qWait(50);
        QCOMPARE(m_server.Requests().size(), before);
        QCOMPARE(m_mail->GetString("Email", ""), address.toStdString());
    }

    // The answer of a send that outlives its sender finds nothing to call.
    void destroyedWhilePending() {
        m_server.SetAnswer(Server::Answer::Never);
        Result result;
        {
            EmailSender sender(m_links, m_client, m_mail);
            Send(sender, result);
        }
        QTest::qWait(800);  // past the client's timeout
        QCOMPARE(result.calls, 0);
        QCOMPARE(m_mail->GetString("IsRegUser", ""), std::string());
    }

    void requiredServicesAreRefused() {
        QVERIFY_EXCEPTION_THROWN(EmailSender(nullptr, m_client, m_mail), std::logic_error);
        QVERIFY_EXCEPTION_THROWN(EmailSender(m_links, m_client, nullptr), std::logic_error);
    }
};

QUORVEL_TEST_MAIN(EmailSenderTest)
#include "tst_EmailSender.moc"
