// The HTTP client against a real server on 127.0.0.1 that the test runs.
#include <Quorvel/Networking/HttpClient.h>
#include <Quorvel/TestSupport/LocalHttpServer.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QThread>

#include <thread>

using Quorvel::Networking::HttpClient;
using Quorvel::Networking::HttpResponse;
using Server = Quorvel::TestSupport::LocalHttpServer;

Q_DECLARE_METATYPE(Server::Answer)

namespace {

class FixedHeaders : public Quorvel::App::IHttpRequestUpdater {
public:
    void updateQtRequest(QNetworkRequest& request) const override {
        request.setHeader(QNetworkRequest::UserAgentHeader, "Probe/1.0");
        request.setRawHeader("Quorvel-Os", "linux");
    }
    std::map<std::string, std::string> getRawHeaders() const override { return {}; }
};

struct Outcome {
    int calls = 0;
    HttpResponse response;
    QThread* thread = nullptr;
};

HttpClient::Callback Record(Outcome& outcome) {
    return [&outcome](const HttpResponse& response) {
        ++outcome.calls;
        outcome.response = response;
        outcome.thread = QThread::currentThread();
    };
}

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
        QTest::newRow("500") << Server::Answer::ServerError << 500 << "500 Internal Server Error" << 1;
        QTest::newRow("never answers") << Server::Answer::Never << 0 << "no answer within 500 ms" << 1;
        // Qt sends once more when a connection closes before any answer.
        QTest::newRow("connection closed") << Server::Answer::Close << 0 << "closed" << 2;
        // A loop is cut after the allowed redirects, every hop with the product's headers.
        QTest::newRow("redirect loop") << Server::Answer::RedirectToSelf << 302 << "redirect"
                                       << HttpClient::MaxRedirects + 1;
    }
    void answersEndEachRequestOnce() {
        QFETCH(Server::Answer, answer);
        QFETCH(int, status);
        QFETCH(QString, reason);
        QFETCH(int, requests);
        Server server;
        server.SetAnswer(answer, "{\"latest\": \"2.0\"}");
        HttpClient client(std::make_shared<FixedHeaders>(), 500);
        Outcome outcome;
        QNetworkRequest request(server.Url("/api/updates?v=1"));
        request.setHeader(QNetworkRequest::ContentTypeHeader, "text/plain");
        client.Post(request, "payload", Record(outcome));

        QTRY_COMPARE_WITH_TIMEOUT(outcome.calls, 1, 10000);
        QTest::qWait(100);
        QCOMPARE(outcome.calls, 1);
        QCOMPARE(outcome.thread, QThread::currentThread());
        QCOMPARE(outcome.response.status, status);
        if (reason.isEmpty()) {
            QCOMPARE(outcome.response.error, QString());
            QCOMPARE(outcome.response.body, QByteArray("{\"latest\": \"2.0\"}"));
        } else {
            QVERIFY2(outcome.response.error.contains(reason, Qt::CaseInsensitive),
                     qPrintable(outcome.response.error));
            QVERIFY(outcome.response.error.startsWith("POST " + server.Url("/api/updates").toString()));
        }
        QCOMPARE(int(server.Requests().size()), requests);
        for (const Server::Request& sent : server.Requests()) {
            QCOMPARE(sent.path, QByteArray("/api/updates?v=1"));
            QCOMPARE(sent.headers.value("user-agent"), QByteArray("Probe/1.0"));
            QCOMPARE(sent.headers.value("quorvel-os"), QByteArray("linux"));
        }
        QCOMPARE(server.Requests()[0].method, QByteArray("POST"));
        QCOMPARE(server.Requests()[0].body, QByteArray("payload"));
    }

    void refusedConnectionIsAnError() {
        QUrl url;
        {
            Server gone;
            url = gone.Url("/");
        }
        HttpClient client(std::make_shared<FixedHeaders>());
        Outcome outcome;
        client.Get(QNetworkRequest(url), Record(outcome));
        QTRY_COMPARE(outcome.calls, 1);
        QVERIFY2(outcome.response.error.contains("refused"), qPrintable(outcome.response.error));
    }

    // Another thread may ask; the answer still comes on the client's thread.
    void requestFromAnotherThread() {
        Server server;
        HttpClient client(std::make_shared<FixedHeaders>());
        Outcome outcome;
        std::thread([&] { client.Get(QNetworkRequest(server.Url("/t")), Record(outcome)); }).join();
        QTRY_COMPARE(outcome.calls, 1);
        QCOMPARE(outcome.thread, QThread::currentThread());
        QCOMPARE(server.Requests().at(0).method, QByteArray("GET"));
    }

    void closingTheClientEndsPendingRequests() {
        Server server;
        server.SetAnswer(Server::Answer::Never);
        Outcome outcome;
        {
            HttpClient client(std::make_shared<FixedHeaders>());
            client.Get(QNetworkRequest(server.Url("/slow")), Record(outcome));
            QTRY_COMPARE(server.Requests().size(), size_t(1));
        }
        QCOMPARE(outcome.calls, 1);
        QVERIFY(outcome.response.error.contains("closed"));
    }

    void emptyHeadersAreRefused() {
        QVERIFY_EXCEPTION_THROWN(HttpClient(std::shared_ptr<Quorvel::App::IHttpRequestUpdater>()),
                                 std::logic_error);
    }
};

QUORVEL_TEST_MAIN(HttpClientTest)
#include "tst_HttpClient.moc"
