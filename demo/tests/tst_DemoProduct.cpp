// The demo product run as a user runs it, in its own process with a private home.
#include <Quorvel/TestSupport/LocalHttpServer.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QImage>

#include <pwd.h>
#include <unistd.h>

using Server = Quorvel::TestSupport::LocalHttpServer;

namespace {

// glog names the log after the program: quorvel-demo, or quorvel-demo-qt6.
const QString kLogName = QFileInfo(QUORVEL_DEMO_EXECUTABLE).fileName() + ".INFO";

struct Run {
    int exitCode = -1;  // -2: crashed or killed
    QString out, err;
};

class DemoHome {
public:
    // No update check leaves the machine: the tests that want one point it at their server.
    DemoHome() { Set("product", "autoUpdate", false); }
    QString Path(const QString& relative) const { return m_dir.filePath(relative); }
    QString SettingsFile(const QString& scope) const {
        return Path("config/Quorvel Labs/QuorvelDemo/" + scope + ".ini");
    }
    void Set(const QString& scope, const QString& key, const QVariant& value) const {
        QSettings(SettingsFile(scope), QSettings::IniFormat).setValue(key, value);
    }
    QVariant Get(const QString& scope, const QString& key) const {
        return QSettings(SettingsFile(scope), QSettings::IniFormat).value(key);
    }
    bool Write(const QString& relative, const QByteArray& content,
               QFile::Permissions permissions = {}) const {
        return Quorvel::TestSupport::WriteFile(Path(relative), content, permissions);
    }

    // The demo's data with links.json giving `name` another address.
    QString DataWithLink(const QString& name, const QString& url) const {
        const QString data = Path("product data");
        QDir().mkpath(data);
        for (const QString entry : {"resources", "customization.json"}) {
            QFile::link(QUORVEL_DEMO_DATA_DIR "/" + entry, data + '/' + entry);
        }
        const QString entry = '"' + name + "\": \"";
        Write("product data/links.json",
              QString(Quorvel::TestSupport::ReadFile(QUORVEL_DEMO_DATA_DIR "/links.json"))
                  .replace(QRegularExpression(entry + "[^\"]*"), entry + url)
                  .toUtf8());
        return data;
    }

    // The headless tour, pictures in shots/ unless `arguments` say otherwise; killed at once
    // when `killWhen` exists. Run as `user` (by setpriv), it has no HOME and no XDG folders.
    Run Start(const QStringList& arguments = {}, const QString& data = QUORVEL_DEMO_DATA_DIR,
              const QString& killWhen = {}, const QString& user = {}) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // Programs of this home come first, so that a fake browser is used.
        environment.insert("PATH", Path("bin") + ':' + environment.value("PATH"));
        environment.insert("HOME", m_dir.path());
        environment.insert("XDG_CONFIG_HOME", Path("config"));
        environment.insert("XDG_DATA_HOME", Path("data"));
        for (const QString& name : environment.keys()) {
            if (!user.isEmpty() && (name == "HOME" || name.startsWith("XDG_"))) {
                environment.remove(name);
            }
        }
        QStringList all = QStringList{"--data-dir", data} + arguments;
        if (!arguments.contains("--screenshot-dir")) all << "--screenshot-dir" << Path("shots");
        if (!user.isEmpty()) {
            all = QStringList{"--reuid=" + user, "--regid=" + user, "--clear-groups",
                              QUORVEL_DEMO_EXECUTABLE} +
                  all;
        }
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(user.isEmpty() ? QUORVEL_DEMO_EXECUTABLE : "setpriv", all);
        QTimer killer;
        QObject::connect(&killer, &QTimer::timeout, [&] {
            if (!killWhen.isEmpty() && QFileInfo::exists(killWhen)) process.kill();
        });
        killer.start(10);
        // The event loop keeps running meanwhile, so that a server of the test can answer.
        QEventLoop loop;
        QObject::connect(&process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), &loop,
                         &QEventLoop::quit);
        QTimer::singleShot(120000, &loop, &QEventLoop::quit);
        if (process.waitForStarted(20000)) loop.exec();
        Run run;
        if (process.state() == QProcess::NotRunning) {
            run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
        }
        run.out = process.readAllStandardOutput();
        run.err = process.readAllStandardError();
        return run;
    }

private:
    QTemporaryDir m_dir;
};

// The lightness of the window's background, away from any widget; -1 without a picture.
int Lightness(const QString& picture) {
    const QImage image(picture);
    return image.isNull() ? -1 : image.pixelColor(4, image.height() / 2).lightness();
}

}  // namespace

