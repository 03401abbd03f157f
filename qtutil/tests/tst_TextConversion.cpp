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
        QTest::newRow("Latin-1, Cyrillic, CJK")
            << std::string("\xc3\xa9\xd0\x9f\xe4\xb8\x96") << QVector<uint>{0xE9, 0x41F, 0x4E16};
        QTest::newRow("non-BMP") << std::string("x\xf0\x9f\x99\x82\xf4\x8f\xbf\xbf")
                                 << QVector<uint>{'x', 0x1F642, 0x10FFFF};
        QTest::newRow("NULs inside and at the end")
            << std::string("a\0b\0", 4) << QVector<uint>{'a', 0, 'b', 0};
        // QString::fromUtf8 would drop a leading byte order mark as a header.
        QTest::newRow("byte order marks kept, leading and inside")
            << std::string(
                   "\xef\xbb\xbf\xef\xbb\xbf"
                   "a\xef\xbb\xbf")
            << QVector<uint>{0xFEFF, 0xFEFF, 'a', 0xFEFF};
    }
    void utf8RoundTripsLosslessly() {
        QFETCH(std::string, utf8);
        const QString text = Utf8ToQString(utf8);
        QTEST(text.toUcs4(), "codePoints");
        QCOMPARE(QStringToUtf8(text), utf8);
    }
};

QUORVEL_TEST_MAIN(TextConversionTest)
#include "tst_TextConversion.moc"
