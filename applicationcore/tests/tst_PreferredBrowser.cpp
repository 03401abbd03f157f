#include <Quorvel/App/Application/Browser/AbstractPreferredBrowser.h>
#include <Quorvel/App/Application/Browser/PreferredBrowser.h>

#include "BrowserTestSupport.h"

#include <QtTest>

#include <memory>
#include <optional>
#include <stdexcept>

using namespace Quorvel::App;
using namespace BrowserTestSupport;
using Context = AbstractPreferredBrowser::PreferredBrowserContext;

namespace {

const auto& kAgents = AbstractPreferredBrowser::m_UserAgentMap;

// The browser with its searches counted, the hints of the last one kept and, while `result`
// holds a value, its result faked.
class TestBrowser : public PreferredBrowser {
public:
    using PreferredBrowser::PreferredBrowser;

    std::optional<QString> result;
    int searches = 0;
    Context lastContext;

protected:
    QString FindPath(const Context& context) override {
        ++searches;
        lastContext = context;
        return result ? *result : PreferredBrowser::FindPath(context);
    }
};

}  // namespace

class TestPreferredBrowser : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_root;
    std::unique_ptr<CaseFolder> m_case;

    // "existing" and "found" are browser files of their own, "plain" a file that cannot be
    // executed; "missing" has no file.
    QString Resolve(const QString& token) const {
        return token.isEmpty() ? QString() : m_root + "/" + token + "/chrome";
    }
    std::string Stored() const {
        return m_case->product->GetString("PreferredBrowser", "<absent>");
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_root = CanonicalPath(m_dir);
        QVERIFY(WriteFile(Resolve("existing"), "browser", kExecutable) &&
                WriteFile(Resolve("found"), "b", kExecutable) && WriteFile(Resolve("plain"), "b"));
    }
    void init() { m_case = std::make_unique<CaseFolder>(); }
    void cleanup() { m_case.reset(); }

    void initDecidesThePath_data() {
        QTest::addColumn<QString>("browser");     // installer record
        QTest::addColumn<QString>("remembered");  // path remembered in the product settings
        QTest::addColumn<QString>("found");       // what a search finds
        QTest::addColumn<QString>("expected");    // also what is stored
        QTest::addColumn<int>("searches");
        const auto row = [](const char* name, const QStringList& cells, int searches) {
            QTest::newRow(name) << cells[0] << cells[1] << cells[2] << cells[3] << searches;
        };
        row("no record, remembered file exists: taken without a search",
            {"", "existing", "found", "existing"}, 0);
        row("no record, nothing remembered: the empty value stored", {"", "", "", ""}, 1);
        row("no record, remembered file gone: searched", {"", "missing", "found", "found"}, 1);
        row("no record, remembered file cannot be executed: searched",
            {"", "plain", "found", "found"}, 1);
        row("installer record: searched although the remembered file exists",
            {"chrome", "existing", "found", "found"}, 1);
    }
    void initDecidesThePath() {
        QFETCH(QString, browser);
        QFETCH(QString, remembered);
        QFETCH(QString, found);
        QFETCH(QString, expected);
        QFETCH(int, searches);
        TestBrowser preferred(m_case->product);
        m_case->product->SetString("PreferredBrowser", "untouched");
        preferred.result = Resolve(found);
        preferred.Init({"de_DE", browser, Resolve(remembered)});

        QCOMPARE(preferred.Path(), Resolve(expected));
        QCOMPARE(preferred.searches, searches);
        QCOMPARE(Stored(), Resolve(expected).toStdString());
    }

    // Path() searches only when it holds nothing or its file has gone; Name() never does.
    void pathIsCachedUntilItsFileGoes() {
        const QString first = m_case->dir + "/first/browser";
        const QString second = m_case->dir + "/second/browser";
        QVERIFY(WriteFile(first, "browser", kExecutable) &&
                WriteFile(second, "browser", kExecutable));
        TestBrowser preferred(m_case->product);
        preferred.SetContextCallback([] { return Context{"en_US", "browser", ""}; });
        QCOMPARE(preferred.Name(), QString());
        QCOMPARE(preferred.searches, 0);

        // Path() once or twice; then the searches so far and the value stored.
        const auto check = [&](int calls, const QString& path, int searches) {
            while (calls-- > 0) {
                QCOMPARE(preferred.Path(), path);
            }
            QCOMPARE(preferred.searches, searches);
            QCOMPARE(Stored(), path.toStdString());
        };
        preferred.result = first;
        check(2, first, 1);
        // The same path found again is not written again.
        m_case->product->SetString("PreferredBrowser", "untouched");
        preferred.Init({"en_US", "browser", ""});
        QCOMPARE(Stored(), std::string("untouched"));

        QVERIFY(QFile::remove(first));
        preferred.result = second;
        check(1, second, 3);
        // While nothing is found, every call searches again and writes the empty value.
        QVERIFY(QFile::remove(second));
        preferred.result = QString();
        check(1, QString(), 4);
        m_case->product->SetString("PreferredBrowser", "untouched");
        check(1, QString(), 5);
    }

    void nameAndUserAgent_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("agentOf");
        const auto row = [](const char* tag, const char* name, const char* agentOf) {
            QTest::newRow(tag) << QString(name) << QString(agentOf);
        };
        row("listed", "chrome.exe", "chrome.exe");
        row("unlisted", "unknown.exe", "browser.exe");
        row("case matters", "Chrome.exe", "browser.exe");