class DemoProductTest : public QObject {
    Q_OBJECT
private slots:
    // The tour pictures every theme and language and puts the user's choice back; killed on
    // the way, it leaves the user's own, never one it visited.
    void tourRestoresTheRememberedChoice_data() {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<QString>("killedAt");  // the picture that ends the run at once
        QTest::newRow("whole tour") << "dark" << QString();
        QTest::newRow("killed mid-tour") << "light" << QString("dark-en_US.png");
    }
    void tourRestoresTheRememberedChoice() {
        QFETCH(QString, theme);
        QFETCH(QString, killedAt);
        DemoHome home;
        home.Set("application", "LookAndFeel/Theme", theme);
        home.Set("application", "LookAndFeel/Locale", "de_DE");
        const Run run = home.Start({}, QUORVEL_DEMO_DATA_DIR,
                                   killedAt.isEmpty() ? "" : home.Path("shots/" + killedAt));
        QCOMPARE(run.exitCode, killedAt.isEmpty() ? 0 : -2);
        QCOMPARE(Lightness(home.Path("shots/started.png")) < 60, theme == "dark");
        QCOMPARE(home.Get("application", "LookAndFeel/Theme").toString(), theme);
        QCOMPARE(home.Get("application", "LookAndFeel/Locale").toString(), QString("de_DE"));
        if (killedAt.isEmpty()) {
            for (const QString locale : {"en_US", "de_DE", "ru_RU"}) {
                QVERIFY(Lightness(home.Path("shots/light-" + locale + ".png")) > 200);
                QVERIFY(Lightness(home.Path("shots/dark-" + locale + ".png")) < 60);
            }
            QVERIFY(!QImage(home.Path("shots/help-menu.png")).isNull());
            QVERIFY(QFileInfo(home.Path("data/quorvel-demo/logs/" + kLogName)).size() > 0);
        }
    }

