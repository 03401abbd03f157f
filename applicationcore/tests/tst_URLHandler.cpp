#include <Quorvel/App/Application/Browser/PreferredBrowser.h>
#include <Quorvel/App/Application/Browser/URLHandler.h>

#include "BrowserTestSupport.h"

#include <Quorvel/TestSupport/LogCapture.h>

#include <QDesktopServices>
#include <QtTest>

#include <memory>

using namespace Quorvel::App;
using namespace BrowserTestSupport;

namespace {

// Links that reached the system's own handler: with this platform plugin Qt refuses them with
// a warning naming the link; where Qt runs xdg-open instead, the fake one records them.
QStringList g_refused;
QtMessageHandler g_previousHandler = nullptr;

void RecordRefusals(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains("QPlatformServices::openUrl()")) {
        g_refused << text;
    }
    g_previousHandler(type, context, text);
}

}  // namespace

class TestURLHandler : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_root;
    std::unique_ptr<CaseFolder> m_case;
    std::shared_ptr<LookAndFeelManager> m_looks;

    QString SystemRecord() const { return m_root + "/xdg-open.record"; }
    QString BrowserRecord() const { return m_case->dir + "/browser.record"; }

    // How many times the system's handler got exactly this link.
    int SystemOpened(const QUrl& url) const {
        int count = 0;
        for (const QString& refusal : g_refused) {
            count += refusal.contains(url.toString()) ? 1 : 0;
        }
        QFile file(SystemRecord());
        if (file.open(QIODevice::ReadOnly)) {
            count += file.readAll().split('\n').count(url.toEncoded());
        }
        return count;
    }

    // A browser that records how many arguments it got and each of them, NUL-terminated, and
    // moves the record into place so that it is seen whole.
    QString WriteFakeBrowser() {
        const QByteArray record = BrowserRecord().toLocal8Bit();
        const QByteArray script =
            "#!/bin/sh\n{ printf '%s\\n' \"$#\"; for a in \"$@\"; do printf '%s\\0' \"$a\"; "
            "done; } > '" +
            record + ".part' && mv '" + record + ".part' '" + record + "'\n";
        const QString path = m_case->dir + "/apps/qbrowser";
        return WriteFile(path, script, kExecutable) ? path : QString();
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_root = CanonicalPath(m_dir);
        m_looks = Looks(m_root + "/looks", "en_US");
        QVERIFY(WriteFile(
            m_root + "/bin/xdg-open",
            "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + SystemRecord().toLocal8Bit() + "'\n",
            kExecutable));
        qputenv("PATH", (m_root + "/bin:").toLocal8Bit() + qgetenv("PATH"));
        g_previousHandler = qInstallMessageHandler(RecordRefusals);
    }
    void cleanupTestCase() { qInstallMessageHandler(g_previousHandler); }
    void init() {
        m_case = std::make_unique<CaseFolder>();
        g_refused.clear();
        QFile::remove(SystemRecord());
    }
    void cleanup() { m_case.reset(); }

    void openUrl_data() {
        QTest::addColumn<QString>("link");  // "{dir}" is the case folder
        QTest::addColumn<QString>("browser");
        QTest::addColumn<int>("toSystem");  // 0: to the browser
        const QString nasty =
            "http://example.com/a b/\"quoted\" 'single'/;semi?q=$(touch {dir}/pwned)&r=`touch "
            "{dir}/pwned`;touch {dir}/pwned|tee {dir}/pwned&&x=1#frag $HOME";
        const auto row = [](const char* tag, const QString& link, const char* browser,
                            int toSystem) {
            QTest::newRow(tag) << link << QString(browser) << toSystem;
        };
        row("http link full of shell characters, remembered browser", nasty, "remembered", 0);
        row("https link full of shell characters, installed browser",
            QString(nasty).replace("http:", "https:"), "installed", 0);
        row("no browser found: the system's handler, once", "https://example.com/help", "none", 1);
        row("remembered file cannot be executed: the system's handler, once",
            "http://example.com/help", "not executable", 1);
        row("remembered program fails to start: logged, the system's handler, once",
            "http://example.com/help", "fails to start", 1);
        row("mailto link is not taken over", "mailto:someone@example.com", "installed", 1);
    }
    void openUrl() {
        QFETCH(QString, link);
        QFETCH(QString, browser);
        QFETCH(int, toSystem);
        const QString program = WriteFakeBrowser();
        QVERIFY(!program.isEmpty());
        if (browser == "remembered") {
            m_case->product->SetString("PreferredBrowser", program.toStdString());
        } else if (browser == "installed") {
            QVERIFY(m_case->AddEntry("home/q.desktop", program + " %u"));
            m_case->installer->SetString("Browser", "qbrowser");
        }
        // Not executable, or executable but no program the system can start.
        const QString broken = m_case->dir + "/broken/qbrowser";
        if (browser == "not executable" || browser == "fails to start") {
            QVERIFY(WriteFile(broken, "touch pwned\n",
                              browser == "fails to start" ? kExecutable : QFile::Permissions()));
            m_case->product->SetString("PreferredBrowser", broken.toStdString());
        }
        const QUrl url(QString(link).replace("{dir}", m_case->dir));
        QVERIFY(url.isValid());

        Quorvel::TestSupport::LogCapture log;
        PreferredBrowser preferred(m_looks, m_case->product, m_case->installer);
        QDesktopServices::openUrl(url);
        // A browser that was tried and failed is named once.
        QCOMPARE(log.Count(broken.toStdString()), browser == "fails to start" ? 1 : 0);

        if (toSystem == 0) {
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(BrowserRecord()), 60000);
            QFile file(BrowserRecord());
            QVERIFY(file.open(QIODevice::ReadOnly));
            // One argument: exactly the link, and nothing after its terminator.
            QCOMPARE(file.readAll(), "1\n" + url.toString().toLocal8Bit() + '\0');
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(SystemOpened(url), toSystem, 60000);
            QVERIFY(!QFile::exists(BrowserRecord()));
        }
        QCOMPARE(SystemOpened(url), toSystem);
        // Nothing in the link was run by a shell.
        QVERIFY(!QFile::exists(m_case->dir + "/pwned"));
        QVERIFY(!QFile::exists("pwned"));
    }

    // Qt drops a handler that is destroyed; a short-form browser takes over nothing.
    void linksGoToTheSystemWithoutAFullBrowser() {
        const QString browser = WriteFakeBrowser();
        m_case->product->SetString("PreferredBrowser", browser.toStdString());
        {
            // The application owns the handler too, until the browser deletes it.
            PreferredBrowser preferred(m_looks, m_case->product, m_case->installer);
            QCOMPARE(qApp->findChildren<URLHandler*>().size(), 1);
        }
        QVERIFY(!qApp->findChild<URLHandler*>());
        PreferredBrowser shortForm(m_case->product);
        shortForm.Init({"en_US", "", browser});
        QCOMPARE(shortForm.Path(), browser);
        const QUrl url("https://example.com/after");
        QDesktopServices::openUrl(url);
        QTRY_COMPARE_WITH_TIMEOUT(SystemOpened(url), 1, 60000);
        QVERIFY(!QFile::exists(BrowserRecord()));
    }
};

QUORVEL_TEST_MAIN(TestURLHandler)
#include "tst_URLHandler.moc"
