#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/URLKeys.h>

// The numbers are shared with the links configuration: a renumbered key silently opens the
// wrong page. The rows sample the ends of the range and both sides of its gaps.
class URLKeysTest : public QObject {
    Q_OBJECT
private slots:
    void nameOfEachKey_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << 10 << "HOMEPAGE_URL_menu";
        QTest::newRow("before first gap") << 14 << "DOWNLOAD_URL_checkupdatest";
        QTest::newRow("after first gap") << 16 << "HELP_URL_menu";
        QTest::newRow("after 56") << 66 << "LIVECHAT_URL_app_share";
        QTest::newRow("check for updates") << 72 << "CHECK_FOR_UPDATES_URL";
        QTest::newRow("last") << 85 << "RESTORE_OLD_PHOTO_URL_menu";
    }
    void nameOfEachKey() {
        QFETCH(int, value);
        const auto& names = Quorvel::GetURLKeyNames();
        const auto it = names.find(static_cast<Quorvel::URLKeys>(value));
        QVERIFY2(it != names.end(), qPrintable(QString::number(value)));
        QTEST(QString::fromStdString(it->second), "name");
    }
};

QUORVEL_TEST_MAIN(URLKeysTest)
#include "tst_URLKeys.moc"
