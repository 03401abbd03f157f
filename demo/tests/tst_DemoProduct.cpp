// The demo product run as a user runs it, in its own process with a private home.
#include <Quorvel/TestSupport/LocalHttpServer.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <pwd.h>
#include <unistd.h>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

class DemoHome {
public:
    DemoHome() {
        QDir(m_dir.path()).mkpath("config");
        QDir(m_dir.path()).mkpath("data");
        // No update check leaves the machine: the tests that want one point it at their server.
        QSettings(SettingsFile("product"), QSettings::IniFormat).setValue("autoUpdate", false);
    }
    QString Path(const QString& relative) const { return m_dir.filePath(relative); }

    // A program in bin/ that notes its name and each argument on one line of opened.txt.
    QString AddRecordingProgram(const QString& name) const {
        QDir(m_dir.path()).mkpath("bin");
        QFile script(Path("bin/" + name));
        script.open(QIODevice::WriteOnly);
        script.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s %s\\n' " + name.toUtf8() +
                     " \"$a\"; done >> \"" + Path("opened.txt").toUtf8() + "\"\n");
        script.setPermissions(script.permissions() | QFile::ExeOwner);
        return script.fileName();
    }
    // The demo's data with links.json giving `name` another address.
    QString DataWithLink(const QString& name, const QString& url) const {
        const QString data = Path("product data");
        QDir().mkpath(data);
        for (const QString entry : {"resources", "customization.json"}) {
            QFile::link(QUORVEL_DEMO_DATA_DIR "/" + entry, data + '/' + entry);
        }
        QFile source(QUORVEL_DEMO_DATA_DIR "/links.json");
        source.open(QIODevice::ReadOnly);
        QJsonObject root = QJsonDocument::fromJson(source.readAll()).object();
        QJsonObject table = root.value("default").toObject();
        table.insert(name, url);
        root.insert("default", table);
        QFile links(data + "/links.json");
        links.open(QIODevice::WriteOnly);
        links.write(QJsonDocument(root).toJson());
        return data;
    }
    QString SettingsFile(const QString& scope) const {
        return Path("config/Quorvel Labs/QuorvelDemo/" + scope + ".ini");
    }

    // Killed at once when `killWhen` exists. Run as `user` (by setpriv), it has no HOME and no
    // XDG folders: whatever it writes, it writes where that user's home leads.
    Run Start(const QStringList& arguments, const QString& killWhen = QString(),
              const QString& user = QString()) const {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // Programs of this home come first, so that a fake browser or system handler is used.
        environment.insert("PATH", Path("bin") + ':' + environment.value("PATH"));
        environment.insert("HOME", m_dir.path());
        environment.insert("XDG_CONFIG_HOME", Path("config"));
        environment.insert("XDG_DATA_HOME", Path("data"));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        for (const QString& name : environment.keys()) {
            if (!user.isEmpty() && (name == "HOME" || name.startsWith("XDG_"))) {
                environment.remove(name);
            }
        }
        process.setProcessEnvironment(environment);
        const QStringList asUser{"--reuid=" + user, "--regid=" + user, "--clear-groups",
                                 QUORVEL_DEMO_EXECUTABLE};
        process.start(user.isEmpty() ? QUORVEL_DEMO_EXECUTABLE : "setpriv",
                      (user.isEmpty() ? QStringList() : asUser) + arguments);
        QTimer killer;
        QObject::connect(&killer, &QTimer::timeout, [&] {
            if (!killWhen.isEmpty() && QFileInfo::exists(killWhen)) process.kill();
        });
        killer.start(10);
        Run run;
        // The event loop keeps running meanwhile, so that a server of the test can answer.
        if (process.waitForStarted(20000)) {
            QEventLoop loop;
            QObject::connect(&process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished),
                             &loop, &QEventLoop::quit);
            QTimer::singleShot(120000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        if (process.state() == QProcess::NotRunning) {
            run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
        }
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

private:
    QTemporaryDir m_dir;
};

// The window's background, away from any widget.
QColor Background(const QString& picture) {
    const QImage image(picture);
    return image.isNull() ? QColor() : image.pixelColor(4, image.height() / 2);
}

}  // namespace

