#include <Quorvel/App/Application/Browser/AbstractPreferredBrowser.h>
#include <Quorvel/App/Application/Browser/PreferredBrowser.h>
#include <Quorvel/App/InstallerSettingsManager.h>
#include <Quorvel/App/ProductSettingsManager.h>

#include "BrowserTestSupport.h"

#include <QtTest>

#include <memory>
#include <stdexcept>

using namespace Quorvel::App;
using namespace BrowserTestSupport;
using Context = AbstractPreferredBrowser::PreferredBrowserContext;

namespace {

const char kUntouched[] = "untouched";

const QString kUaBrowser =
    "Mozilla/5.0 (Windows NT 6.1; WOW64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/30.0.1599.12785 YaBrowser/13.12.1599.12785 Safari/537.36";
const QString kUaChrome =
    "Mozilla/5.0 (Windows NT 6.1) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/41.0.2228.0 "
    "Safari/537.36";
const QString kUaFirefox =
    "Mozilla/5.0 (Windows NT 6.1; WOW64; rv:40.0) Gecko/20100101 Firefox/40.1";
const QString kUaIexplore =
    "Mozilla/5.0 (Windows NT 6.1; WOW64; Trident/7.0; AS; rv:11.0) like Gecko";
const QString kUaLauncher = "Opera/9.80 (Windows NT 6.0) Presto/2.12.388 Version/12.14";
const QString kUaMsedge =
    "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
    "Chrome/96.0.4664.55 Safari/537.36 Edg/96.0.1054.43";
const QString kUaSafari =
    "Mozilla/5.0 (Windows; U; Windows NT 6.1; en-US) AppleWebKit/533.20.25 (KHTML, like Gecko) "
    "Version/5.0.4 Safari/533.20.27";

// The base class with a search that finds whatever the test says.
class FakeBrowser : public AbstractPreferredBrowser {
public:
    using AbstractPreferredBrowser::AbstractPreferredBrowser;

    QString result;
    int searches = 0;
    Context lastContext;

protected:
    QString FindPath(const Context& context) override {
        ++searches;
        lastContext = context;
        return result;
    }
};

std::string Stored(const std::shared_ptr<ProductSettingsManager>& settings) {
    return settings->GetString("PreferredBrowser", "<absent>");
}

}  // namespace

