#include <Quorvel/App/Application/Browser/PreferredBrowser.h>
#include <Quorvel/App/Application/Browser/URLHandler.h>
#include <Quorvel/App/InstallerSettingsManager.h>
#include <Quorvel/App/ProductSettingsManager.h>

#include "BrowserTestSupport.h"

#include <QDesktopServices>
#include <QtTest>

#include <memory>

using namespace Quorvel::App;
using namespace BrowserTestSupport;

namespace {

// What reached the system's own handler. With this platform plugin Qt refuses with a warning
// naming the link; where Qt runs xdg-open instead, the fake one on the PATH records it.
QStringList g_refused;
QtMessageHandler g_previousHandler = nullptr;

void RecordRefusals(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains("QPlatformServices::openUrl()")) {
        g_refused << text;
    }
    g_previousHandler(type, context, text);
}

QStringList Lines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromLocal8Bit(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

}  // namespace

class TestURLHandler : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_root;
    QString m_case;
    std::shared_ptr<ProductSettingsManager> m_product;
    std::shared_ptr<InstallerSettingsManager> m_installer;
    std::shared_ptr<FakeLookAndFeel> m_looks = std::make_shared<FakeLookAndFeel>("en_US");
    std::unique_ptr<DesktopEntries> m_entries;

    QString SystemRecord() const { return m_root + "/xdg-open.record"; }

    // The system's handler got exactly this link this many times.
    int SystemOpened(const QUrl& url) const {
        int count = 0;
        for (const QString& refusal : g_refused) {
            count += refusal.contains(url.toString()) ? 1 : 0;
        }
        for (const QString& line : Lines(SystemRecord())) {
            count += line == url.toEncoded() ? 1 : 0;
        }
        return count;
    }

    // A browser that writes how many arguments it got and each of them, NUL-terminated, then
    // moves the record into place so that it is seen whole.
    QString WriteFakeBrowser(const QString& path, const QString& record) {
        const QByteArray script =
            "#!/bin/sh\n{ printf '%s\\n' \"$#\"; for a in \"$@\"; do "
            "printf '%s\\0' \"$a\"; done; } > '" +
            record.toLocal8Bit() + ".part' && mv '" + record.toLocal8Bit() + ".part' '" +
            record.toLocal8Bit() + "'\n";
        return WriteFile(path, script, kExecutable) ? path : QString();
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_root = CanonicalPath(m_dir);
        // Where Qt hands links to xdg-open, it finds this one first, once and for all.
        QVERIFY(WriteFile(
            m_root + "/bin/xdg-open",
            "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + SystemRecord().toLocal8Bit() + "'\n",
            kExecutable));
        qputenv("PATH", (m_root + "/bin:").toLocal8Bit() + qgetenv("PATH"));
        g_previousHandler = qInstallMessageHandler(RecordRefusals);
    }

    void cleanupTestCase() { qInstallMessageHandler(g_previousHandler); }

    void init() {
        static int round = 0;
        m_case = m_root + "/case" + QString::number(++round);
        QVERIFY(QDir().mkpath(m_case));
        m_product = std::make_shared<ProductSettingsManager>(m_case + "/product.ini");
        m_installer = std::make_shared<InstallerSettingsManager>(m_case + "/installer.ini");
        m_entries = std::make_unique<DesktopEntries>(m_case);
        g_refused.clear();
        QFile::remove(SystemRecord());
    }

    void cleanup() { m_entries.reset(); }

    void openUrl_data() {
        QTest::addColumn<QString>("link");        // "{dir}" is the case folder
        QTest::addColumn<QString>("remembered");  // "browser", "plain file", "folder" or none
        QTest::addColumn<bool>("installed");      // installer record + desktop entry of it
        QTest::addColumn<bool>("toBrowser");
        QTest::addColumn<int>("searches");
        QTest::addColumn<int>("toSystem");

        const QString nasty =
            "http://example.com/a b/\"quoted\" 'single'/;semi?q=$(touch {dir}/pwned)&r=`touch "
            "{dir}/pwned`;touch {dir}/pwned|tee {dir}/pwned&&x=1#frag $HOME";
        QTest::newRow("http link full of shell characters, remembered browser")
            << nasty << "browser" << false << true << 0 << 0;
        QTest::newRow("https link full of shell characters, installed browser")
            << QString(nasty).replace("http:", "https:") << "" << true << true << 1 << 0;
        QTest::newRow("no browser found: the system's handler, once")
            << "https://example.com/help"
            << "" << false << false << 1 << 1;
        QTest::newRow("remembered file cannot be started: the system's handler, once")
            << "http://example.com/help"
            << "plain file" << false << false << 0 << 1;
        QTest::newRow("remembered path is a folder: the system's handler, once")
            << "http://example.com/help"
            << "folder" << false << false << 0 << 1;
        QTest::newRow("ftp link is not taken over") << "ftp://example.com/file"
                                                    << "" << true << false << 0 << 1;
        QTest::newRow("mailto link is not taken over") << "mailto:someone@example.com"
                                                       << "" << true << false << 0 << 1;
    }

    void openUrl() {
        QFETCH(QString, link);
        QFETCH(QString, remembered);
        QFETCH(bool, installed);
        QFETCH(bool, toBrowser);
        QFETCH(int, searches);
        QFETCH(int, toSystem);

        const QString record = m_case + "/browser.record";
        const QString browser = WriteFakeBrowser(m_case + "/apps/qbrowser", record);
        QVERIFY(!browser.isEmpty());
        if (remembered == "browser") {
            m_product->SetString("PreferredBrowser", browser.toStdString());
        } else if (remembered == "plain file") {
            QVERIFY(WriteFile(m_case + "/plain/qbrowser", "#!/bin/sh\ntouch pwned\n"));
            m_product->SetString("PreferredBrowser", m_case.toStdString() + "/plain/qbrowser");
        } else if (remembered == "folder") {
            QVERIFY(QDir().mkpath(m_case + "/folder/qbrowser"));
            m_product->SetString("PreferredBrowser", m_case.toStdString() + "/folder/qbrowser");
        }
        if (installed) {
            QVERIFY(m_entries->AddUser("q.desktop", DesktopEntries::Browser(browser + " %u")));
            m_installer->SetString("Browser", "qbrowser");
        } else if (remembered.isEmpty()) {
            m_installer->SetString("Browser", "nosuchbrowser");
        }
        const QUrl url(QString(link).replace("{dir}", m_case));
        QVERIFY(url.isValid());

        RecordingBrowser preferred(m_looks, m_product, m_installer);
        QDesktopServices::openUrl(url);

        if (toBrowser) {
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 60000);
            QFile file(record);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray written = file.readAll();
            const int newline = written.indexOf('\n');
            QCOMPARE(written.left(newline), QByteArray("1"));
            // Exactly the link, and nothing after its terminator.
            QCOMPARE(written.mid(newline + 1), url.toString().toLocal8Bit().append('\0'));
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(SystemOpened(url), toSystem, 60000);
            QVERIFY(!QFile::exists(record));
        }
        QCOMPARE(SystemOpened(url), toSystem);
        QCOMPARE(preferred.searches, searches);
        // Nothing in the link was run by a shell.
        QVERIFY(!QFile::exists(m_case + "/pwned"));
        QVERIFY(!QFile::exists("pwned"));
    }

    // Qt drops a handler that is destroyed; a short-form browser takes over nothing.
    void linksGoToTheSystemWithoutAFullBrowser_data() {
        QTest::addColumn<bool>("shortFormAlive");
        QTest::newRow("full browser destroyed") << false;
        QTest::newRow("full browser destroyed, short form alive") << true;
    }

    void linksGoToTheSystemWithoutAFullBrowser() {
        QFETCH(bool, shortFormAlive);
        const QString record = m_case + "/browser.record";
        const QString browser = WriteFakeBrowser(m_case + "/apps/qbrowser", record);
        m_product->SetString("PreferredBrowser", browser.toStdString());
        {
            // The application owns the handler too, until the browser deletes it.
            PreferredBrowser preferred(m_looks, m_product, m_installer);
            const auto handlers = app()->findChildren<URLHandler*>();
            QCOMPARE(handlers.size(), 1);
            QCOMPARE(QString(handlers[0]->metaObject()->className()),
                     QString("Quorvel::App::URLHandler"));
        }
        QVERIFY(!app()->findChild<URLHandler*>());
        std::unique_ptr<PreferredBrowser> shortForm;
        if (shortFormAlive) {
            shortForm = std::make_unique<PreferredBrowser>(m_product);
            shortForm->Init({"en_US", "", browser});
            QCOMPARE(shortForm->Path(), browser);
        }
        const QUrl url("https://example.com/after");
        QDesktopServices::openUrl(url);
        QTRY_COMPARE_WITH_TIMEOUT(SystemOpened(url), 1, 60000);
        QVERIFY(!QFile::exists(record));
    }

private:
    static QCoreApplication* app() { return QCoreApplication::instance(); }
};

QUORVEL_TEST_MAIN(TestURLHandler)
#include "tst_URLHandler.moc"
