#include <Quorvel/Reading/Limits.h>
#include <Quorvel/Reading/LogText.h>

#include <QTest>

using Quorvel::Reading::LogText;

// A quote in the log shows what came from outside, but nothing in it can act on a terminal or
// pass for a record of its own.
class LogTextTest : public QObject {
    Q_OBJECT

private slots:
    void escapesWhatCouldActOnTheReader_data() {
        QTest::addColumn<QByteArray>("bytes");  // as they came, UTF-8 or not
        QTest::addColumn<QByteArray>("logged");
        QTest::newRow("plain text, non-ASCII kept")
            << QByteArray("Größe 10 µm") << QByteArray("Größe 10 µm");
        QTest::newRow("screen cleared, cursor moved")
            << QByteArray("OK\x1b[2J\x1b[H") << QByteArray("OK\\e[2J\\e[H");
        QTest::newRow("a forged earlier line")
            << QByteArray("x\rI1206 fake\nnext") << QByteArray("x\\rI1206 fake\\nnext");
        QTest::newRow("backslash, so an escape is never forged")
            << QByteArray("a\\nb\tc") << QByteArray("a\\\\nb\\tc");
        QTest::newRow("C0, DEL and C1 (CSI)")
            << QByteArray("\x01\x7f\xc2\x9b") << QByteArray("\\x01\\x7F\\x9B");
        QTest::newRow("right-to-left override")
            << QByteArray("exe.\xe2\x80\xaetxt") << QByteArray("exe.\\u{202E}txt");
        QTest::newRow("byte that is no UTF-8")
            << QByteArray("dir\xff/x\xe2\x82") << QByteArray("dir\\xFF/x\\xE2\\x82");
        QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << QByteArray("\\xC0\\xAF");
    }
    void escapesWhatCouldActOnTheReader() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, logged);
        QCOMPARE(QByteArray::fromStdString(LogText(bytes)), logged);
        if (QString::fromUtf8(bytes).toUtf8() == bytes) {  // the same text as a QString
            QCOMPARE(QByteArray::fromStdString(LogText(QString::fromUtf8(bytes))), logged);
        }
    }

    void cutsLongQuotes() {
        const int limit = Quorvel::Reading::Limits::kLoggedText;
        QCOMPARE(LogText(QString(limit, 'a')), std::string(limit, 'a'));
        // Characters are counted whole: a character beyond U+FFFF is two UTF-16 units.
        const QString clefs = QString::fromUtf8("\xf0\x9d\x84\x9e").repeated(limit + 2);
        QCOMPARE(LogText(clefs), clefs.left(2 * limit).toStdString() + " [cut: 2 characters more]");
        QCOMPARE(LogText(std::string(limit + 5, '\n')),
                 QByteArray("\\n").repeated(limit).toStdString() + " [cut: 5 bytes more]");
    }
};

QTEST_APPLESS_MAIN(LogTextTest)
#include "tst_LogText.moc"