class TestPreferredBrowser : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_root;
    QString m_case;  // a fresh folder for each case
    std::shared_ptr<ProductSettingsManager> m_product;
    std::shared_ptr<InstallerSettingsManager> m_installer;
    std::unique_ptr<DesktopEntries> m_entries;

    // Names the files of the Init table: "existing", "missing" and "found" are browsers in
    // folders of their own; only "missing" has no file.
    QString Resolve(const QString& token) const {
        return token.isEmpty() ? QString() : m_root + "/" + token + "/chrome";
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_root = CanonicalPath(m_dir);
        QVERIFY(WriteFile(Resolve("existing"), "browser"));
        QVERIFY(WriteFile(Resolve("found"), "browser"));
    }

    void init() {
        // Fresh stores and no installed browsers for every case.
        static int round = 0;
        m_case = m_root + "/case" + QString::number(++round);
        QVERIFY(QDir().mkpath(m_case));
        m_product = std::make_shared<ProductSettingsManager>(m_case + "/product.ini");
        m_installer = std::make_shared<InstallerSettingsManager>(m_case + "/installer.ini");
        m_entries = std::make_unique<DesktopEntries>(m_case);
    }

    void cleanup() { m_entries.reset(); }

    void initDecidesThePath_data() {
        QTest::addColumn<QString>("before");      // path already held, from an earlier Init
        QTest::addColumn<QString>("browser");     // installer record
        QTest::addColumn<QString>("remembered");  // path remembered in the product settings
        QTest::addColumn<QString>("found");       // what a search finds
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("searches");
        QTest::addColumn<QString>("stored");  // kUntouched: nothing written

        QTest::newRow("no record, remembered file exists: taken without a search")
            << ""
            << ""
            << "existing"
            << "found"
            << "existing" << 0 << "existing";
        QTest::newRow("no record, nothing remembered: empty, and the empty value stored")
            << ""
            << ""
            << ""
            << ""
            << "" << 1 << "";
        QTest::newRow("no record, remembered file gone: searched") << ""
                                                                   << ""
                                                                   << "missing"
                                                                   << "found"
                                                                   << "found" << 1 << "found";
        QTest::newRow("installer record: searched although the remembered file exists")
            << ""
            << "chrome"
            << "existing"
            << "found"
            << "found" << 1 << "found";
        QTest::newRow("installer record, nothing found: the remembered path is cleared")
            << ""
            << "chrome"
            << "existing"
            << ""
            << "" << 1 << "";
        QTest::newRow("the same path again: not written again") << "existing"
                                                                << ""
                                                                << "existing"
                                                                << "found"
                                                                << "existing" << 0 << kUntouched;
        QTest::newRow("still nothing found: the empty value written again") << ""
                                                                            << "chrome"
                                                                            << ""
                                                                            << ""
                                                                            << "" << 1 << "";
        QTest::newRow("a different path than before: written") << "existing"
                                                               << "chrome"
                                                               << "existing"
                                                               << "found"
                                                               << "found" << 1 << "found";
    }

    void initDecidesThePath() {
        QFETCH(QString, before);
        QFETCH(QString, browser);
        QFETCH(QString, remembered);
        QFETCH(QString, found);
        QFETCH(QString, expected);
        QFETCH(int, searches);
        QFETCH(QString, stored);

        FakeBrowser preferred(m_product);
        if (!before.isEmpty()) {
            preferred.result = Resolve(before);
            preferred.Init({"en_US", "chrome", ""});
            QCOMPARE(preferred.Path(), Resolve(before));
            preferred.searches = 0;
        }
        m_product->SetString("PreferredBrowser", kUntouched);
        preferred.result = Resolve(found);

        const Context context{"de_DE", browser, Resolve(remembered)};
        preferred.Init(context);

        QCOMPARE(preferred.Path(), Resolve(expected));
        QCOMPARE(preferred.searches, searches);
        QCOMPARE(Stored(m_product),
                 stored == kUntouched ? std::string(kUntouched) : Resolve(stored).toStdString());
        if (searches > 0) {
            QCOMPARE(preferred.lastContext.locale, context.locale);
            QCOMPARE(preferred.lastContext.browser, context.browser);
            QCOMPARE(preferred.lastContext.preferredBrowser, context.preferredBrowser);
        }
    }

    void initWithoutSettingsStoresNothing() {
        FakeBrowser preferred(nullptr);
        preferred.result = Resolve("found");
        preferred.Init({"en_US", "chrome", ""});
        QCOMPARE(preferred.Path(), Resolve("found"));
    }

    // Path() searches only when it holds nothing or its file has gone.
    void pathIsCachedUntilItsFileGoes() {
        const QString first = m_case + "/cached/first/browser";
        const QString second = m_case + "/cached/second/browser";
        QVERIFY(WriteFile(first, "browser"));
        QVERIFY(WriteFile(second, "browser"));

        FakeBrowser preferred(m_product);
        int calls = 0;
        preferred.SetContextCallback([&calls] {
            ++calls;
            return Context{"en_US", "browser", ""};
        });
        QCOMPARE(preferred.Name(), QString());  // Name never searches
        QCOMPARE(preferred.searches, 0);

        preferred.result = first;
        QCOMPARE(preferred.Path(), first);
        QCOMPARE(preferred.Path(), first);
        QCOMPARE(calls, 1);
        QCOMPARE(preferred.searches, 1);
        QCOMPARE(Stored(m_product), first.toStdString());

        QVERIFY(QFile::remove(first));
        preferred.result = second;
        QCOMPARE(preferred.Path(), second);
        QCOMPARE(calls, 2);
        QCOMPARE(preferred.searches, 2);
        QCOMPARE(Stored(m_product), second.toStdString());

        // While nothing is found, every call searches again and stores the empty value.
        QVERIFY(QFile::remove(second));
        preferred.result.clear();
        QCOMPARE(preferred.Path(), QString());
        m_product->SetString("PreferredBrowser", kUntouched);
        QCOMPARE(preferred.Path(), QString());
        QCOMPARE(preferred.searches, 4);
        QCOMPARE(Stored(m_product), std::string());
    }

    void pathWithoutCallbackNeverSearches() {
        FakeBrowser preferred(m_product);
        preferred.result = Resolve("found");
        QCOMPARE(preferred.Path(), QString());
        QCOMPARE(preferred.searches, 0);
        QVERIFY(!m_product->Contains("PreferredBrowser"));
    }

    void nameAndUserAgent_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("userAgent");

        QTest::newRow("browser.exe") << "/opt/b/browser.exe"
                                     << "browser.exe" << kUaBrowser;
        QTest::newRow("chrome.exe") << "/opt/c/chrome.exe"
                                    << "chrome.exe" << kUaChrome;
        QTest::newRow("firefox.exe") << "/opt/f/firefox.exe"
                                     << "firefox.exe" << kUaFirefox;
        QTest::newRow("iexplore.exe") << "/opt/i/iexplore.exe"
                                      << "iexplore.exe" << kUaIexplore;
        QTest::newRow("launcher.exe") << "/opt/o/launcher.exe"
                                      << "launcher.exe" << kUaLauncher;
        QTest::newRow("msedge.exe") << "/opt/e/msedge.exe"
                                    << "msedge.exe" << kUaMsedge;
        QTest::newRow("safari.exe") << "/opt/s/safari.exe"
                                    << "safari.exe" << kUaSafari;
        QTest::newRow("opera.exe is not a key") << "/opt/o/opera.exe"
                                                << "opera.exe" << kUaBrowser;
        QTest::newRow("unlisted") << "/opt/u/unknown.exe"
                                  << "unknown.exe" << kUaBrowser;
        QTest::newRow("case matters") << "/opt/c/Chrome.exe"
                                      << "Chrome.exe" << kUaBrowser;
        QTest::newRow("empty path") << ""
                                    << "" << kUaBrowser;
        QTest::newRow("name with another suffix") << "/usr/bin/firefox.sh"
                                                  << "firefox.sh" << kUaBrowser;
