#include <Quorvel/App/Application/SharedMessages.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QCoreApplication>
#include <QTranslator>
#include <QtTest>

namespace {

const char* const kNeedSetupHead =
    "NVIDIA<sup>&reg;</sup> CUDA&#8482; acceleration has been disabled in NVIDIA<sup>&reg;</sup> "
    "Control Panel. To enable CUDA&#8482; acceleration for Vidorant, select "
    "<b>High-performance NVIDIA<sup>&reg;</sup> processor</b> as your preferred graphics "
    "processor in NVIDIA<sup>&reg;</sup> Control Panel.<br><br>";
const char* const kUnsupportedHead =
    "Unfortunately, the currently installed graphics card driver does not support "
    "NVIDIA<sup>&reg;</sup> CUDA&#8482; acceleration.<br><br>You can install an earlier version "
    "of the NVIDIA<sup>&reg;</sup> graphics card driver to enable CUDA&#8482; acceleration. To "
    "do that, simply download the installation package and follow the manufacturer's "
    "instructions to install the driver.<br><br>";

const char* const kNeedSetupLink = "<a href=\"%1\" style=\"%2\">Detailed Instructions</a>";
const char* const kUnsupportedLink = "<a href=\"%1\" style=\"%2\">Download Driver</a>";

using Builder = QString (*)(const QString&);

// Stands in for a loaded catalogue: translates only the "SharedMessages" context and keeps
// the markers, so the substitutions can be seen in the translation.
class FakeCatalogue : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int) const override {
        if (qstrcmp(context, "SharedMessages") != 0 || disambiguation) {
            return {};
        }
        ++lookups;
        // Keyed by the whole source text, as a compiled catalogue is.
        const QString source = QString::fromUtf8(sourceText);
        if (source == kNeedSetupHead + QString(kNeedSetupLink)) {
            return "Treiber einrichten: <a href=\"%1\" style=\"%2\">Anleitung</a>";
        }
        if (source == kUnsupportedHead + QString(kUnsupportedLink)) {
            return "Treiber wird nicht unterstützt: <a href=\"%1\" style=\"%2\">Herunterladen</a>";
        }
        return {};
    }
    bool isEmpty() const override { return false; }

    mutable int lookups = 0;
};

}  // namespace

Q_DECLARE_METATYPE(Builder)

class TestSharedMessages : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { qApp->setProperty("linkStyle", QVariant()); }

    void english_data() {
        QTest::addColumn<Builder>("builder");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QVariant>("linkStyle");
        QTest::addColumn<QString>("expected");

        const QString needSetup = kNeedSetupHead;
        const QString unsupported = kUnsupportedHead;
        QTest::newRow("need setup")
            << Builder(&GetGPUNeedSetupDriverMessage) << "https://example.test/setup"
            << QVariant("color: #0a84ff;")
            << needSetup +
                   "<a href=\"https://example.test/setup\" style=\"color: #0a84ff;\">"
                   "Detailed Instructions</a>";
        QTest::newRow("unsupported")
            << Builder(&GetGPUUnsupportedDriverMessage) << "https://example.test/driver"
            << QVariant("text-decoration: none")
            << unsupported +
                   "<a href=\"https://example.test/driver\" "
                   "style=\"text-decoration: none\">Download Driver</a>";
        QTest::newRow("markers in the url are not expanded again")
            << Builder(&GetGPUNeedSetupDriverMessage) << "https://example.test/?a=%2&b=%1"
            << QVariant("color: red")
            << needSetup +
                   "<a href=\"https://example.test/?a=%2&b=%1\" style=\"color: red\">"
                   "Detailed Instructions</a>";
        QTest::newRow("no linkStyle: empty style")
            << Builder(&GetGPUUnsupportedDriverMessage) << "https://example.test/driver"
            << QVariant()
            << unsupported +
                   "<a href=\"https://example.test/driver\" style=\"\">"
                   "Download Driver</a>";
    }

    void english() {
        QFETCH(Builder, builder);
        QFETCH(QString, url);
        QFETCH(QVariant, linkStyle);
        QFETCH(QString, expected);

        qApp->setProperty("linkStyle", linkStyle);
        QCOMPARE(builder(url), expected);
    }

    void translationIsUsed_data() {
        QTest::addColumn<Builder>("builder");
        QTest::addColumn<QString>("expected");

        QTest::newRow("need setup")
            << Builder(&GetGPUNeedSetupDriverMessage)
            << "Treiber einrichten: <a href=\"u%1\" style=\"s\">Anleitung</a>";
        QTest::newRow("unsupported") << Builder(&GetGPUUnsupportedDriverMessage)
                                     << QString::fromUtf8(
                                            "Treiber wird nicht unterstützt: <a href=\"u%1\" "
                                            "style=\"s\">Herunterladen</a>");
    }

    void translationIsUsed() {
        QFETCH(Builder, builder);
        QFETCH(QString, expected);

        FakeCatalogue catalogue;
        QCoreApplication::installTranslator(&catalogue);
        qApp->setProperty("linkStyle", "s");
        const QString message = builder("u%1");
        QCoreApplication::removeTranslator(&catalogue);

        QCOMPARE(message, expected);
        QCOMPARE(catalogue.lookups, 1);
    }
};

QUORVEL_TEST_MAIN(TestSharedMessages)
#include "tst_SharedMessages.moc"
