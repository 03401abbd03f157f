#include <Quorvel/App/Appearance/DesktopAppearance.h>
#include <Quorvel/App/Appearance/ThemeFollower.h>
#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/App/SettingsStore.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include "posix/PortalSchemeValue.h"

#include <QDBusVariant>

using Quorvel::App::DesktopAppearance;
using Quorvel::App::ThemeFollower;
using Scheme = DesktopAppearance::Scheme;

namespace {

// The desktop's setting that the GTK portal reports, as a user changes it.
bool SetDesktopScheme(const QString& value) {
    return QProcess::execute("gsettings",
                             {"set", "org.gnome.desktop.interface", "color-scheme", value}) == 0;
}

QVariant Nested(const QVariant& value, int depth) {
    QVariant result = value;
    for (int i = 0; i < depth; ++i) {
        result = QVariant::fromValue(QDBusVariant(result));
    }
    return result;
}

}  // namespace

class DesktopAppearanceTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::shared_ptr<Quorvel::App::LookAndFeelManager> m_manager;
    std::shared_ptr<Quorvel::App::SettingsStore> m_settings;

private slots:
    void init() {
        for (const QString theme : {"light", "dark"}) {
            QVERIFY(Quorvel::TestSupport::WriteFile(
                m_dir.filePath("resources/themes/" + theme + "/title.json"), "{}"));
        }
        m_manager = std::make_shared<Quorvel::App::LookAndFeelManager>(
            m_dir.path().toStdString(), "title.json", std::list<std::string>{});
        QFile::remove(m_dir.filePath("settings.ini"));
        m_settings =
            std::make_shared<Quorvel::App::SettingsStore>("test", m_dir.filePath("settings.ini"));
        m_manager->SetTheme("light");
    }

    void portalValues_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("scheme");  // -1: refused
        QTest::newRow("Read's two variants, dark") << Nested(1u, 2) << int(Scheme::Dark);
        QTest::newRow("a signal's one variant, light") << Nested(2u, 1) << int(Scheme::Light);
        QTest::newRow("no preference") << Nested(0u, 2) << int(Scheme::NoPreference);
        QTest::newRow("out of range") << Nested(3u, 2) << -1;
        QTest::newRow("a string") << Nested(QString("dark"), 2) << -1;
        QTest::newRow("a signed number") << Nested(1, 2) << -1;
        QTest::newRow("three variants deep") << Nested(1u, 3) << -1;
    }
    void portalValues() {
        QFETCH(QVariant, value);
        QFETCH(int, scheme);
        const auto read = Quorvel::App::Platform::ReadPortalSchemeValue(value);
        QCOMPARE(read.scheme ? int(*read.scheme) : -1, scheme);
        QCOMPARE(read.problem.isEmpty(), scheme != -1);
    }

    // A mapping naming a theme that is not installed is refused and following stays off,
    // whatever was stored; a valid one takes the stored choice up.
    void mapping() {
        DesktopAppearance desktop;
        m_settings->SetBool(ThemeFollower::FollowSystemKey, true);
        ThemeFollower follower(m_manager, m_settings, &desktop);
        Quorvel::TestSupport::LogCapture log;
        QVERIFY(!follower.SetThemes("light", "midnight"));
        QCOMPARE(log.Count("[midnight] is not installed"), 1);
        QVERIFY(!follower.IsFollowing());
        QVERIFY(follower.SetThemes("light", "dark"));
        QVERIFY(follower.IsFollowing());
        follower.SetFollowing(false);
        QVERIFY(!m_settings->GetBool(ThemeFollower::FollowSystemKey, true));
        QCOMPARE(m_manager->GetCurrentTheme(), std::string("light"));
    }

    // Without a bus the desktop has no preference at once, said in one INFO line.
    void noBus() {
        QVERIFY(qgetenv("DBUS_SESSION_BUS_ADDRESS").startsWith("unix:path=/nonexistent"));
        Quorvel::TestSupport::LogCapture log;
        QElapsedTimer clock;
        clock.start();
        DesktopAppearance desktop;
        QVERIFY(clock.elapsed() < 2000);  // a blocking call would wait for its 10 s timeout
        QTest::qWait(200);
        QCOMPARE(desktop.CurrentScheme(), Scheme::NoPreference);
        QCOMPARE(log.Count("colour preference is not known"), 1);
    }

    // Against the real portal on a private bus: the first answer comes after the constructor,
    // each change of the desktop's setting arrives as a signal and, while following, switches
    // the theme before the signal's next listener runs.
    void followsPortal_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("follow");
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("scheme");
        QTest::addColumn<QString>("theme");
        QTest::newRow("to dark") << "prefer-light" << true << "prefer-dark" << int(Scheme::Dark)
                                 << "dark";
        QTest::newRow("to light") << "prefer-dark" << true << "prefer-light" << int(Scheme::Light)
                                  << "light";
        QTest::newRow("no preference keeps the theme")
            << "prefer-dark" << true << "default" << int(Scheme::NoPreference) << "dark";
        QTest::newRow("not following")
            << "prefer-light" << false << "prefer-dark" << int(Scheme::Dark) << "light";
    }
    void followsPortal() {
        if (qgetenv("QUORVEL_DESKTOP_PORTAL") != "1") {
            QSKIP("needs the desktop portal on a private bus (run_with_portal.sh)");
        }
        QFETCH(QString, start);
        QFETCH(bool, follow);
        QFETCH(QString, change);
        QFETCH(int, scheme);
        QFETCH(QString, theme);
        QVERIFY(SetDesktopScheme(start));
        DesktopAppearance desktop;
        QCOMPARE(desktop.CurrentScheme(), Scheme::NoPreference);
        QSignalSpy spy(&desktop, &DesktopAppearance::SchemeChanged);
        QVERIFY(spy.wait(10000));
        QCOMPARE(desktop.CurrentScheme(), start == "prefer-dark" ? Scheme::Dark : Scheme::Light);

        ThemeFollower follower(m_manager, m_settings, &desktop);
        QVERIFY(follower.SetThemes("light", "dark"));
        follower.SetFollowing(follow);
        std::string themeWhenTold;
        connect(&desktop, &DesktopAppearance::SchemeChanged, this,
                [&] { themeWhenTold = m_manager->GetCurrentTheme(); });
        QVERIFY(SetDesktopScheme(change));
        QTRY_COMPARE_WITH_TIMEOUT(int(desktop.CurrentScheme()), scheme, 10000);
        QCOMPARE(QString::fromStdString(themeWhenTold), theme);
        QCOMPARE(QString::fromStdString(m_manager->GetCurrentTheme()), theme);
    }
};

QUORVEL_TEST_MAIN(DesktopAppearanceTest)
#include "tst_DesktopAppearance.moc"
