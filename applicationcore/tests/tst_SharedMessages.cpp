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

        // Untranslated, only where the address and the style go: the text is the catalogue's.
        QTest::newRow("source text, markers in the url left alone")
            << Builder(&GetGPUUnsupportedDriverMessage) << false
            << "https://example.test/?a=%2&b=%1" << QVariant("color: #0a84ff;")
            << "<a href=\"https://example.test/?a=%2&amp;b=%1\" style=\"color: #0a84ff;\">";
        QTest::newRow("source text, no linkStyle")
            << Builder(&GetGPUNeedSetupDriverMessage) << false << "u" << QVariant()
            << "<a href=\"u\" style=\"\">";
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
        QVERIFY2(translated ? message == expected : message.contains(expected),
                 qPrintable(message));
    }
};

QUORVEL_TEST_MAIN(TestSharedMessages)
#include "tst_SharedMessages.moc"
