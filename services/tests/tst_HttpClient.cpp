// The HTTP client against a real server on 127.0.0.1 that the test runs.
#include <Quorvel/Networking/HttpClient.h>
#include <Quorvel/TestSupport/LocalHttpServer.h>
#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/SslUsage.h>

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
        QTest::addColumn<QByteArray>("raw");  // the whole answer, for Raw and RawReset
        using A = Server::Answer;
        const auto row = [](const char* name, A answer, int status, const char* reason,
                            const QByteArray& raw = {}, int requests = 1) {
            QTest::newRow(name) << answer << status << QString(reason) << requests << raw;
        };
        row("200", A::Ok, 200, "");
        row("connection refused", A::Refuse, 0, "refused", {}, 0);
        row("500", A::ServerError, 500, "500 Internal Server Error");
        // Found by fuzz_http: no HTTP status passed for success.
        row("status 0", A::StatusZero, 0, "answered 0");
        row("never answers", A::Never, 0, "no answer within 500 ms");
        // Closing the client ends what is still pending.
        row("client closed", A::Never, 0, "client was closed");
        // Nothing is sent twice: a POST may have been acted on.
        row("connection closed", A::Close, 0, "closed");
        // A loop is cut after the allowed redirects, every hop with the product's headers.
        row("redirect loop", A::RedirectToSelf, 302, "redirect", {}, HttpClient::MaxRedirects + 1);
        // Ended as HTTP says: chunks, or the close of an answer that announced no length.
        const QByteArray chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
        row("chunked", A::Raw, 200, "", chunked + "1;x=y\r\n{\r\n1\r\n}\r\n0\r\nT: t\r\n\r\n");
        row("until closed", A::Raw, 200, "", "HTTP/1.0 200 OK\r\n\r\n{}");
        // Cut answers are failures, never an answer that looks whole.
        const QByteArray announced = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n{}";
        row("closed before the length", A::Raw, 200, "closed after 2 of the 100 bytes", announced);
        row("reset before the length", A::RawReset, 0, "", announced);
        row("closed before the last chunk", A::Raw, 200, "last chunk", chunked + "2\r\n{}\r\n");
        row("reset before the last chunk", A::RawReset, 0, "", chunked + "2\r\n{}\r\n");
        row("chunk size of 18 hex digits", A::Raw, 200, "chunk size",
            chunked + "100000000000000002\r\n{}\r\n0\r\n\r\n");
        row("chunk longer than its size", A::Raw, 200, "chunk does not end",
            chunked + "1\r\n{}\r\n0\r\n\r\n");
        // A reason phrase that would drive a terminal or forge a record reaches no log raw.
        row("controls in the reason phrase", A::Raw, 500, "answered 500 Bad\\e[2J\\rForged",
            "HTTP/1.1 500 Bad\x1b[2J\rForged\r\nContent-Length: 0\r\n\r\n");
        row("no status line", A::Raw, 0, "status line", "{}\r\n\r\n");
    }
    void answersEndEachRequestOnce() {
        QFETCH(Server::Answer, answer);
        QFETCH(int, status);
        QFETCH(QString, reason);
        QFETCH(int, requests);
        QFETCH(QByteArray, raw);
        Server server;
        server.SetAnswer(answer, raw.isEmpty() ? "{}" : raw);
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
        if (answer == Server::Answer::RawReset) {
            // A reset may drop what had arrived: whatever was read, this is a failure.
            QVERIFY(!response.error.isEmpty());
            return;
        }
        QCOMPARE(response.status, status);
        QVERIFY2(response.error.contains(reason, Qt::CaseInsensitive), qPrintable(response.error));
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

    // Against a server that speaks plain HTTP only: with http preferred an https address
    // is answered, with https preferred an http address starts a TLS handshake. Last in the
    // suite, since a preference once chosen stays.
    void sslPreferenceSwitchesTheScheme_data() {
        QTest::addColumn<bool>("https");
        QTest::newRow("http preferred") << false;
        QTest::newRow("https preferred") << true;
    }
    void sslPreferenceSwitchesTheScheme() {
        QFETCH(bool, https);
        Server server;
        QUrl url = server.Url("/v");
        url.setScheme(https ? "http" : "https");
        Quorvel::Util::SetDefaultSslUsage(https);
        HttpClient client(std::make_shared<AgentOnly>(), 3000);
        Outcome outcome;
        client.Get(QNetworkRequest(url), outcome.Record());
        QTRY_COMPARE_WITH_TIMEOUT(outcome.responses.size(), size_t(1), 5000);
        Quorvel::Util::SetDefaultSslUsage(false);
        QCOMPARE(server.TlsHellos(), https ? 1 : 0);
        QCOMPARE(server.Requests().size(), size_t(https ? 0 : 1));
        QCOMPARE(outcome.responses[0].error.isEmpty(), !https);
    }
};

QUORVEL_TEST_MAIN(HttpClientTest)
#include "tst_HttpClient.moc"
