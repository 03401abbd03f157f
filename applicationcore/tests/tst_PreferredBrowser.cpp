#include <Quorvel/App/Application/Browser/AbstractPreferredBrowser.h>
#include <Quorvel/App/Application/Browser/PreferredBrowser.h>

#include "BrowserTestSupport.h"

#include <optional>

using namespace Quorvel::App;
using namespace BrowserTestSupport;
using Context = AbstractPreferredBrowser::PreferredBrowserContext;

namespace {

// The browser with its searches counted, the hints of the last one kept and, while `result`
// holds a value, its result faked.
struct TestBrowser : PreferredBrowser {
    using PreferredBrowser::PreferredBrowser;
    QString FindPath(const Context& context) override {
        ++searches;
        hints = QStringList{context.locale, context.browser, context.preferredBrowser};
        return result ? *result : PreferredBrowser::FindPath(context);
    }
    std::optional<QString> result;
    int searches = 0;
    QStringList hints;
};

}  // namespace

class TestPreferredBrowser : public QObject {
    Q_OBJECT

    std::unique_ptr<CaseFolder> m_case;

    // "{dir}" is the case folder.
    QString Path(const QString& relative) const {
        return relative.isEmpty() ? "" : QString(relative).replace("{dir}", m_case->dir);
    }

private slots:
    void init() { m_case = std::make_unique<CaseFolder>(); }
    void cleanup() { m_case.reset(); }

    // Installer record, remembered path, what a search finds, the path taken (also stored),
    // searches: e/ and f/ are browsers, p/ a file that cannot be executed, m/ none.
    void initDecidesThePath_data() {
        QTest::addColumn<QString>("cells");
        QTest::newRow("remembered file exists: taken without a search") << ",e,f,e,0";
        QTest::newRow("nothing remembered: the empty value stored") << ",,,,1";
        QTest::newRow("remembered file gone: searched") << ",m,f,f,1";
        QTest::newRow("remembered file cannot be executed: searched") << ",p,f,f,1";
        QTest::newRow("installer record: searched all the same") << "chrome,e,f,f,1";
    }
    void initDecidesThePath() {
        QFETCH(QString, cells);
        const QStringList c = cells.split(',');
        const auto path = [this](const QString& name) {
            return name.isEmpty() ? QString() : m_case->dir + "/" + name + "/chrome";
        };
        QVERIFY(WriteFile(path("e"), "b", kExecutable) && WriteFile(path("f"), "b", kExecutable) &&
                WriteFile(path("p"), "b"));
        TestBrowser preferred(m_case->product);
        preferred.result = path(c[2]);
        preferred.Init({"de_DE", c[0], path(c[1])});
        QCOMPARE(preferred.Path(), path(c[3]));
        QCOMPARE(preferred.searches, c[4].toInt());
        QCOMPARE(m_case->Stored(), path(c[3]).toStdString());
    }

    // Path() searches only when it holds nothing or its file has gone, and writes only a new
    // value (the empty one every time); Name() never searches.
    void pathIsCachedUntilItsFileGoes() {
        const QString first = m_case->dir + "/first/browser",
                      second = m_case->dir + "/second/browser";
        QVERIFY(WriteFile(first, "b", kExecutable) && WriteFile(second, "b", kExecutable));
        TestBrowser preferred(m_case->product);
        preferred.SetContextCallback([] { return Context{"en_US", "browser", ""}; });
        QCOMPARE(preferred.Name(), QString());
        const auto check = [&](const QString& path, int searches) {
            QCOMPARE(preferred.Path(), path);
            QCOMPARE(preferred.searches, searches);
            QCOMPARE(m_case->Stored(), path.toStdString());
        };
        preferred.result = first;
        check(first, 1);
        check(first, 1);
        m_case->product->SetString("PreferredBrowser", "untouched");
        preferred.Init({"en_US", "browser", ""});  // found again: not written again
        QCOMPARE(m_case->Stored(), std::string("untouched"));
        QVERIFY(QFile::remove(first));
        preferred.result = second;
        check(second, 3);
        QVERIFY(QFile::remove(second));
        preferred.result = QString();
        check(QString(), 4);
        m_case->product->SetString("PreferredBrowser", "untouched");
        check(QString(), 5);
    }