class DemoProductTest : public QObject {
    Q_OBJECT
private slots:
    void headlessTourPicturesEveryThemeAndLanguage() {
        DemoHome home;
        const Run run = home.Start(
            {"--data-dir", QUORVEL_DEMO_DATA_DIR, "--screenshot-dir", home.Path("shots")});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        for (const QString name : {"started", "help-menu", "light-en_US", "light-de_DE",
                                   "light-ru_RU", "dark-en_US", "dark-de_DE", "dark-ru_RU"}) {
            const QString picture = home.Path("shots/" + name + ".png");
            QVERIFY2(run.out.contains(picture), qPrintable(run.out));
            QVERIFY2(!QImage(picture).isNull(), qPrintable(picture));
        }
        QVERIFY(Background(home.Path("shots/light-en_US.png")).lightness() > 200);
        QVERIFY(Background(home.Path("shots/dark-en_US.png")).lightness() < 60);

        const QString log = home.Path("data/quorvel-demo/logs/quorvel-demo.INFO");
        QVERIFY2(run.out.contains("Log: " + log), qPrintable(run.out));
        QFile file(log);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("Application started from " QUORVEL_DEMO_EXECUTABLE));
    }

    // The tour puts the user's choice back, and the next start comes up with it.
    // Nor does it ever save one of the choices it visits: killed on the way, it leaves the
    // user's own.
    void rememberedChoiceIsRestored_data() {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("killedAt");  // the picture that ends the run at once
        QTest::newRow("dark") << "dark" << true << "";
        QTest::newRow("light") << "light" << false << "";
        QTest::newRow("light, killed mid-tour") << "light" << false << "dark-en_US.png";
    }
    void rememberedChoiceIsRestored() {
        QFETCH(QString, theme);
        QFETCH(bool, dark);
        QFETCH(QString, killedAt);
        DemoHome home;
        {
            QSettings settings(home.SettingsFile("application"), QSettings::IniFormat);
            settings.setValue("LookAndFeel/Theme", theme);
            settings.setValue("LookAndFeel/Locale", "de_DE");
        }
        const Run run = home.Start(
            {"--data-dir", QUORVEL_DEMO_DATA_DIR, "--screenshot-dir", home.Path("shots")},
            killedAt.isEmpty() ? QString() : home.Path("shots/" + killedAt));
        QVERIFY2(run.exitCode == (killedAt.isEmpty() ? 0 : -2), qPrintable(run.err));
        QCOMPARE(Background(home.Path("shots/started.png")).lightness() < 60, dark);

        QSettings settings(home.SettingsFile("application"), QSettings::IniFormat);
        QCOMPARE(settings.value("LookAndFeel/Theme").toString(), theme);
        QCOMPARE(settings.value("LookAndFeel/Locale").toString(), QString("de_DE"));
    }

    // The tour fails, naming the picture, when it cannot save one or one shows a text cut off
    // by its layout; long facts fit their rows in every theme and language.
    void tourChecksItsPictures_data() {
        QTest::addColumn<QString>("shots");    // of the home; "file" is a file
        QTest::addColumn<QString>("blocked");  // a folder in a picture's place
        QTest::addColumn<QString>("partner");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("folder is a file") << "file"
                                          << ""
                                          << "" << 1;
        QTest::newRow("a picture's place is taken") << "shots"
                                                    << "shots/dark-de_DE.png"
                                                    << "" << 1;
        QTest::newRow("long facts") << "shots"
                                    << "" << QString("Partnergesellschaft ").repeated(40) << 0;
        QTest::newRow("a long word as a fact") << "shots"
                                               << "" << QString(600, 'W') << 0;
    }
    void tourChecksItsPictures() {
        QFETCH(QString, shots);
        QFETCH(QString, blocked);
        QFETCH(QString, partner);
        QFETCH(int, exitCode);
        DemoHome home;
        QFile file(home.Path("file"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(blocked.isEmpty() || QDir().mkpath(home.Path(blocked)));
        QSettings(home.SettingsFile("product"), QSettings::IniFormat)
            .setValue("PartnerName.OVERRIDE", partner);
        const Run run =
            home.Start({"--data-dir", QUORVEL_DEMO_DATA_DIR, "--screenshot-dir", home.Path(shots)});
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(exitCode == 0 || run.err.contains(home.Path(blocked.isEmpty() ? shots : blocked)),
                 qPrintable(run.err));
    }

    // Without HOME, the home folder is the user's in the password database; with none there, or
    // one that does not exist, the demo does not start. Running as another user needs root.
    void homeFromThePasswordDatabase_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("named");
        const passwd* daemon = ::getpwnam("daemon");
        QTest::newRow("a home there") << QString::number(daemon ? daemon->pw_uid : 0) << 0
                                      << QString("Log: %1/").arg(daemon ? daemon->pw_dir : "");
        const passwd* nobody = ::getpwnam("nobody");
        QTest::newRow("a home that does not exist") << QString::number(nobody ? nobody->pw_uid : 0)
                                                    << 1 << QString(nobody ? nobody->pw_dir : "");
        QTest::newRow("no entry") << "54321" << 1 << "54321";
    }
    void homeFromThePasswordDatabase() {
        QFETCH(QString, user);
        QFETCH(int, exitCode);
        QFETCH(QString, named);
        if (::geteuid() != 0 || named.isEmpty() || named == "Log: /") {
            QSKIP("needs root and the system's daemon and nobody users");
        }
        QTemporaryDir shots;  // for a user who may write nowhere else
        QVERIFY(QFile::setPermissions(shots.path(), QFileDevice::Permissions(0x7777)));
        DemoHome home;
        const Run run =
            home.Start({"--data-dir", QUORVEL_DEMO_DATA_DIR, "--screenshot-dir", shots.path()},
                       QString(), user);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2((run.out + run.err).contains(named), qPrintable(run.out + run.err));
    }

    // The help link of the Help menu, opened through the desktop's URL service, reaches the
    // browser the installer recorded (found among the system's web browsers), else the
    // platform's own handler, once. The offscreen platform has no handler of its own and says
    // so on stderr; under a desktop session that is where xdg-open would run.
    void webLinksOpenInThePreferredBrowser_data() {
        QTest::addColumn<QString>("recorded");
        QTest::addColumn<bool>("inBrowser");
        QTest::newRow("recorded and installed") << "quorvelbrowser" << true;
        QTest::newRow("nothing recorded") << "" << false;
        QTest::newRow("recorded, not installed") << "nosuchbrowser" << false;
    }
    void webLinksOpenInThePreferredBrowser() {
        QFETCH(QString, recorded);
        QFETCH(bool, inBrowser);
        const QString help = "https://quorvel.example/help/en_US/?v=1.0.0.42";
        DemoHome home;
        const QString browser = home.AddRecordingProgram("quorvelbrowser");
        QVERIFY(QDir().mkpath(home.Path("data/applications")));
        QFile entry(home.Path("data/applications/quorvel-browser.desktop"));
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.write(
            "[Desktop Entry]\nType=Application\nName=Quorvel Browser\n"
            "Categories=Network;WebBrowser;\nExec=\"" +
            browser.toUtf8() + "\"\n");
        entry.close();
        QSettings(home.SettingsFile("installer"), QSettings::IniFormat)
            .setValue("Browser", recorded);

        const Run run = home.Start({"--data-dir", QUORVEL_DEMO_DATA_DIR, "--screenshot-dir",
                                    home.Path("shots"), "--open", "HELP_URL_menu"});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QFile opened(home.Path("opened.txt"));  // written by a detached process
        if (inBrowser) {
            QTRY_VERIFY_WITH_TIMEOUT(opened.size() > 0, 20000);
            QTest::qWait(200);  // a second opening would land by now
            QVERIFY(opened.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(opened.readAll()), "quorvelbrowser " + help + "\n");
        } else {
            QVERIFY(!opened.exists());
        }
        QCOMPARE(run.err.count("QPlatformServices::openUrl() for '" + help + "'"),
                 inBrowser ? 0 : 1);

        QSettings product(home.SettingsFile("product"), QSettings::IniFormat);
        QCOMPARE(product.value("PreferredBrowser").toString(), inBrowser ? browser : QString());
        QCOMPARE(product.value("Path").toString(),
                 QFileInfo(QUORVEL_DEMO_EXECUTABLE).absolutePath() + '/');
    }

    // Five seconds after start the demo asks for updates, with the product's headers, and
    // tells what came back; "autoUpdate" off asks nothing.
    void checksForUpdates_data() {
        QTest::addColumn<bool>("autoUpdate");
        QTest::addColumn<bool>("serverFails");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("logged");
        const QByteArray newer = "{\"version\": \"9.0\"}";
        QTest::newRow("newer version") << true << false << newer << "I.*the latest version is 9.0";
        QTest::newRow("server error")
            << true << true << newer << "E.*Update check failed: GET .* 500";
        QTest::newRow("switched off") << false << false << newer << "";
        // One record of the start of the answer, whatever the server put into it.
        QTest::newRow("a record forged in the answer")
            << true << false << QByteArray("oops\nI0000 forged.cpp:1] \x1b[2J")
            << "E.*Update check: .*oops. *I0000 forged.cpp:1] .\\[2J\n";
    }
    void checksForUpdates() {
        QFETCH(bool, autoUpdate);
        QFETCH(bool, serverFails);
        QFETCH(QByteArray, answer);
        QFETCH(QString, logged);
        Quorvel::TestSupport::LocalHttpServer server;
        server.SetAnswer(serverFails ? Quorvel::TestSupport::LocalHttpServer::Answer::ServerError
                                     : Quorvel::TestSupport::LocalHttpServer::Answer::Ok,
                         answer);
        DemoHome home;
        QSettings(home.SettingsFile("product"), QSettings::IniFormat)
            .setValue("autoUpdate", autoUpdate);
        const QString data = home.DataWithLink(
            "CHECK_FOR_UPDATES_URL", server.Url("/api/updates").toString() + "?v={version}");
        const Run run = home.Start({"--data-dir", data, "--screenshot-dir", home.Path("shots")});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));

        QSettings product(home.SettingsFile("product"), QSettings::IniFormat);
        QCOMPARE(product.value("ArchitectBits").toString(), QString("x64"));
        QCOMPARE(product.value("autoUpdate").toBool(), autoUpdate);
        QCOMPARE(int(server.Requests().size()), autoUpdate ? 1 : 0);
        if (!autoUpdate) {
            return;
        }
        const auto& sent = server.Requests()[0];
        QCOMPARE(sent.method + ' ' + sent.path, QByteArray("GET /api/updates?v=1.0.0.42"));
        QCOMPARE(sent.headers.value("user-agent"), QByteArray("QuorvelDemo/1.0.0.42 (Linux)"));
        QCOMPARE(sent.headers.value("quorvel-huid").size(), 40);
        QCOMPARE(sent.headers.value("quorvel-os"), QByteArray("linux"));
        QCOMPARE(sent.headers.value("quorvel-webuid"), QByteArray("UNDEFINED"));
        QCOMPARE(run.err.count(QRegularExpression("\n" + logged)), 1);
        QVERIFY(!run.err.contains("\nI0000") && !run.err.contains('\x1b'));
        QVERIFY(QFileInfo::exists(home.Path("shots/update-check.png")));
    }

    // The first start after installation offers the e-mail dialog; with nobody at the screen
    // it is pictured and closed, nothing is sent, and the run ends.
    void afterInstallOffersTheEmailDialog() {
        Quorvel::TestSupport::LocalHttpServer server;
        DemoHome home;
        QSettings(home.SettingsFile("installer"), QSettings::IniFormat)
            .setValue("LaunchType", "install");
        const QString data =
            home.DataWithLink("COLLECT_EMAIL_URL", server.Url("/api/subscribe").toString());
        const Run run = home.Start({"--data-dir", data, "--screenshot-dir", home.Path("shots")});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.out.contains(home.Path("shots/emailDialog.png")), qPrintable(run.out));
        QVERIFY(!QImage(home.Path("shots/emailDialog.png")).isNull());
        QVERIFY(server.Requests().empty());
        QVERIFY(
            !QSettings(home.SettingsFile("mail"), QSettings::IniFormat).contains("isConfirmed"));
    }

    void badCustomizationStopsWithItsReason_data() {
        QTest::addColumn<QByteArray>("content");  // empty: no file at all
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray() << "the file does not exist";
        QTest::newRow("not JSON") << QByteArray("{\"organizationName\": ") << "not valid JSON";
        QTest::newRow("not an object") << QByteArray("[1, 2]") << "must be a JSON object";
    }
    void badCustomizationStopsWithItsReason() {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        DemoHome home;
        const QString data = home.Path("product data");
        QVERIFY(QDir().mkpath(data));
        const QString customization = data + "/customization.json";
        if (!content.isEmpty()) {
            QFile file(customization);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const Run run = home.Start({"--data-dir", data, "--screenshot-dir", home.Path("shots")});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(customization + ": "), qPrintable(run.err));
        QVERIFY2(run.err.contains(reason), qPrintable(run.err));
        if (!content.isEmpty()) {
            QFile file(customization);  // the product never rewrites what it could not read
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), content);
        }
    }

    // The support options beside the demo's own; a headless run prints the boxes it answers.
    void supportOptions_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("exitCode");  // -2: crashed
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("file");  // of the home
        QTest::addColumn<QString>("content");
        const QString log = "data/quorvel-demo/logs/quorvel-demo.INFO";
        QTest::newRow("both ssl options") << "--ssl-enable --test-ssl-disable" << 1 << "" << log
                                          << "test-ssl-disable and test-ssl-enable";
        QTest::newRow("crash") << "--test-crash-after 0" << -2 << "" << log
                               << "SIGSEGV (@0x0) received by PID";
        const QString dump = "data/Quorvel Labs/QuorvelDemo/Quorvel Demo-url-dump.csv";
        QTest::newRow("dump") << "--test-dump-urls" << 0 << "tested language: HOME/" + dump + '\n'
                              << dump
                              << "\nru_RU;HELP_URL_menu;https://quorvel.example/ru/spravka/";
        QTest::newRow("quit asked") << "" << 0 << "Message box \"Quit\"" << log << "";
        QTest::newRow("over-long link name")
            << "--open " + QString(300, 'N') << 1 << "" << log << "--open";
    }
    void supportOptions() {
        QFETCH(QString, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, file);
        QFETCH(QString, content);
        DemoHome home;
        const Run run = home.Start(
            QStringList{"--data-dir", QUORVEL_DEMO_DATA_DIR, "--screenshot-dir",
                        home.Path("shots")} +
            arguments.replace("LOG", home.Path("links.log")).split(' ', Qt::SkipEmptyParts));
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.out.contains(out.replace("HOME", home.Path(""))), qPrintable(run.out));
        QFile written(home.Path(file));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY2(written.readAll().contains(content.toUtf8()), qPrintable(content));
        QVERIFY(!run.err.contains("QPlatformServices::openUrl"));  // logged, not opened
    }
};

QUORVEL_TEST_MAIN(DemoProductTest)
#include "tst_DemoProduct.moc"
