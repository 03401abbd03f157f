#include <Quorvel/App/Application/GraphicsSwitches.h>
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
        QCoreApplication::setAttribute(Qt::AA_UseDesktopOpenGL, false);
        qunsetenv("QUORVEL_DPI_POLICY");
        qunsetenv("QUORVEL_TEST_DPI_AWARENESS");
    }
    void cleanup() { init(); }

    // "Shcore.dll" does not load here, so the fix falls back to Qt's high-DPI scaling, and
    // the attribute tells whether the fix ran at all.
    void policy_data() {
        QTest::addColumn<QVariant>("policy");  // null: unset
        QTest::addColumn<bool>("scaled");

        QTest::newRow("unset") << QVariant() << true;
        QTest::newRow("exactly NOSCALE") << QVariant("NOSCALE") << false;
        QTest::newRow("lower case") << QVariant("noscale") << true;
        QTest::newRow("leading blank") << QVariant(" NOSCALE") << true;
        QTest::newRow("trailing blank") << QVariant("NOSCALE ") << true;
        QTest::newRow("empty") << QVariant("") << true;
        QTest::newRow("other value") << QVariant("SCALE") << true;
    }

    void policy() {
#ifdef _WIN32
        QSKIP("Shcore.dll loads on Windows");
#endif
        QFETCH(QVariant, policy);
        QFETCH(bool, scaled);

        if (!policy.isNull()) {
            qputenv("QUORVEL_DPI_POLICY", policy.toByteArray());
        }
        Quorvel::App::HighDpiFix();
        QCOMPARE(QCoreApplication::testAttribute(Qt::AA_EnableHighDpiScaling), scaled);
        QVERIFY(!QCoreApplication::testAttribute(Qt::AA_UseDesktopOpenGL));
    }

    // Through a library that loads: the stub records what it was called with.
    void systemLibrary_data() {
        QTest::addColumn<QString>("library");
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QVariant>("policy");
        QTest::addColumn<QByteArray>("awareness");  // empty: never called
        QTest::addColumn<bool>("scaled");

        const QString stub = QUORVEL_DPI_STUB;
        QTest::newRow("entry found: unaware, no Qt scaling")
            << stub << QByteArray("SetProcessDpiAwareness") << QVariant() << QByteArray("0")
            << false;
        QTest::newRow("entry missing: Qt scaling")
            << stub << QByteArray("SetProcessDpiAwarenessContext") << QVariant() << QByteArray()
            << true;
        QTest::newRow("library missing: Qt scaling")
            << QString(QUORVEL_DPI_STUB ".missing") << QByteArray("SetProcessDpiAwareness")
            << QVariant() << QByteArray() << true;
        QTest::newRow("NOSCALE: library not called")
            << stub << QByteArray("SetProcessDpiAwareness") << QVariant("NOSCALE") << QByteArray()
            << false;
        QTest::newRow("other policy: library called")
            << stub << QByteArray("SetProcessDpiAwareness") << QVariant("noscale")
            << QByteArray("0") << false;
    }

    void systemLibrary() {
        QFETCH(QString, library);
        QFETCH(QByteArray, entry);
        QFETCH(QVariant, policy);
        QFETCH(QByteArray, awareness);
        QFETCH(bool, scaled);

        if (!policy.isNull()) {
            qputenv("QUORVEL_DPI_POLICY", policy.toByteArray());
        }
        Quorvel::App::Detail::HighDpiFix(library.toStdString(), entry.constData());

        QCOMPARE(qgetenv("QUORVEL_TEST_DPI_AWARENESS"), awareness);
        QCOMPARE(QCoreApplication::testAttribute(Qt::AA_EnableHighDpiScaling), scaled);
#ifdef __linux__
        // The library was released again.
        void* stillLoaded = ::dlopen(QUORVEL_DPI_STUB, RTLD_LAZY | RTLD_NOLOAD);
        if (stillLoaded) {
            ::dlclose(stillLoaded);
        }
        QVERIFY(!stillLoaded);
#endif
    }

    void useDesktopOpenGL() {
        Quorvel::App::UseDesktopOpenGL();
        QVERIFY(QCoreApplication::testAttribute(Qt::AA_UseDesktopOpenGL));
        QVERIFY(!QCoreApplication::testAttribute(Qt::AA_EnableHighDpiScaling));
    }
};

QUORVEL_TEST_MAIN_NOAPP(TestGraphicsSwitches)
#include "tst_GraphicsSwitches.moc"
