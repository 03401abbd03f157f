// The e-mail dialog driven by key and mouse clicks on its real widgets.
#include <Quorvel/App/EmailDialogCreator.h>
#include <Quorvel/App/MailSettingsManager.h>
#include <Quorvel/TestSupport/EmailDialogDriver.h>
#include <Quorvel/TestSupport/RecordingLinks.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QTemporaryDir>

#include <thread>

using namespace Quorvel::App;
using Driver = Quorvel::TestSupport::EmailDialogDriver;

Q_DECLARE_METATYPE(Driver::Finish)

class EmailDialogTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_files = 0;

    std::shared_ptr<MailSettingsManager> NewSettings() {
        return std::make_shared<MailSettingsManager>(m_dir.filePath(QString("mail%1.ini").arg(++m_files)));
    }

private slots:
    void onlyAConsentedAddressLeaves_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("consent");
        QTest::addColumn<Driver::Finish>("finish");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<bool>("hint");
        const auto confirm = Driver::Finish::ClickConfirm;
        QTest::newRow("address and consent") << "ann.lee+news@mail.example.org" << true << confirm << true << false;
        QTest::newRow("enter confirms too") << "ann@example.org" << true << Driver::Finish::PressEnter << true << false;
        QTest::newRow("surrounding blanks dropped") << "  ann@example.org " << true << confirm << true << false;
        QTest::newRow("no consent") << "ann@example.org" << false << confirm << false << false;
        QTest::newRow("not now") << "ann@example.org" << true << Driver::Finish::ClickNotNow << false << false;
        QTest::newRow("no at sign") << "ann.example.org" << true << confirm << false << true;
        QTest::newRow("two at signs") << "ann@b@example.org" << true << confirm << false << true;
        QTest::newRow("no dot in domain") << "ann@localhost" << true << confirm << false << true;
        QTest::newRow("empty label") << "ann@example..org" << true << Driver::Finish::PressEnter << false << true;
        QTest::newRow("blank inside") << "ann lee@example.org" << true << confirm << false << true;
        QTest::newRow("empty") << "" << true << confirm << false << false;
    }
    void onlyAConsentedAddressLeaves() {
        QFETCH(QString, typed);
        QFETCH(bool, consent);
        QFETCH(Driver::Finish, finish);
        QFETCH(bool, stored);
        QFETCH(bool, hint);
        auto settings = NewSettings();
        settings->SetString("Email", "old@example.org");
        QWidget parent;
        auto dialog = EmailDialogCreator().Create(settings, std::make_shared<Quorvel::TestSupport::RecordingLinks>(), &parent);
        QVERIFY(dialog);
        Driver driver(typed, consent, finish);
        dialog->Run();

        QCOMPARE(driver.Answered(), 1);
        QCOMPARE(driver.Parent(), &parent);
        QCOMPARE(driver.HintShown(), hint);
        QCOMPARE(driver.ClosedByFinish(), stored || finish == Driver::Finish::ClickNotNow);
        QCOMPARE(settings->GetString("isConfirmed", "") == "1", stored);
        QCOMPARE(settings->GetString("Email", ""),
                 stored ? typed.trimmed().toStdString() : std::string("old@example.org"));
    }

    void privacyPolicyOpensThroughTheLinks() {
        auto links = std::make_shared<Quorvel::TestSupport::RecordingLinks>();
        links->urls[Quorvel::URLKeys::PRIVACY_POLICY_URL] = "https://quorvel.example/privacy";
        auto dialog = EmailDialogCreator().Create(NewSettings(), links, nullptr);
        Driver driver("ann@example.org", true, Driver::Finish::ClickPrivacyThenNotNow);
        dialog->Run();
        QCOMPARE(links->opened, QStringList{"https://quorvel.example/privacy"});
    }

    void noDialogWithoutServicesOrOffTheGuiThread() {
        auto links = std::make_shared<Quorvel::TestSupport::RecordingLinks>();
        QVERIFY(!EmailDialogCreator().Create(nullptr, links, nullptr));
        QVERIFY(!EmailDialogCreator().Create(NewSettings(), nullptr, nullptr));
        bool made = true;
        std::thread([&] { made = EmailDialogCreator().Create(NewSettings(), links, nullptr) != nullptr; }).join();
        QVERIFY(!made);
    }
};

QUORVEL_TEST_MAIN(EmailDialogTest)
#include "tst_EmailDialog.moc"
