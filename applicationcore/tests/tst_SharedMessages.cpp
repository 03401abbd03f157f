#include <Quorvel/App/Application/SharedMessages.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QCoreApplication>
#include <QTranslator>
#include <QtTest>

namespace {

using Builder = QString (*)(const QString&);

// Stands in for a loaded catalogue of the "SharedMessages" context.
class FakeCatalogue : public QTranslator {
public:
    QString translate(const char* context, const char*, const char* disambiguation,
                      int) const override {
        return qstrcmp(context, "SharedMessages") == 0 && !disambiguation
                   ? QString::fromUtf8("übersetzt: <a href=\"%1\" style=\"%2\">hier</a>")
                   : QString();
    }
    bool isEmpty() const override { return false; }
};

}  // namespace

Q_DECLARE_METATYPE(Builder)

class TestSharedMessages : public QObject {
    Q_OBJECT

private slots:
    // The source text, or its translation in "SharedMessages", with the url and the application's
    // "linkStyle" property put in.
    void message_data() {
        QTest::addColumn<Builder>("builder");
        QTest::addColumn<bool>("translated");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QVariant>("linkStyle");
        QTest::addColumn<QString>("expected");

        QTest::newRow("need setup")
            << Builder(&GetGPUNeedSetupDriverMessage) << false << "https://example.test/setup"
            << QVariant("color: #0a84ff;")
            << "NVIDIA<sup>&reg;</sup> CUDA&#8482; acceleration has been disabled in "
               "NVIDIA<sup>&reg;</sup> Control Panel. To enable CUDA&#8482; acceleration for "
               "Vidorant, select <b>High-performance NVIDIA<sup>&reg;</sup> processor</b> as your "
               "preferred graphics processor in NVIDIA<sup>&reg;</sup> Control Panel.<br><br>"
               "<a href=\"https://example.test/setup\" style=\"color: #0a84ff;\">"
               "Detailed Instructions</a>";
        QTest::newRow("unsupported, no linkStyle, markers in the url left alone")
            << Builder(&GetGPUUnsupportedDriverMessage) << false
            << "https://example.test/?a=%2&b=%1" << QVariant()
            << "Unfortunately, the currently installed graphics card driver does not support "
               "NVIDIA<sup>&reg;</sup> CUDA&#8482; acceleration.<br><br>You can install an "
               "earlier version of the NVIDIA<sup>&reg;</sup> graphics card driver to enable "
               "CUDA&#8482; acceleration. To do that, simply download the installation package "
               "and follow the manufacturer's instructions to install the driver.<br><br>"
               "<a href=\"https://example.test/?a=%2&amp;b=%1\" style=\"\">Download Driver</a>";
        const QString translation =
            QString::fromUtf8("übersetzt: <a href=\"u\" style=\"s\">hier</a>");
        QTest::newRow("need setup, translated") << Builder(&GetGPUNeedSetupDriverMessage) << true
                                                << "u" << QVariant("s") << translation;
        QTest::newRow("unsupported, translated") << Builder(&GetGPUUnsupportedDriverMessage) << true
                                                 << "u" << QVariant("s") << translation;
        // Both go into HTML attributes: a quote must not end one.
        QTest::newRow("quotes in the address and the style")
            << Builder(&GetGPUNeedSetupDriverMessage) << true << "u\" onclick=\"x"
            << QVariant("font-family: \"Sans\"")
            << QString::fromUtf8(
                   "übersetzt: <a href=\"u&quot; onclick=&quot;x\" "
                   "style=\"font-family: &quot;Sans&quot;\">hier</a>");
    }

    void message() {
        QFETCH(Builder, builder);
        QFETCH(bool, translated);
        QFETCH(QString, url);
        QFETCH(QVariant, linkStyle);
        QFETCH(QString, expected);

        FakeCatalogue catalogue;
        if (translated) {
            QCoreApplication::installTranslator(&catalogue);
        }
        qApp->setProperty("linkStyle", linkStyle);
        const QString message = builder(url);
        QCoreApplication::removeTranslator(&catalogue);
        QCOMPARE(message, expected);
    }
};

QUORVEL_TEST_MAIN(TestSharedMessages)
#include "tst_SharedMessages.moc"
