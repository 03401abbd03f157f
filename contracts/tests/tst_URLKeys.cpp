#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/URLKeys.h>

// The numbers are shared with the links configuration: a renumbered key silently opens the
// wrong page, so every row is pinned here.
class URLKeysTest : public QObject {
    Q_OBJECT
private slots:
    void nameOfEachKey_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << 10 << "HOMEPAGE_URL_menu";
        QTest::newRow("before first gap") << 14 << "DOWNLOAD_URL_checkupdatest";
        QTest::newRow("after first gap") << 16 << "HELP_URL_menu";
        QTest::newRow("support") << 25 << "CONTACT_SUPPORT_menu";
        QTest::newRow("thank you") << 29 << "THANK_FOR_INSTALL_URL";
        QTest::newRow("reinstall") << 30 << "THANK_FOR_REINSTALL_URL";
        QTest::newRow("after 56") << 66 << "LIVECHAT_URL_app_share";
        QTest::newRow("collect e-mail") << 69 << "COLLECT_EMAIL_URL";
        QTest::newRow("faq") << 78 << "FAQ_URL";
        QTest::newRow("last") << 85 << "RESTORE_OLD_PHOTO_URL_menu";
    }
    void nameOfEachKey() {
        QFETCH(int, value);
        QFETCH(QString, name);
        const auto& names = Quorvel::GetURLKeyNames();
        const auto it = names.find(static_cast<Quorvel::URLKeys>(value));
        QVERIFY2(it != names.end(), qPrintable(QString::number(value)));
        QCOMPARE(QString::fromStdString(it->second), name);
    }

    void tableHasEveryKeyOnceInAscendingOrder() {
        const auto& names = Quorvel::GetURLKeyNames();
        QCOMPARE(names.size(), size_t(54));
        QCOMPARE(static_cast<int>(names.begin()->first), 10);
        QCOMPARE(static_cast<int>(names.rbegin()->first), 85);
        for (int gap : {15, 19, 24, 27, 53, 57, 65, 70, 76, 77, 81}) {
            QVERIFY2(names.count(static_cast<Quorvel::URLKeys>(gap)) == 0,
                     qPrintable(QString::number(gap)));
        }
    }

    void enumeratorsCarryTheirNumbers() {
        QCOMPARE(static_cast<int>(Quorvel::URLKeys::HELP_URL_menu), 16);
        QCOMPARE(static_cast<int>(Quorvel::URLKeys::CHECK_FOR_UPDATES_URL), 72);
        QCOMPARE(static_cast<int>(Quorvel::URLKeys::REMOVE_BG_URL_menu), 83);
    }
};

QUORVEL_TEST_MAIN(URLKeysTest)
#include "tst_URLKeys.moc"