    void nameAndUserAgent() {
        const auto& agents = AbstractPreferredBrowser::m_UserAgentMap;
        // Case matters; without a suffix, looked up under the Windows name.
        for (const QString pair : {"chrome.exe=chrome.exe", "unknown.exe=browser.exe",
                                   "Chrome.exe=browser.exe", "chrome=chrome.exe"}) {
            TestBrowser preferred(m_case->product);
            preferred.result = "/opt/browser.d/" + pair.section('=', 0, 0);
            preferred.Init({"en_US", "any", ""});
            QCOMPARE(preferred.Name(), pair.section('=', 0, 0));
            QCOMPARE(preferred.UserAgent(), agents.at(pair.section('=', 1)));
        }
    }

    // Browsers started ("-": then deleted), files ("+x": executable) and desktop entries
    // ("<home|system>/<file>=<Exec>[|<Categories>]").
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
        row("user's entry before the system's, one naming a missing file passed over", "qbrowser",
            {}, {"user/qbrowser", "sys/qbrowser"},
            {"home/a.desktop={dir}/gone/qbrowser", "home/z.desktop={dir}/user/qbrowser",
             "system/a.desktop={dir}/sys/qbrowser"},
            "user/qbrowser");
        // Exec with arguments never matches; an action group's Exec does not stand for it.
        row("only the main group's Exec without arguments", "qbrowser", {}, {"inst/qbrowser"},
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
        RunningCopies copies;
        for (const QString& path : running) {
            QVERIFY(copies.Start(Path("{dir}/" + path)) > 0);
        }
        for (QString file : files) {
            const bool executable = file.endsWith("+x");
            file.chop(executable ? 2 : 0);
            QVERIFY(
                WriteFile(Path("{dir}/" + file), "b", executable ? kExecutable : QFile::ReadOwner));
        }
        for (const QString& entry : entries) {
            const QStringList parts = Path(entry).split('|');
            QVERIFY(m_case->AddEntry(parts[0].section('=', 0, 0), parts[0].section('=', 1),
                                     parts.value(1, "Network;WebBrowser;")));
        }
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", (m_case->dir + "/bin:").toLocal8Bit() + oldPath);
        PreferredBrowser preferred(m_case->product);
        preferred.Init({"en_US", wanted, ""});
        qputenv("PATH", oldPath);
        const QString path = expected.isEmpty() ? "" : m_case->dir + "/" + expected;
        QCOMPARE(preferred.Path(), path);
        QCOMPARE(m_case->Stored(), path.toStdString());
    }

    // The short form never searches at start; the full form reads its hints from the services
    // each time it searches, and needs the look and the installer's settings, not the product's.
    void forms() {
        m_case->installer->SetString("Browser", "браузер");
        m_case->product->SetString("PreferredBrowser", "/remembered/before");
        TestBrowser shortForm(m_case->product);
        shortForm.onStart();
        QCOMPARE(shortForm.Path(), QString());
        QCOMPARE(shortForm.searches, 0);
        QCOMPARE(m_case->Stored(), std::string("/remembered/before"));

        const QString installed = m_case->dir + "/full/браузер";
        QVERIFY(WriteFile(installed, "b") && m_case->AddEntry("system/a.desktop", installed));
        const auto looks = Looks(m_case->dir + "/looks", "de_DE");
        TestBrowser full(looks, m_case->product, m_case->installer);
        full.onStart();
        QCOMPARE(full.searches, 0);
        QCOMPARE(full.Path(), installed);
        QCOMPARE(full.hints, (QStringList{"de_DE", "браузер", "/remembered/before"}));
        QCOMPARE(m_case->Stored(), installed.toStdString());
        QCOMPARE(PreferredBrowser(looks, nullptr, m_case->installer).Path(), installed);
        QVERIFY_EXCEPTION_THROWN(PreferredBrowser(nullptr, m_case->product, m_case->installer),
                                 std::logic_error);
        QVERIFY_EXCEPTION_THROWN(PreferredBrowser(looks, m_case->product, nullptr),
                                 std::logic_error);
    }
};

QUORVEL_TEST_MAIN(TestPreferredBrowser)
#include "tst_PreferredBrowser.moc"
