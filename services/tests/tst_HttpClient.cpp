// The HTTP client against a real server on 127.0.0.1 that the test runs.
#include <Quorvel/Networking/HttpClient.h>
#include <Quorvel/TestSupport/LocalHttpServer.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <thread>

using Quorvel::Networking::HttpClient;
using Quorvel::Networking::HttpResponse;
using Server = Quorvel::TestSupport::LocalHttpServer;

Q_DECLARE_METATYPE(Server::Answer)

namespace {

class AgentOnly : public Quorvel::App::IHttpRequestUpdater {
public:
    void updateQtRequest(QNetworkRequest& request) const override {
        request.setHeader(QNetworkRequest::UserAgentHeader, "Probe/1.0");
    }
    std::map<std::string, std::string> getRawHeaders() const override { return {}; }
};

// Every answer the callback got, and on which thread.
struct Outcome {
    std::vector<HttpResponse> responses;
    QThread* thread = nullptr;
    HttpClient::Callback Record() {
        return [this](const HttpResponse& response) {
            responses.push_back(response);
            thread = QThread::currentThread();
        };
    }
};

}  // namespace

class HttpClientTest : public QObject {
    Q_OBJECT
private slots:
    void answersEndEachRequestOnce_data() {
        QTest::addColumn<Server::Answer>("answer");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("reason");  // empty: success
        QTest::addColumn<int>("requests");
        QTest::newRow("200") << Server::Answer::Ok << 200 << "" << 1;
        QTest::newRow("connection refused") << Server::Answer::Refuse << 0 << "refused" << 0;
        QTest::newRow("500") << Server::Answer::ServerError << 500 << "500 Internal Server Error"
                             << 1;
        // Found by fuzz_http: no HTTP status passed for success.
        QTest::newRow("status 0") << Server::Answer::StatusZero << 0 << "answered 0" << 1;
        QTest::newRow("never answers")
            << Server::Answer::Never << 0 << "no answer within 500 ms" << 1;
        // Closing the client ends what is still pending.
        QTest::newRow("client closed") << Server::Answer::Never << 0 << "client was closed" << 1;
        // Qt sends once more when a connection closes before any answer.
        QTest::newRow("connection closed") << Server::Answer::Close << 0 << "closed" << 2;
        // A loop is cut after the allowed redirects, every hop with the product's headers.
        QTest::newRow("redirect loop")
            << Server::Answer::RedirectToSelf << 302 << "redirect" << HttpClient::MaxRedirects + 1;
    }
    void answersEndEachRequestOnce() {
        QFETCH(Server::Answer, answer);
        QFETCH(int, status);
        QFETCH(QString, reason);
        QFETCH(int, requests);
        Server server;
        server.SetAnswer(answer, "{}");
        auto client = std::make_unique<HttpClient>(std::make_shared<AgentOnly>(), 500);
        Outcome outcome;
        client->Post(QNetworkRequest(server.Url("/api?v=1")), "payload", outcome.Record());
        if (reason == "client was closed") {
            QTRY_COMPARE(server.Requests().size(), size_t(1));
            client.reset();
            QCOMPARE(outcome.responses.size(), size_t(1));
        }

        QTRY_COMPARE_WITH_TIMEOUT(outcome.responses.size(), size_t(1), 10000);
        QTest::qWait(100);
        QCOMPARE(outcome.responses.size(), size_t(1));
        QCOMPARE(outcome.thread, QThread::currentThread());
        const HttpResponse& response = outcome.responses[0];
        QCOMPARE(response.status, status);
        QVERIFY(response.error.contains(reason, Qt::CaseInsensitive));
        QVERIFY(reason.isEmpty() || response.error.startsWith(
                                        "POST " + server.Url("/api?v=1").toString() + " failed: "));
        QVERIFY(!reason.isEmpty() || (response.error.isEmpty() && response.body == "{}"));
        QCOMPARE(int(server.Requests().size()), requests);
        for (const Server::Request& sent : server.Requests()) {
            QCOMPARE(sent.path, QByteArray("/api?v=1"));
            QCOMPARE(sent.headers.value("user-agent"), QByteArray("Probe/1.0"));
        }
        QVERIFY(requests == 0 ||
                server.Requests()[0].method + server.Requests()[0].body == "POSTpayload");
    }

    // A compressed answer is taken as it arrives: inflated, a few KB would be 64 MB. Asked
    // from another thread, the answer still comes on the client's thread.
    void compressedAnswerFromAnotherThread() {
        Server server;
        server.SetAnswer(Server::Answer::Deflated, QByteArray(64 << 20, '0'));
        HttpClient client(std::make_shared<AgentOnly>());
        Outcome outcome;
        std::thread([&] {
            client.Get(QNetworkRequest(server.Url("/big")), outcome.Record());
        }).join();
        QTRY_COMPARE_WITH_TIMEOUT(outcome.responses.size(), size_t(1), 10000);
        QCOMPARE(outcome.thread, QThread::currentThread());
        QVERIFY(outcome.responses[0].error.isEmpty() &&
                outcome.responses[0].body.size() < HttpClient::MaxBodySize);
    }
};

QUORVEL_TEST_MAIN(HttpClientTest)
#include "tst_HttpClient.moc"
