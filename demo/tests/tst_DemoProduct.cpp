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

using Server = Quorvel::TestSupport::LocalHttpServer;
Q_DECLARE_METATYPE(Server::Answer)

namespace {

struct Run {
    int exitCode = -1;  // -2: crashed or killed
    QString out;
    QString err;
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

    // The demo's data with links.json giving `name` another address.
    QString DataWithLink(const QString& name, const QString& url) const {
        const QString data = Path("product data");
        QDir().mkpath(data);
        for (const QString entry : {"resources", "customization.json"}) {
            QFile::link(QUORVEL_DEMO_DATA_DIR "/" + entry, data + '/' + entry);
        }
        QFile source(QUORVEL_DEMO_DATA_DIR "/links.json"), links(data + "/links.json");
        source.open(QIODevice::ReadOnly);
        links.open(QIODevice::WriteOnly);
        const QString entry = '"' + name + "\": \"";
        links.write(QString(source.readAll())
                        .replace(QRegularExpression(entry + "[^\"]*"), entry + url)
                        .toUtf8());
        return data;
    }

    // The headless tour, pictures in shots/ unless `arguments` say otherwise; killed at once
    // when `killWhen` exists. Run as `user` (by setpriv), it has no HOME and no XDG folders:
    // whatever it writes, it writes where that user's home leads.
    Run Start(const QStringList& arguments = {}, const QString& data = QUORVEL_DEMO_DATA_DIR,
              const QString& killWhen = {}, const QString& user = {}) const {
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

// The lightness of the window's background, away from any widget; -1 without a picture.
int Lightness(const QString& picture) {
    const QImage image(picture);
    return image.isNull() ? -1 : image.pixelColor(4, image.height() / 2).lightness();
}

}  // namespace

class DemoProductTest : public QObject {
    Q_OBJECT
private slots:
    void headlessTourPicturesEveryThemeAndLanguage() {
        DemoHome home;
        const Run run = home.Start();
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QStringList pictures{"started", "help-menu"};
        for (const QString theme : {"light", "dark"}) {
            for (const QString locale : {"en_US", "de_DE", "ru_RU"}) {
                pictures << theme + '-' + locale;
            }
        }
        for (const QString& name : pictures) {
            QVERIFY2(!QImage(home.Path("shots/" + name + ".png")).isNull(), qPrintable(name));
        }
        QVERIFY(Lightness(home.Path("shots/light-en_US.png")) > 200);
        QVERIFY(Lightness(home.Path("shots/dark-en_US.png")) < 60);
        QVERIFY(QFileInfo(home.Path("data/quorvel-demo/logs/quorvel-demo.INFO")).size() > 0);
    }

    // The tour puts the user's choice back, and the next start comes up with it. Nor does it
    // ever save one of the choices it visits: killed on the way, it leaves the user's own.
    void rememberedChoiceIsRestored_data() {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<QString>("killedAt");  // the picture that ends the run at once
        QTest::newRow("dark") << "dark"
                              << "";
        QTest::newRow("light, killed mid-tour") << "light"
                                                << "dark-en_US.png";
    }
    void rememberedChoiceIsRestored() {
        QFETCH(QString, theme);
        QFETCH(QString, killedAt);
        DemoHome home;
        home.Set("application", "LookAndFeel/Theme", theme);
        home.Set("application", "LookAndFeel/Locale", "de_DE");
        const Run run = home.Start({}, QUORVEL_DEMO_DATA_DIR,
                                   killedAt.isEmpty() ? "" : home.Path("shots/" + killedAt));
        QVERIFY2(run.exitCode == (killedAt.isEmpty() ? 0 : -2), qPrintable(run.err));
        QCOMPARE(Lightness(home.Path("shots/started.png")) < 60, theme == "dark");
        QCOMPARE(home.Get("application", "LookAndFeel/Theme").toString(), theme);
        QCOMPARE(home.Get("application", "LookAndFeel/Locale").toString(), QString("de_DE"));
    }

