#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/FontDatabase.h>

#include <QFontDatabase>

using Quorvel::Util::FontDatabase;

class FontDatabaseTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    // Once per path: themes register their fonts at every switch, and Qt would add another
    // copy each time. A font removed from Qt meanwhile is registered again.
    void registersARealFontOnce() {
        const QString path = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
        QVERIFY(QFile::exists(path));  // from the package fonts-dejavu-core
        Quorvel::TestSupport::LogCapture log;
        const int id = FontDatabase::addApplicationFont(path);
        QVERIFY(QFontDatabase::applicationFontFamilies(id).contains("DejaVu Sans"));
        QCOMPARE(FontDatabase::addApplicationFont(path), id);
        QVERIFY(QFontDatabase::removeApplicationFont(id));
        const int again = FontDatabase::addApplicationFont(path);
        QVERIFY(QFontDatabase::applicationFontFamilies(again).contains("DejaVu Sans"));
        QCOMPARE(int(log.Messages(google::GLOG_ERROR).size()), 0);
        QVERIFY(QFontDatabase::removeApplicationFont(again));
    }

    void refusesWhatIsNoFont_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");  // empty: no file at all
        QTest::newRow("text, non-ASCII name") << QString::fromUtf8("шрифт.otf") << QByteArray("x");
        QTest::newRow("missing file") << "missing.ttf" << QByteArray();
    }
    void refusesWhatIsNoFont() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        const QString path = m_dir.filePath(name);
        QVERIFY(content.isEmpty() || Quorvel::TestSupport::WriteFile(path, content));
        Quorvel::TestSupport::LogCapture log;
        QCOMPARE(FontDatabase::addApplicationFont(path), -1);
        QCOMPARE(int(log.Messages(google::GLOG_ERROR).size()), 1);
        QCOMPARE(log.Count(path.toStdString()), 1);
    }
};

QUORVEL_TEST_MAIN(FontDatabaseTest)
#include "tst_FontDatabase.moc"
