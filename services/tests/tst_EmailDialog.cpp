// The e-mail dialog driven by key and mouse clicks on its real widgets.
#include <Quorvel/App/EmailDialogCreator.h>
#include <Quorvel/App/MailSettingsManager.h>
#include <Quorvel/TestSupport/EmailDialogDriver.h>
#include <Quorvel/TestSupport/StandIns.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include "internal/EmailAddress.h"

#include <thread>

using namespace Quorvel::App;
using Driver = Quorvel::TestSupport::EmailDialogDriver;

Q_DECLARE_METATYPE(Driver::Finish)

class EmailDialogTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_files = 0;
    std::shared_ptr<Quorvel::TestSupport::RecordingLinks> m_links =
        std::make_shared<Quorvel::TestSupport::RecordingLinks>();

    std::shared_ptr<MailSettingsManager> NewSettings() {
        return std::make_shared<MailSettingsManager>(
            m_dir.filePath(QString("mail%1.ini").arg(++m_files)));
    }

private slots:
    void onlyAConsentedAddressLeaves_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("consent");
        QTest::addColumn<Driver::Finish>("finish");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<bool>("hint");
        const auto confirm = Driver::Finish::ClickConfirm;
        const auto enter = Driver::Finish::PressEnter;
        QTest::newRow("address and consent")
            << "ann.lee+news@mail.example.org" << true << confirm << true << false;
        QTest::newRow("enter confirms too")
            << " ann@example.org " << true << enter << true << false;
        QTest::newRow("no consent") << "ann@example.org" << false << enter << false << false;
        QTest::newRow("privacy policy, then not now")
            << "ann@example.org" << true << Driver::Finish::ClickPrivacyThenNotNow << false
            << false;
        QTest::newRow("no at sign") << "ann.example.org" << true << confirm << false << true;
        QTest::newRow("empty label, enter") << "ann@example..org" << true << enter << false << true;
    }
    // The sender reads the address back from the settings, untrimmed (found by fuzz_email).
    void isEmailAddress_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        const QString domain = "@example.org";
        QTest::newRow("plain") << "ann@example.org" << true;
        QTest::newRow("longest allowed") << QString(254 - domain.size(), 'a') + domain << true;
        QTest::newRow("one too long") << QString(255 - domain.size(), 'a') + domain << false;
        QTest::newRow("final line feed") << "ann@example.org\n" << false;
        QTest::newRow("two at signs") << "ann@b@example.org" << false;
        QTest::newRow("no dot in domain") << "ann@localhost" << false;
        QTest::newRow("empty label") << "ann@example..org" << false;
        // Found by fuzz_email: only ASCII blanks were refused.
        QTest::newRow("no-break space inside")
            << QString::fromUtf8("ann\u00a0lee@example.org") << false;
    }
    void isEmailAddress() {
        QFETCH(QString, text);
        QTEST(Quorvel::App::Internal::IsEmailAddress(text), "valid");
    }

    void onlyAConsentedAddressLeaves() {
        QFETCH(QString, typed);
        QFETCH(bool, consent);
        QFETCH(Driver::Finish, finish);
        QFETCH(bool, stored);
        QFETCH(bool, hint);
        auto settings = NewSettings();
        settings->SetString("Email", "old@example.org");
        m_links->urls[Quorvel::URLKeys::PRIVACY_POLICY_URL] = "https://quorvel.example/privacy";
        m_links->opened.clear();
        QWidget parent;
        auto dialog = EmailDialogCreator().Create(settings, m_links, &parent);
        Driver driver(typed, consent, finish);
        dialog->Run();

        QCOMPARE(driver.Answered(), 1);
        QCOMPARE(driver.Parent(), &parent);
        QCOMPARE(driver.HintShown(), hint);
        QCOMPARE(driver.ConfirmEnabled(), consent && !hint);
        QCOMPARE(settings->GetString("isConfirmed", "") == "1", stored);
        QCOMPARE(settings->GetString("Email", ""),
                 stored ? typed.trimmed().toStdString() : std::string("old@example.org"));
        QCOMPARE(m_links->opened.size(), finish == Driver::Finish::ClickPrivacyThenNotNow ? 1 : 0);
    }

    void noDialogWithoutServicesOrOffTheGuiThread() {
        QVERIFY(!EmailDialogCreator().Create(nullptr, m_links, nullptr));
        bool made = true;
        std::thread([&] {
            made = EmailDialogCreator().Create(NewSettings(), m_links, nullptr) != nullptr;
        }).join();
        QVERIFY(!made);
    }
};

QUORVEL_TEST_MAIN(EmailDialogTest)
#include "tst_EmailDialog.moc"
