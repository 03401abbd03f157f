#include <Quorvel/App/Application/Browser/PreferredBrowser.h>
#include <Quorvel/App/Application/Browser/URLHandler.h>

#include "BrowserTestSupport.h"

#include <Quorvel/TestSupport/LogCapture.h>

#include <QDesktopServices>

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
    std::unique_ptr<CaseFolder> m_case;
    std::shared_ptr<LookAndFeelManager> m_looks;
    QString m_browser;  // records its arguments, NUL-terminated, after their count

    QString SystemRecord() const { return m_dir.filePath("xdg-open.record"); }
    QString BrowserRecord() const { return m_case->dir + "/browser.record"; }

    // How many times the system's handler got exactly this link.
    int SystemOpened(const QUrl& url) const {
        return g_refused.filter(url.toString()).size() +
               ReadFile(SystemRecord()).split('\n').count(url.toEncoded());
    }

private slots:
    void initTestCase() {
        m_looks = Looks(m_dir.filePath("looks"), "en_US");
        QVERIFY(WriteFile(
            m_dir.filePath("bin/xdg-open"),
            "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + SystemRecord().toLocal8Bit() + "'\n",
            kExecutable));
        qputenv("PATH", m_dir.filePath("bin:").toLocal8Bit() + qgetenv("PATH"));
        g_previousHandler = qInstallMessageHandler(RecordRefusals);
    }
    void cleanupTestCase() { qInstallMessageHandler(g_previousHandler); }
    void init() {
        m_case = std::make_unique<CaseFolder>();
        g_refused.clear();
        QFile::remove(SystemRecord());
        // The record is moved into place, so that it is seen whole.
        const QByteArray record = BrowserRecord().toLocal8Bit();
        m_browser = m_case->dir + "/apps/qbrowser";
        QVERIFY(WriteFile(m_browser,
                          "#!/bin/sh\n{ printf '%s\\n' \"$#\"; for a in \"$@\"; do printf '%s\\0' "
                          "\"$a\"; done; } > '" +
                              record + ".part' && mv '" + record + ".part' '" + record + "'\n",
                          kExecutable));
    }
    void cleanup() { m_case.reset(); }

    void openUrl_data() {
        QTest::addColumn<QString>("link");  // "{dir}" is the case folder
        QTest::addColumn<QString>("browser");
        QTest::newRow("link full of shell characters, to the installed browser")
            << "https://example.com/a b/\"quoted\" 'single'/;semi?q=$(touch {dir}/pwned)&r=`touch "
               "{dir}/pwned`;touch {dir}/pwned|tee {dir}/pwned&&x=1#frag $HOME"
            << "installed";
        QTest::newRow("no browser found: the system's handler") << "http://example.com/help"
                                                                << "";
        QTest::newRow("remembered program fails to start: logged, the system's handler")
            << "http://example.com/help"
            << "broken";
        QTest::newRow("mailto link is not taken over") << "mailto:someone@example.com"
                                                       << "installed";
    }
    void openUrl() {
        QFETCH(QString, link);
        QFETCH(QString, browser);
        const QString broken = m_case->dir + "/broken/qbrowser";
        if (browser == "installed") {
            QVERIFY(m_case->AddEntry("home/q.desktop", m_browser + " %u"));
            m_case->installer->SetString("Browser", "qbrowser");
        } else if (browser == "broken") {
            // Executable, but no program the system can start.
            QVERIFY(WriteFile(broken, "touch pwned\n", kExecutable));
            m_case->product->SetString("PreferredBrowser", broken.toStdString());
        }
        const QUrl url(link.replace("{dir}", m_case->dir));
        Quorvel::TestSupport::LogCapture log;
        PreferredBrowser preferred(m_looks, m_case->product, m_case->installer);
        QDesktopServices::openUrl(url);
        QCOMPARE(log.Count(broken.toStdString()), int(browser == "broken"));
        if (link.startsWith("https")) {
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(BrowserRecord()), 60000);
            // One argument: exactly the link, and nothing after its terminator.
            QCOMPARE(ReadFile(BrowserRecord()), "1\n" + url.toString().toLocal8Bit() + '\0');
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(SystemOpened(url), 1, 60000);
            QVERIFY(!QFile::exists(BrowserRecord()));
        }
        QCOMPARE(SystemOpened(url), int(!link.startsWith("https")));
        // Nothing in the link was run by a shell.
        QVERIFY(!QFile::exists(m_case->dir + "/pwned") && !QFile::exists("pwned"));
    }

    // Qt drops a handler that is destroyed; a short-form browser takes over nothing.
    void linksGoToTheSystemWithoutAFullBrowser() {
        m_case->product->SetString("PreferredBrowser", m_browser.toStdString());
        {
            // The application owns the handler too, until the browser deletes it.
            PreferredBrowser preferred(m_looks, m_case->product, m_case->installer);
            QCOMPARE(qApp->findChildren<URLHandler*>().size(), 1);
        }
        QVERIFY(!qApp->findChild<URLHandler*>());
        PreferredBrowser shortForm(m_case->product);
        shortForm.Init({"en_US", "", m_browser});
        QCOMPARE(shortForm.Path(), m_browser);
        const QUrl url("https://example.com/after");
        QDesktopServices::openUrl(url);
        QTRY_COMPARE_WITH_TIMEOUT(SystemOpened(url), 1, 60000);
        QVERIFY(!QFile::exists(BrowserRecord()));
    }
};

QUORVEL_TEST_MAIN(TestURLHandler)
#include "tst_URLHandler.moc"
