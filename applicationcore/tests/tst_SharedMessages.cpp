#include <Quorvel/App/Application/SharedMessages.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

namespace {

// Stands in for a loaded catalogue of the "SharedMessages" context.
struct Catalogue : QTranslator {
    QString translate(const char* context, const char*, const char* disambiguation,
                      int) const override {
        return qstrcmp(context, "SharedMessages") == 0 && !disambiguation
                   ? QString("übersetzt: <a href=\"%1\" style=\"%2\">hier</a>")
                   : QString();
    }
    bool isEmpty() const override { return false; }
};

}  // namespace

class TestSharedMessages : public QObject {
    Q_OBJECT

private slots:
    // The source text, or its translation in "SharedMessages", with the url and the
    // application's "linkStyle" property put in as HTML attributes (a quote must not end one);
    // markers in the url are left alone.
    void messages() {
        Catalogue catalogue;
        for (auto builder : {&GetGPUNeedSetupDriverMessage, &GetGPUUnsupportedDriverMessage}) {
            qApp->setProperty("linkStyle", QVariant());
            QVERIFY(builder("u").contains("<a href=\"u\" style=\"\">"));
            qApp->setProperty("linkStyle", "color: #0a84ff;");
            QVERIFY(builder("https://example.test/?a=%2&b=%1")
                        .contains("<a href=\"https://example.test/?a=%2&amp;b=%1\" "
                                  "style=\"color: #0a84ff;\">"));
            QCoreApplication::installTranslator(&catalogue);
            qApp->setProperty("linkStyle", "font-family: \"Sans\"");
            const QString message = builder("u\" onclick=\"x");
            QCoreApplication::removeTranslator(&catalogue);
            QCOMPARE(message, QString("übersetzt: <a href=\"u&quot; onclick=&quot;x\" "
                                      "style=\"font-family: &quot;Sans&quot;\">hier</a>"));
        }
    }
};

QUORVEL_TEST_MAIN(TestSharedMessages)
#include "tst_SharedMessages.moc"