    // Without HOME, the home folder is the user's in the password database; with none there, or
    // one that does not exist, the demo does not start. Running as another user needs root.
    void homeFromThePasswordDatabase_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("named");
        const passwd* daemon = ::getpwnam("daemon");
        QTest::newRow("a home there") << QString::number(daemon ? daemon->pw_uid : 0) << 0
                                      << QString("%1/").arg(daemon ? daemon->pw_dir : "");
        const passwd* nobody = ::getpwnam("nobody");  // the same buffer as daemon's
        QTest::newRow("a home that does not exist") << QString::number(nobody ? nobody->pw_uid : 0)
                                                    << 1 << QString(nobody ? nobody->pw_dir : "");
        QTest::newRow("no entry") << "54321" << 1 << "54321";
    }
    void homeFromThePasswordDatabase() {
        QFETCH(QString, user);
        QFETCH(int, exitCode);
        QFETCH(QString, named);
        if (::geteuid() != 0 || named.isEmpty() || named == "/") {
            QSKIP("needs root and the system's daemon and nobody users");
        }
        QTemporaryDir shots;  // for a user who may write nowhere else
        QVERIFY(QFile::setPermissions(shots.path(), QFileDevice::Permissions(0x7777)));
        const Run run =
            DemoHome().Start({"--screenshot-dir", shots.path()}, QUORVEL_DEMO_DATA_DIR, "", user);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2((run.out + run.err).contains(named), qPrintable(run.out + run.err));
    }

    // The help link, opened through the desktop's URL service, reaches the browser the
    // installer recorded (found among the system's web browsers), once. Without one: the
    // URL handler's and the preferred browser's own suites.
    void webLinksOpenInThePreferredBrowser() {
        DemoHome home;
        const QString browser = home.Path("bin/quorvelbrowser");  // notes each address given
        QVERIFY(home.Write("bin/quorvelbrowser",
                           "#!/bin/sh\nfor a in \"$@\"; do echo \"quorvelbrowser $a\"; done >> \"" +
                               home.Path("opened.txt").toUtf8() + "\"\n",
                           QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(home.Write("data/applications/quorvel-browser.desktop",
                           "[Desktop Entry]\nType=Application\nName=Quorvel Browser\n"
                           "Categories=Network;WebBrowser;\nExec=\"" +
                               browser.toUtf8() + "\"\n"));
        home.Set("installer", "Browser", "quorvelbrowser");
        const Run run = home.Start({"--open", "HELP_URL_menu"});
        QCOMPARE(run.exitCode, 0);
        // Written by a detached process.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(home.Path("opened.txt")).size() > 0, 20000);
        QTest::qWait(200);  // a second opening would land by now
        QVERIFY(QString(Quorvel::TestSupport::ReadFile(home.Path("opened.txt")))
                    .contains(QRegularExpression("^quorvelbrowser https://\\S+/help\\S*\\n$")));
        QVERIFY(!run.err.contains("QPlatformServices::openUrl()"));
        QCOMPARE(home.Get("product", "PreferredBrowser").toString(), browser);
    }

    // Five seconds after start the demo asks for updates, with the product's headers, tells
    // what came back in one record, and offers only a newer version: an older one reads as up
    // to date, as the same one does ("autoUpdate" off: tst_UpdateRequesters).
    void checksForUpdates() {
        QMap<QByteArray, QImage> status;  // the status bar each answer left
        const QByteArray forged = "oops\nI0000 forged.cpp:1] \x1b[2J";
        for (const QByteArray& body : {QByteArray("9.0"), QByteArray("1.0.0.42"), QByteArray("0.1"),
                                       QByteArray("500"), forged}) {
            Server server;
            server.SetAnswer(body == "500" ? Server::Answer::ServerError : Server::Answer::Ok,
                             body == forged ? body : "{\"version\": \"" + body + "\"}");
            DemoHome home;
            home.Set("product", "autoUpdate", true);
            const Run run =
                home.Start({}, home.DataWithLink("CHECK_FOR_UPDATES_URL",
                                                 server.Url("/u").toString() + "?v={version}"));
            QCOMPARE(run.exitCode, 0);
            QCOMPARE(int(server.Requests().size()), 1);
            QCOMPARE(server.Requests()[0].path, QByteArray("/u?v=1.0.0.42"));
            QCOMPARE(server.Requests()[0].headers.value("quorvel-huid").size(), 40);  // hashed
            const QString logged = body == forged ? "E.*oops. *I0000 forged.cpp:1] .\\[2J\n"
                                                  : (body == "500" ? "E.* " : "I.* ") + body;
            QCOMPARE(run.err.count(QRegularExpression("\n" + logged)), 1);
            QVERIFY(!run.err.contains("\nI0000") && !run.err.contains('\x1b'));
            const QImage picture(home.Path("shots/update-check.png"));
            QVERIFY(!picture.isNull());
            // The status bar, below the notes' blinking cursor.
            status[body] = picture.copy(0, picture.height() - 30, picture.width(), 30);
        }
        QVERIFY(status["9.0"] != status["1.0.0.42"]);
        QVERIFY(status["0.1"] == status["1.0.0.42"]);
    }

    // The support options beside the demo's own; a picture the tour cannot save, or a customization
    // it cannot read, stops it naming the file (never rewritten); a long word fits its row. The
    // first start after installation offers the e-mail dialog: with nobody at the screen it is
    // pictured and closed, nothing is sent.
    void runs_data() {
        QTest::addColumn<QString>("arguments");  // BLOCK, BAD, LONG, INSTALL: the set-up
        QTest::addColumn<int>("exitCode");       // -2: crashed
        QTest::addColumn<QString>("out");        // in the output; "HOME": the home
        QTest::addColumn<QString>("file");       // of the home, holds `content`
        QTest::addColumn<QString>("content");
        const QString log = "data/quorvel-demo/logs/" + kLogName;
        const QString dump = "data/Quorvel Labs/QuorvelDemo/Quorvel Demo-url-dump.csv";
        QTest::newRow("crash") << "--test-crash-after 0" << -2 << "" << log << "SIGSEGV";
        QTest::newRow("dump") << "--test-dump-urls" << 0 << "HOME/" + dump << dump
                              << "\nru_RU;HELP_URL_menu;https://";
        QTest::newRow("quit asked") << "" << 0 << "\"Quit\"" << log << "";
        QTest::newRow("over-long link name")
            << "--open " + QString(300, 'N') << 1 << "" << log << "--open";
        QTest::newRow("a picture's place is taken") << "BLOCK" << 1 << "" << log << "";
        QTest::newRow("a long word as a fact") << "LONG" << 0 << "" << log << "";
        QTest::newRow("after install")
            << "INSTALL" << 0 << "" << QString("shots/emailDialog.png") << "";
        QTest::newRow("customization not JSON") << "BAD" << 1 << ""
                                                << "d/customization.json"
                                                << "{\"organizationName\": ";
    }
    void runs() {
        QFETCH(QString, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, file);
        QFETCH(QString, content);
        DemoHome home;
        Server server;
        QString named;  // in the errors
        QVERIFY(arguments != "BAD" || home.Write(named = file, content.toUtf8()));
        if (arguments == "BLOCK") QVERIFY(QDir().mkpath(home.Path(named = "shots/dark-de_DE.png")));
        home.Set("product", "PartnerName.OVERRIDE", arguments == "LONG" ? QString(600, 'W') : "");
        if (arguments == "INSTALL") home.Set("installer", "LaunchType", "install");
        const QString data = home.DataWithLink("COLLECT_EMAIL_URL", server.Url("/s").toString());
        const Run run =
            home.Start(arguments.startsWith("--") ? arguments.split(' ') : QStringList(),
                       arguments == "BAD" ? home.Path("d") : data);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY(run.out.contains(out.replace("HOME", home.Path(""))));
        QVERIFY(named.isEmpty() || run.err.contains(home.Path(named)));
        const QByteArray written = Quorvel::TestSupport::ReadFile(home.Path(file));
        QVERIFY(!written.isEmpty() && written.contains(content.toUtf8()));
        // Logged, not opened (after installing, the thank-you page opens).
        QVERIFY(arguments == "INSTALL" || !run.err.contains("QPlatformServices::openUrl"));
        QVERIFY(server.Requests().empty());
    }
};

QUORVEL_TEST_MAIN(DemoProductTest)
#include "tst_DemoProduct.moc"
