#include <Quorvel/App/Application/GraphicsSwitches.h>
#include <Quorvel/App/Application/GraphicsSwitchesDetail.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QGuiApplication>

#ifdef __linux__
#include <dlfcn.h>
#endif

using Policy = Qt::HighDpiScaleFactorRoundingPolicy;

// No application object exists in this suite: the switches are meant for the time before it.
class TestGraphicsSwitches : public QObject {
    Q_OBJECT

private slots:
    // The stub stands in for a system library that loads, and records the awareness it was
    // given; "Shcore.dll" does not load here, so the public fix falls back to Qt's scaling.
    // Only exactly NOSCALE leaves the process alone.
    void highDpiFix_data() {
        QTest::addColumn<QString>("library");  // empty: the public HighDpiFix()
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QByteArray>("policy");
        QTest::addColumn<QString>("outcome");  // made unaware, Qt scaling, or untouched
        const QString stub = QUORVEL_DPI_STUB;
        const QByteArray entry = "SetProcessDpiAwareness";
        QTest::newRow("public") << QString() << entry << QByteArray() << "scaled";
        QTest::newRow("unset") << stub << entry << QByteArray() << "unaware";
        QTest::newRow("exactly NOSCALE") << stub << entry << QByteArray("NOSCALE") << "untouched";
        QTest::newRow("nearly NOSCALE") << stub << entry << QByteArray(" noscale") << "unaware";
        QTest::newRow("entry missing") << stub << entry + "Context" << QByteArray() << "scaled";
        QTest::newRow("library missing") << stub + "x" << entry << QByteArray() << "scaled";
        // The product chose Floor rounding before: it keeps it.
        QTest::newRow("own rounding") << stub + "x" << entry << QByteArray() << "scaled, Floor";
    }
    void highDpiFix() {
        QFETCH(QString, library);
        QFETCH(QByteArray, entry);
        QFETCH(QByteArray, policy);
        QFETCH(QString, outcome);
        static const Policy toolkitDefault = QGuiApplication::highDpiScaleFactorRoundingPolicy();
        const Policy productPolicy = outcome.endsWith("Floor") ? Policy::Floor : toolkitDefault;
#ifdef _WIN32
        if (library.isEmpty()) {
            QSKIP("Shcore.dll loads on Windows");
        }
#endif
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
        QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, false);
#endif
        QGuiApplication::setHighDpiScaleFactorRoundingPolicy(productPolicy);
        qputenv("QUORVEL_DPI_POLICY", policy);
        qunsetenv("QUORVEL_TEST_DPI_AWARENESS");
        library.isEmpty()
            ? Quorvel::App::HighDpiFix()
            : Quorvel::App::Detail::HighDpiFix(library.toStdString(), entry.constData());
        QCOMPARE(qgetenv("QUORVEL_TEST_DPI_AWARENESS"),
                 QByteArray(outcome == "unaware" ? "0" : ""));
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
        QCOMPARE(QCoreApplication::testAttribute(Qt::AA_EnableHighDpiScaling),
                 outcome.startsWith("scaled"));
#endif
        // Qt 6 always scales: there the fix brings Qt 5's whole scale factors.
        const bool rounds = QT_VERSION >= QT_VERSION_CHECK(6, 0, 0) && outcome == "scaled";
        QCOMPARE(QGuiApplication::highDpiScaleFactorRoundingPolicy(),
                 rounds ? Policy::Round : productPolicy);
#ifdef __linux__
        void* stillLoaded = ::dlopen(QUORVEL_DPI_STUB, RTLD_LAZY | RTLD_NOLOAD);
        QVERIFY(!stillLoaded || ::dlclose(stillLoaded) < 0);  // the library is released again
#endif
    }
};

QUORVEL_TEST_MAIN_NOAPP(TestGraphicsSwitches)
#include "tst_GraphicsSwitches.moc"