#ifdef Q_OS_WIN
        QTest::newRow("name without suffix") << "/usr/bin/chrome"
                                             << "chrome" << kUaBrowser;
#else
        // Linux executables carry no suffix; they are looked up under their Windows name.
        QTest::newRow("Linux name without suffix") << "/usr/bin/chrome"
                                                   << "chrome" << kUaChrome;
        QTest::newRow("Linux name, Windows capitals") << "/usr/bin/Firefox"
                                                      << "Firefox" << kUaBrowser;
#endif
    }

    void nameAndUserAgent() {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QFETCH(QString, userAgent);
        FakeBrowser preferred(m_product);
        preferred.result = path;
        preferred.Init({"en_US", "any", ""});
        QCOMPARE(preferred.Name(), name);
        QCOMPARE(preferred.UserAgent(), userAgent);
    }

    // Copies take the path, the callback and the settings pointer along.
    void copiesShareCallbackAndSettings() {
        const QString held = m_case + "/copy/browser";
        QVERIFY(WriteFile(held, "browser"));
        FakeBrowser original(m_product);
        int calls = 0;
        original.SetContextCallback([&calls] {
            ++calls;
            return Context{"en_US", "chrome", ""};
        });
        original.result = held;
        QCOMPARE(original.Path(), held);

        auto other = std::make_shared<ProductSettingsManager>(m_case + "/other.ini");
        FakeBrowser constructed(original);
        FakeBrowser assigned(other);
        assigned = original;
        QVERIFY(QFile::remove(held));
        for (FakeBrowser* copy : {&constructed, &assigned}) {
            QCOMPARE(copy->Name(), QString("browser"));  // the path, held before any search
            copy->result = Resolve("found");
            QCOMPARE(copy->Path(), Resolve("found"));  // the callback, now the file is gone
        }
        QCOMPARE(calls, 3);
        QCOMPARE(Stored(m_product), Resolve("found").toStdString());
        QVERIFY(!other->Contains("PreferredBrowser"));
    }

    // Each row starts browsers and writes desktop entries under the case folder ("{dir}"),
    // then asks the short form to find `wanted`.
    void findPath_data() {
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QStringList>("running");  // copies started, then deleted if "-"
        QTest::addColumn<QStringList>("files");    // files to create ("+x": executable)
        QTest::addColumn<QStringList>("user");     // "<name>.desktop=<Exec>[=<Categories>]"
        QTest::addColumn<QStringList>("system");
        QTest::addColumn<QString>("expected");

        const QStringList none;
        QTest::newRow("empty name finds nothing")
            << "" << QStringList{"run/QuorvelBrowser"} << none << none << none << "";
        QTest::newRow("running copy named with capitals, found under its lower-case name")
            << "quorvelbrowser" << QStringList{"run/QuorvelBrowser"} << none << none << none
            << "run/QuorvelBrowser";
        QTest::newRow("running copy comes before an installed one")
            << "qbrowser" << QStringList{"run/qbrowser"} << QStringList{"inst/qbrowser"}
            << QStringList{"a.desktop={dir}/inst/qbrowser %u"} << none << "run/qbrowser";
        QTest::newRow("record in capitals: no running copy matches")
            << "QUORVELBROWSER" << QStringList{"run/QuorvelBrowser"} << none << none << none << "";
        QTest::newRow("record in capitals: an installed entry matches in any case")
            << "QUORVELBROWSER" << QStringList{"run/QuorvelBrowser"}
            << QStringList{"inst/quorvelbrowser"} << none
            << QStringList{"b.desktop={dir}/inst/quorvelbrowser %u"} << "inst/quorvelbrowser";
        QTest::newRow("running copy whose file is gone: installed entry used")
            << "qbrowser" << QStringList{"run/qbrowser-"} << QStringList{"inst/qbrowser"}
            << QStringList{"a.desktop={dir}/inst/qbrowser %U"} << none << "inst/qbrowser";
        QTest::newRow("entry of something else than a web browser")
            << "qbrowser" << none << QStringList{"inst/qbrowser"}
            << QStringList{"a.desktop={dir}/inst/qbrowser %u=Network;Email;"} << none << "";
        QTest::newRow("category must match as a whole")
            << "qbrowser" << none << QStringList{"inst/qbrowser"}
            << QStringList{"a.desktop={dir}/inst/qbrowser=Network;WebBrowserTools;"} << none << "";
        QTest::newRow("quoted Exec with a blank in the path")
            << "qbrowser" << none << QStringList{"my apps/qbrowser"}
            << QStringList{"a.desktop=\"{dir}/my apps/qbrowser\" %u"} << none << "my apps/qbrowser";
        QTest::newRow("Exec with arguments never matches")
            << "qbrowser" << none << QStringList{"inst/qbrowser"}
            << QStringList{"a.desktop={dir}/inst/qbrowser --new-window %U"} << none << "";
        QTest::newRow("user's entry before the system's")
            << "qbrowser" << none << QStringList{"user/qbrowser", "sys/qbrowser"}
            << QStringList{"z.desktop={dir}/user/qbrowser"}
            << QStringList{"a.desktop={dir}/sys/qbrowser"} << "user/qbrowser";
        QTest::newRow("entry naming a missing file is passed over")
            << "qbrowser" << none << QStringList{"sys/qbrowser"}
            << QStringList{"a.desktop={dir}/gone/qbrowser %u"}
            << QStringList{"a.desktop={dir}/sys/qbrowser %u"} << "sys/qbrowser";
        QTest::newRow("first matching entry of a folder, by file name")
            << "qbrowser" << none << QStringList{"one/qbrowser", "two/qbrowser"}
            << QStringList{"b.desktop={dir}/two/qbrowser", "a.desktop={dir}/one/qbrowser"} << none
            << "one/qbrowser";
        QTest::newRow("base name: what precedes the first dot")
            << "qbrowser" << none << QStringList{"inst/qbrowser.bin"}
            << QStringList{"a.desktop={dir}/inst/qbrowser.bin"} << none << "inst/qbrowser.bin";
        QTest::newRow("base name: a dotted record never matches")
            << "qbrowser.bin" << none << QStringList{"inst/qbrowser.bin"}
            << QStringList{"a.desktop={dir}/inst/qbrowser.bin"} << none << "";
        QTest::newRow("bare program name looked up on the PATH")
            << "qbrowser" << none << QStringList{"bin/qbrowser+x"}
            << QStringList{"a.desktop=qbrowser %u"} << none << "bin/qbrowser";
        QTest::newRow("escaped blank in Exec")
            << "qbrowser" << none << QStringList{"my apps/qbrowser"}
            << QStringList{"a.desktop=\"{dir}/my\\sapps/qbrowser\""} << none << "my apps/qbrowser";
    }

    void findPath() {
        QFETCH(QString, wanted);
        QFETCH(QStringList, running);
        QFETCH(QStringList, files);
        QFETCH(QStringList, user);
        QFETCH(QStringList, system);
        QFETCH(QString, expected);

        const QString dir = m_case;
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
            QVERIFY(WriteFile(dir + "/" + file, "browser",
                              executable ? kExecutable : QFile::Permissions()));
        }
        const auto add = [&](const QStringList& entries, bool forUser) {
            for (const QString& entry : entries) {
                const QStringList parts = entry.split('=');
                const QString exec = QString(parts.value(1)).replace("{dir}", dir);
                const QString text = parts.size() > 2 ? DesktopEntries::Browser(exec, parts[2])
                                                      : DesktopEntries::Browser(exec);
                if (!(forUser ? m_entries->AddUser(parts[0], text)
                              : m_entries->AddSystem(parts[0], text))) {
                    return false;
                }
            }
            return true;
        };
        QVERIFY(add(user, true));
        QVERIFY(add(system, false));
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", (dir + "/bin:").toLocal8Bit() + oldPath);

        PreferredBrowser preferred(m_product);
        preferred.Init({"en_US", wanted, ""});
        qputenv("PATH", oldPath);

        const QString path = expected.isEmpty() ? QString() : dir + "/" + expected;
        QCOMPARE(preferred.Path(), path);
        QCOMPARE(Stored(m_product), path.toStdString());
    }

    // An action group has an Exec of its own, which must not stand for the browser.
    void onlyTheMainGroupOfAnEntryCounts() {
        const QString browser = m_case + "/actions/qbrowser";
        QVERIFY(WriteFile(browser, "browser"));
        const QString text =
            "# A browser\n[Desktop Entry]\nCategories=Network;WebBrowser;\nExec=" + browser +
            " --private %u\nActions=new;\n\n[Desktop Action new]\n" + "Exec=" + browser + "\n";
        QVERIFY(m_entries->AddUser("a.desktop", text));
        PreferredBrowser preferred(m_product);
        preferred.Init({"en_US", "qbrowser", ""});
        QCOMPARE(preferred.Path(), QString());
    }

    void shortFormNeverSearches() {
        RunningCopies copies;
        QVERIFY(copies.Start(m_case + "/short/QuorvelShort") > 0);
        m_installer->SetString("Browser", "quorvelshort");
        m_product->SetString("PreferredBrowser", Resolve("existing").toStdString());

        PreferredBrowser preferred(m_product);
        QCOMPARE(preferred.Path(), QString());
        QCOMPARE(preferred.Name(), QString());
        QCOMPARE(Stored(m_product), Resolve("existing").toStdString());
        preferred.onStart();
        QCOMPARE(preferred.Path(), QString());

        preferred.Init({"en_US", "quorvelshort", ""});
        QCOMPARE(preferred.Path(), m_case + "/short/QuorvelShort");
    }

    // The full form reads its hints from the services each time it searches.
    void fullFormReadsTheServices() {
        const QString installed = m_case + "/full/" + QString::fromUtf8("браузер");
        QVERIFY(WriteFile(installed, "browser"));
        QVERIFY(m_entries->AddSystem("a.desktop", DesktopEntries::Browser(installed)));
        auto looks = std::make_shared<FakeLookAndFeel>("de_DE");
        m_installer->SetString("Browser", "браузер");
        m_product->SetString("PreferredBrowser", "/remembered/before");

        {
            RecordingBrowser preferred(looks, m_product, m_installer);
            preferred.onStart();  // an extension with nothing to do at start
            QCOMPARE(preferred.searches, 0);
            QCOMPARE(preferred.Path(), installed);
            QCOMPARE(preferred.searches, 1);
            QCOMPARE(preferred.lastContext.locale, QString("de_DE"));
            QCOMPARE(preferred.lastContext.browser, QString::fromUtf8("браузер"));
            QCOMPARE(preferred.lastContext.preferredBrowser, QString("/remembered/before"));
            QCOMPARE(Stored(m_product), installed.toStdString());
            QCOMPARE(preferred.Name(), QString::fromUtf8("браузер"));
        }

        // A later run without an installer record takes the remembered path as it is.
        m_installer->Remove("Browser");
        QVERIFY(QFile::remove(m_case + "/system/applications/a.desktop"));
        RecordingBrowser later(looks, m_product, m_installer);
        QCOMPARE(later.Path(), installed);
        QCOMPARE(later.searches, 0);
    }

    void fullFormRequiresItsServices() {
        const auto looks = std::make_shared<FakeLookAndFeel>("en_US");
        QVERIFY_EXCEPTION_THROWN(PreferredBrowser(nullptr, m_product, m_installer),
                                 std::logic_error);
        QVERIFY_EXCEPTION_THROWN(PreferredBrowser(looks, m_product, nullptr), std::logic_error);
    }

    // The product settings may be missing: nothing is remembered, the search still works.
    void fullFormWithoutProductSettings() {
        const QString installed = m_case + "/noproduct/qbrowser";
        QVERIFY(WriteFile(installed, "browser"));
        QVERIFY(m_entries->AddUser("a.desktop", DesktopEntries::Browser(installed)));
        m_installer->SetString("Browser", "qbrowser");
        PreferredBrowser preferred(std::make_shared<FakeLookAndFeel>("en_US"), nullptr,
                                   m_installer);
        QCOMPARE(preferred.Path(), installed);
    }
};

QUORVEL_TEST_MAIN(TestPreferredBrowser)
#include "tst_PreferredBrowser.moc"
