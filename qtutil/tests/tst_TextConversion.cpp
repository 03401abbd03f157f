#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/TextConversion.h>

#include <string>

using Quorvel::Util::QStringToUtf8;
using Quorvel::Util::Utf8ToQString;

Q_DECLARE_METATYPE(std::string)

class TextConversionTest : public QObject {
    Q_OBJECT
private slots:
    // UTF-8 bytes in, the code points they encode expected, and the same bytes back out.
    void utf8RoundTripsLosslessly_data() {
        QTest::addColumn<std::string>("utf8");
        QTest::addColumn<QVector<uint>>("codePoints");
        QTest::newRow("empty") << std::string() << QVector<uint>{};
        QTest::newRow("ASCII") << std::string("Quorvel 1.2")
                               << QVector<uint>{'Q', 'u', 'o', 'r', 'v', 'e',
                                                'l', ' ', '1', '.', '2'};
        QTest::newRow("Latin-1 range")
            << std::string("\xc3\xa9\xc3\xbf") << QVector<uint>{0xE9, 0xFF};
        QTest::newRow("Cyrillic") << std::string("\xd0\x9f\xd1\x80\xd0\xb8")
                                  << QVector<uint>{0x41F, 0x440, 0x438};
        QTest::newRow("CJK") << std::string("\xe4\xb8\x96\xe7\x95\x8c")
                             << QVector<uint>{0x4E16, 0x754C};
        QTest::newRow("non-BMP emoji") << std::string("\xf0\x9f\x99\x82") << QVector<uint>{0x1F642};
        QTest::newRow("non-BMP mathematical letter")
            << std::string("x\xf0\x9d\x94\xb8y") << QVector<uint>{'x', 0x1D538, 'y'};
        QTest::newRow("highest code point")
            << std::string("\xf4\x8f\xbf\xbf") << QVector<uint>{0x10FFFF};
        QTest::newRow("embedded NUL") << std::string("a\0b", 3) << QVector<uint>{'a', 0, 'b'};
        QTest::newRow("trailing NUL") << std::string("z\0", 2) << QVector<uint>{'z', 0};
        QTest::newRow("combining mark stays apart")
            << std::string("e\xcc\x81") << QVector<uint>{'e', 0x301};
        QTest::newRow("byte order mark kept") << std::string(
                                                     "\xef\xbb\xbf"
                                                     "a")
                                              << QVector<uint>{0xFEFF, 'a'};
        QTest::newRow("two byte order marks")
            << std::string("\xef\xbb\xbf\xef\xbb\xbf") << QVector<uint>{0xFEFF, 0xFEFF};
        QTest::newRow("byte order mark inside")
            << std::string("a\xef\xbb\xbf") << QVector<uint>{'a', 0xFEFF};
    }
    void utf8RoundTripsLosslessly() {
        QFETCH(std::string, utf8);
        QFETCH(QVector<uint>, codePoints);
        const QString text = Utf8ToQString(utf8);
        QCOMPARE(text.toUcs4(), codePoints);
        QCOMPARE(QStringToUtf8(text), utf8);
    }

    void qstringWithNulKeepsItsLength() {
        const QString text = QString("ab") + QChar(0) + QChar(0x4E16);
        const std::string utf8 = QStringToUtf8(text);
        QCOMPARE(utf8.size(), size_t(6));
        QCOMPARE(utf8, std::string("ab\0\xe4\xb8\x96", 6));
        QCOMPARE(Utf8ToQString(utf8), text);
    }

    void longTextRoundTrips() {
        std::string utf8;
        for (int i = 0; i < 100000; ++i) {
            utf8 += "a\xd0\x96\xe4\xb8\x96\xf0\x9f\x99\x82";
        }
        const QString text = Utf8ToQString(utf8);
        QCOMPARE(text.size(), 100000 * 5);  // the emoji takes two UTF-16 units
        QCOMPARE(QStringToUtf8(text), utf8);
    }
};

QUORVEL_TEST_MAIN(TextConversionTest)
#include "tst_TextConversion.moc"