    // The tour fails, naming the picture, when it cannot save one or one shows a text cut off
    // by its layout; long facts fit their rows in every theme and language.
    void tourChecksItsPictures_data() {
        QTest::addColumn<QString>("shots");    // of the home; "file" is a file
        QTest::addColumn<QString>("blocked");  // a folder in a picture's place
        QTest::addColumn<QString>("partner");
        QTest::newRow("folder is a file") << "file"
                                          << ""
                                          << "";
        QTest::newRow("a picture's place is taken") << "shots"
                                                    << "shots/dark-de_DE.png"
                                                    << "";
        QTest::newRow("long facts") << "shots"
                                    << "" << QString("Partnergesellschaft ").repeated(40);
        QTest::newRow("a long word as a fact") << "shots"
                                               << "" << QString(600, 'W');
    }
    void tourChecksItsPictures() {
        QFETCH(QString, shots);
        QFETCH(QString, blocked);
        QFETCH(QString, partner);
        DemoHome home;
        QFile file(home.Path("file"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(blocked.isEmpty() || QDir().mkpath(home.Path(blocked)));
        home.Set("product", "PartnerName.OVERRIDE", partner);
        const Run run = home.Start({"--screenshot-dir", home.Path(shots)});
        const bool fails = partner.isEmpty();
        QCOMPARE(run.exitCode, fails ? 1 : 0);
        QVERIFY2(!fails || run.err.contains(home.Path(blocked.isEmpty() ? shots : blocked)),
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
                                      << QString("%1/").arg(daemon ? daemon->pw_dir : "");
        const passwd* nobody = ::getpwnam("nobody");
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
        DemoHome home;
        const Run run =
            home.Start({"--screenshot-dir", shots.path()}, QUORVEL_DEMO_DATA_DIR, "", user);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2((run.out + run.err).contains(named), qPrintable(run.out + run.err));
    }

    // The help link, opened through the desktop's URL service, reaches the browser the
    // installer recorded (found among the system's web browsers), else the platform's own
    // handler, once. The offscreen platform has no handler of its own and says so on stderr.
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
        DemoHome home;
        QVERIFY(QDir().mkpath(home.Path("bin")) && QDir().mkpath(home.Path("data/applications")));
        QFile script(home.Path("bin/quorvelbrowser"));  // notes each address it is given
        const QString browser = script.fileName();
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nfor a in \"$@\"; do echo \"quorvelbrowser $a\"; done >> \"" +
                     home.Path("opened.txt").toUtf8() + "\"\n");
        script.setPermissions(script.permissions() | QFile::ExeOwner);
        script.close();
        QFile entry(home.Path("data/applications/quorvel-browser.desktop"));
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.write(
            "[Desktop Entry]\nType=Application\nName=Quorvel Browser\n"
            "Categories=Network;WebBrowser;\nExec=\"" +
            browser.toUtf8() + "\"\n");
        entry.close();
        home.Set("installer", "Browser", recorded);

        const Run run = home.Start({"--open", "HELP_URL_menu"});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QFile opened(home.Path("opened.txt"));  // written by a detached process
        if (inBrowser) {
            QTRY_VERIFY_WITH_TIMEOUT(opened.size() > 0, 20000);
            QTest::qWait(200);  // a second opening would land by now
            QVERIFY(opened.open(QIODevice::ReadOnly));
            QVERIFY(QString(opened.readAll())
                        .contains(QRegularExpression("^quorvelbrowser https"
                                                     "://\\S+/help\\S*\\n$")));
        }
        QCOMPARE(opened.exists(), inBrowser);
        QCOMPARE(run.err.count("QPlatformServices::openUrl() for 'https://"), inBrowser ? 0 : 1);
        QCOMPARE(home.Get("product", "PreferredBrowser").toString(), inBrowser ? browser : "");
    }

    // Five seconds after start the demo asks for updates, with the product's headers, and
    // tells what came back once ("autoUpdate" off: tst_UpdateRequesters).
    void checksForUpdates_data() {
        QTest::addColumn<Server::Answer>("answer");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("logged");
        const QByteArray newer = "{\"version\": \"9.0\"}";
        QTest::newRow("newer version") << Server::Answer::Ok << newer << "I.* 9.0\n";
        QTest::newRow("server error") << Server::Answer::ServerError << newer << "E.* 500";
        // One record of the start of the answer, whatever the server put into it.
        QTest::newRow("a record forged in the answer")
            << Server::Answer::Ok << QByteArray("oops\nI0000 forged.cpp:1] \x1b[2J")
            << "E.*oops. *I0000 forged.cpp:1] .\\[2J\n";
    }
    void checksForUpdates() {
        QFETCH(Server::Answer, answer);
        QFETCH(QByteArray, body);
        QFETCH(QString, logged);
        Server server;
        server.SetAnswer(answer, body);
        DemoHome home;
        home.Set("product", "autoUpdate", true);
        const Run run =
            home.Start({}, home.DataWithLink("CHECK_FOR_UPDATES_URL",
                                             server.Url("/u").toString() + "?v={version}"));
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(int(server.Requests().size()), 1);
        QCOMPARE(server.Requests()[0].path, QByteArray("/u?v=1.0.0.42"));
        QCOMPARE(server.Requests()[0].headers.value("quorvel-huid").size(), 40);  // hashed
        QCOMPARE(run.err.count(QRegularExpression("\n" + logged)), 1);
        QVERIFY(!run.err.contains("\nI0000") && !run.err.contains('\x1b'));
        QVERIFY(QFileInfo::exists(home.Path("shots/update-check.png")));
    }

    // Only a newer version is offered: an older one reads as up to date, as the same one does.
    void offersOnlyANewerVersion() {
        QMap<QString, QImage> pictures;  // of the status that each answer left
        for (const QString version : {"9.0", "1.0.0.42", "0.1"}) {
            Server server;
            server.SetAnswer(Server::Answer::Ok, "{\"version\": \"" + version.toUtf8() + "\"}");
            DemoHome home;
            home.Set("product", "autoUpdate", true);
            const QString data =
                home.DataWithLink("CHECK_FOR_UPDATES_URL", server.Url("/u").toString());
            QCOMPARE(home.Start({}, data).exitCode, 0);
            const QImage picture(home.Path("shots/update-check.png"));
            QVERIFY(!picture.isNull());
            // The status bar, below the notes' blinking cursor.
            pictures[version] = picture.copy(0, picture.height() - 30, picture.width(), 30);
        }
        QVERIFY(pictures["9.0"] != pictures["1.0.0.42"]);
        QVERIFY(pictures["0.1"] == pictures["1.0.0.42"]);
    }

    // The first start after installation offers the e-mail dialog; with nobody at the screen
    // it is pictured and closed, nothing is sent, and the run ends.
    void afterInstallOffersTheEmailDialog() {
        Server server;
        DemoHome home;
        home.Set("installer", "LaunchType", "install");
        const Run run =
            home.Start({}, home.DataWithLink("COLLECT_EMAIL_URL", server.Url("/s").toString()));
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(!QImage(home.Path("shots/emailDialog.png")).isNull());
        QVERIFY(server.Requests().empty());
        QVERIFY(
            !QSettings(home.SettingsFile("mail"), QSettings::IniFormat).contains("isConfirmed"));
    }

    // The demo does not start, naming the file, and never rewrites what it could not read.
    void badCustomizationStops_data() {
        QTest::addColumn<QByteArray>("content");  // empty: no file at all
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not JSON") << QByteArray("{\"organizationName\": ");
        QTest::newRow("not an object") << QByteArray("[1, 2]");
    }
    void badCustomizationStops() {
        QFETCH(QByteArray, content);
        DemoHome home;
        const QString data = home.Path("product data");
        QFile file(data + "/customization.json");
        QVERIFY(QDir().mkpath(data));
        QVERIFY(content.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(content)));
        file.close();
        const Run run = home.Start({}, data);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(file.fileName() + ": "), qPrintable(run.err));
        if (!content.isEmpty()) {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), content);
        }
    }

    // The support options beside the demo's own; a headless run prints the boxes it answers.
    void supportOptions_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("exitCode");  // -2: crashed
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("file");  // of the home, holds `content`
        QTest::addColumn<QString>("content");
        const QString log = "data/quorvel-demo/logs/quorvel-demo.INFO";
        QTest::newRow("crash") << "--test-crash-after 0" << -2 << "" << log << "SIGSEGV";
        const QString dump = "data/Quorvel Labs/QuorvelDemo/Quorvel Demo-url-dump.csv";
        QTest::newRow("dump") << "--test-dump-urls" << 0 << "HOME/" + dump << dump
                              << "\nru_RU;HELP_URL_menu;https://";
        QTest::newRow("quit asked") << "" << 0 << "\"Quit\"" << log << "";
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
        const Run run = home.Start(arguments.split(' ', Qt::SkipEmptyParts));
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
