#include "gesture/GestureDecoderChecks.h"

#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QtTest>

using namespace GestureDecoderChecks;

// The decoder's tables, shared with the mingw-w64 build that runs under wine.
class TestGestureDecoder : public QObject {
    Q_OBJECT

private slots:
    void configuration_data() {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < ConfigCases().size(); ++i) {
            QTest::newRow(ConfigCases()[i].name) << int(i);
        }
    }
    void configuration() {
        QFETCH(int, index);
        const ConfigCase& config = ConfigCases()[size_t(index)];
        QCOMPARE(QString::fromStdString(RunConfig(config)), QString(config.expected));
    }

    void decoding_data() {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < DecodeCases().size(); ++i) {
            QTest::newRow(DecodeCases()[i].name) << int(i);
        }
    }
    void decoding() {
        QFETCH(int, index);
        const DecodeCase& decode = DecodeCases()[size_t(index)];
        QCOMPARE(QString::fromStdString(RunDecode(decode)), QString(decode.expected));
    }
};

QUORVEL_TEST_MAIN_NOAPP(TestGestureDecoder)
#include "tst_GestureDecoder.moc"
