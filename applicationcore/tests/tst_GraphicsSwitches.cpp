#include <Quorvel/App/Application/GraphicsSwitches.h>
#include <Quorvel/App/Application/GraphicsSwitchesDetail.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QCoreApplication>
#include <QtTest>

#ifdef __linux__
#include <dlfcn.h>
#endif

// No application object exists in this suite: the switches are meant for the time before it.
class TestGraphicsSwitches : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, false);
        qunsetenv("QUORVEL_DPI_POLICY");
        qunsetenv("QUORVEL_TEST_DPI_AWARENESS");
    }

    // The stub stands in for a system library that loads, and records the awareness it was
    // given; "Shcore.dll" does not load here, so the public fix falls back to Qt's scaling.
    void highDpiFix_data() {
        QTest::addColumn<QString>("library");  // empty: the public HighDpiFix()
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QVariant>("policy");  // null: unset
        QTest::addColumn<QString>("outcome");  // made unaware, Qt scaling, or untouched

        const QString stub = QUORVEL_DPI_STUB;
        const QByteArray entry = "SetProcessDpiAwareness";
        QTest::newRow("public") << QString() << entry << QVariant() << "scaled";
        QTest::newRow("unset") << stub << entry << QVariant() << "unaware";
        QTest::newRow("exactly NOSCALE") << stub << entry << QVariant("NOSCALE") << "untouched";
        QTest::newRow("lower case") << stub << entry << QVariant("noscale") << "unaware";
        QTest::newRow("leading blank") << stub << entry << QVariant(" NOSCALE") << "unaware";
        QTest::newRow("trailing blank") << stub << entry << QVariant("NOSCALE ") << "unaware";
        QTest::newRow("entry missing")
            << stub << QByteArray("SetProcessDpiAwarenessContext") << QVariant() << "scaled";
        QTest::newRow("library missing") << stub + ".missing" << entry << QVariant() << "scaled";
    }

    void highDpiFix() {
        QFETCH(QString, library);
        QFETCH(QByteArray, entry);
        QFETCH(QVariant, policy);
        QFETCH(QString, outcome);
#ifdef _WIN32
        if (library.isEmpty()) {
            QSKIP("Shcore.dll loads on Windows");
        }
#endif
        if (!policy.isNull()) {
            qputenv("QUORVEL_DPI_POLICY", policy.toByteArray());
        }
        if (library.isEmpty()) {
            Quorvel::App::HighDpiFix();
        } else {
            Quorvel::App::Detail::HighDpiFix(library.toStdString(), entry.constData());
        }
        QCOMPARE(qgetenv("QUORVEL_TEST_DPI_AWARENESS"),
                 QByteArray(outcome == "unaware" ? "0" : ""));
        QCOMPARE(QCoreApplication::testAttribute(Qt::AA_EnableHighDpiScaling), outcome == "scaled");
#ifdef __linux__
        void* stillLoaded = ::dlopen(QUORVEL_DPI_STUB, RTLD_LAZY | RTLD_NOLOAD);
        if (stillLoaded) {
            ::dlclose(stillLoaded);
        }
        QVERIFY2(!stillLoaded, "the library is released again");
#endif
    }
};

QUORVEL_TEST_MAIN_NOAPP(TestGraphicsSwitches)
#include "tst_GraphicsSwitches.moc"