#ifndef Q_OS_WIN
        row("no suffix: looked up under the Windows name", "chrome", "chrome.exe");
#endif
    }
    void nameAndUserAgent() {
        QFETCH(QString, name);
        QFETCH(QString, agentOf);
        TestBrowser preferred(m_case->product);
        preferred.result = "/opt/browser.d/" + name;
        preferred.Init({"en_US", "any", ""});
        QCOMPARE(preferred.Name(), name);
        QCOMPARE(preferred.UserAgent(), kAgents.at(agentOf));
    }

    // Browsers started ("-": then deleted), files ("+x": executable) and desktop entries
    // ("<home|system>/<file>=<Exec>[|<Categories>]") in the case folder ("{dir}").
    void findPath_data() {
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QStringList>("running");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QString& wanted, const QStringList& running,
                            const QStringList& files, const QStringList& entries,
                            const QString& expected) {
            QTest::newRow(name) << wanted << running << files << entries << expected;
        };
        row("running copy before an installed one", "qbrowser", {"run/qbrowser"}, {"inst/qbrowser"},
            {"home/a.desktop={dir}/inst/qbrowser %u"}, "run/qbrowser");
        row("record in capitals: only an installed entry matches", "QUORVELBROWSER",
            {"run/QuorvelBrowser"}, {"inst/quorvelbrowser"},
            {"system/b.desktop={dir}/inst/quorvelbrowser %u"}, "inst/quorvelbrowser");
        row("running copy whose file is gone: installed entry used", "qbrowser", {"run/qbrowser-"},
            {"inst/qbrowser"}, {"home/a.desktop={dir}/inst/qbrowser %U"}, "inst/qbrowser");
        row("not a web browser (the category must match as a whole)", "qbrowser", {},
            {"inst/qbrowser"}, {"home/a.desktop={dir}/inst/qbrowser|Network;WebBrowserTools;"}, "");
        row("quoted Exec with an escaped blank", "qbrowser", {}, {"my apps/qbrowser"},
            {"home/a.desktop=\"{dir}/my\\sapps/qbrowser\" %u"}, "my apps/qbrowser");
        row("Exec with arguments never matches", "qbrowser", {}, {"inst/qbrowser"},
            {"home/a.desktop={dir}/inst/qbrowser --new-window %U"}, "");
        row("user's entry before the system's, one naming a missing file passed over", "qbrowser",
            {}, {"user/qbrowser", "sys/qbrowser"},
            {"home/a.desktop={dir}/gone/qbrowser", "home/z.desktop={dir}/user/qbrowser",
             "system/a.desktop={dir}/sys/qbrowser"},
            "user/qbrowser");
        // An action group has an Exec of its own, which must not stand for the browser.
        row("only the main group of an entry counts", "qbrowser", {}, {"inst/qbrowser"},
            {"home/a.desktop={dir}/inst/qbrowser --private %u\nActions=new;\n\n"
             "[Desktop Action new]\nExec={dir}/inst/qbrowser"},
            "");
        row("bare program name looked up on the PATH", "qbrowser", {}, {"bin/qbrowser+x"},
            {"home/a.desktop=qbrowser %u"}, "bin/qbrowser");
    }
    void findPath() {
        QFETCH(QString, wanted);
        QFETCH(QStringList, running);
        QFETCH(QStringList, files);
        QFETCH(QStringList, entries);
        QFETCH(QString, expected);

        const QString dir = m_case->dir;
        RunningCopies copies;
        for (QString path : running) {
            const bool remove = path.endsWith('-');
            path.chop(remove ? 1 : 0);
            QVERIFY(copies.Start(dir + "/" + path) > 0);
            QVERIFY(!remove || QFile::remove(dir + "/" + path));
        }
        for (QString file : files) {
            const bool executable = file.endsWith("+x");
            file.chop(executable ? 2 : 0);
            QVERIFY(
                WriteFile(dir + "/" + file, "b", executable ? kExecutable : QFile::Permissions()));
        }
        for (const QString& entry : entries) {
            const QStringList parts = QString(entry).replace("{dir}", dir).split('|');
            QVERIFY(m_case->AddEntry(parts[0].section('=', 0, 0), parts[0].section('=', 1),
                                     parts.value(1, "Network;WebBrowser;")));
        }
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", (dir + "/bin:").toLocal8Bit() + oldPath);
        PreferredBrowser preferred(m_case->product);
        preferred.Init({"en_US", wanted, ""});
        qputenv("PATH", oldPath);

        const QString path = expected.isEmpty() ? QString() : dir + "/" + expected;
        QCOMPARE(preferred.Path(), path);
        QCOMPARE(Stored(), path.toStdString());
    }

    void shortFormNeverSearches() {
        m_case->installer->SetString("Browser", "chrome");
        m_case->product->SetString("PreferredBrowser", Resolve("existing").toStdString());
        TestBrowser preferred(m_case->product);
        preferred.onStart();
        QCOMPARE(preferred.Path(), QString());
        QCOMPARE(preferred.searches, 0);
        QCOMPARE(Stored(), Resolve("existing").toStdString());
    }

    // The full form reads its hints from the services each time it searches.
    void fullFormReadsTheServices() {
        const QString installed = m_case->dir + "/full/" + QString::fromUtf8("браузер");
        QVERIFY(WriteFile(installed, "browser"));
        QVERIFY(m_case->AddEntry("system/a.desktop", installed));
        const auto looks = Looks(m_case->dir + "/looks", "de_DE");
        m_case->installer->SetString("Browser", "браузер");
        m_case->product->SetString("PreferredBrowser", "/remembered/before");
        TestBrowser preferred(looks, m_case->product, m_case->installer);
        preferred.onStart();
        QCOMPARE(preferred.searches, 0);
        QCOMPARE(preferred.Path(), installed);
        QCOMPARE(preferred.searches, 1);
        const Context& hints = preferred.lastContext;
        QCOMPARE(QStringList({hints.locale, hints.browser, hints.preferredBrowser}),
                 QStringList({"de_DE", QString::fromUtf8("браузер"), "/remembered/before"}));
        QCOMPARE(Stored(), installed.toStdString());
    }

    void fullFormServices() {
        const auto looks = Looks(m_case->dir + "/looks", "en_US");
        QVERIFY_EXCEPTION_THROWN(PreferredBrowser(nullptr, m_case->product, m_case->installer),
                                 std::logic_error);
        QVERIFY_EXCEPTION_THROWN(PreferredBrowser(looks, m_case->product, nullptr),
                                 std::logic_error);
        // Without product settings nothing is remembered, and the search still works.
        QVERIFY(m_case->AddEntry("home/a.desktop", Resolve("found")));
        m_case->installer->SetString("Browser", "chrome");
        PreferredBrowser preferred(looks, nullptr, m_case->installer);
        QCOMPARE(preferred.Path(), Resolve("found"));
    }
};

QUORVEL_TEST_MAIN(TestPreferredBrowser)
#include "tst_PreferredBrowser.moc"
