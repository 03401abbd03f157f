// The demo's shipped themes, translations and links, checked through the real managers.
#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/App/CustomizationManager.h>
#include <Quorvel/App/HardwareInfo.h>
#include <Quorvel/App/LaunchTypeProcessor.h>
#include <Quorvel/App/LinksManager.h>
#include <Quorvel/App/MailSettingsManager.h>
#include <Quorvel/App/ProductSettingsManager.h>
#include <Quorvel/App/UserSettingsManager.h>
#include <Quorvel/TestSupport/LogCapture.h>
#include <Quorvel/TestSupport/TestEnvironment.h>
#include <Quorvel/Util/TextConversion.h>

using namespace Quorvel::App;
using Quorvel::Util::Utf8ToQString;

namespace {

std::shared_ptr<LookAndFeelManager> Manager() {
    return std::make_shared<LookAndFeelManager>(Quorvel::ioPath(QUORVEL_DEMO_DATA_DIR),
                                                "titles.json", std::list<std::string>());
}

}  // namespace

class DemoDataTest : public QObject {
    Q_OBJECT
private slots:
    void everyThemeAndLanguage_data() {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<QString>("locale");
        auto manager = Manager();
        QVERIFY(manager->GetThemes().size() > 1 && manager->GetLocales().size() > 1);
        for (const auto& theme : manager->GetThemes()) {
            for (const auto& locale : manager->GetLocales()) {
                QTest::newRow((theme + ' ' + locale).c_str()) << theme.c_str() << locale.c_str();
            }
        }
    }
    // Every placeholder a sheet uses is defined and the theme's fonts are in its resource file;
    // every theme has a title, the demo's and the library's texts are translated and every link
    // key has a usable web address, in every language; and nothing is logged on the way.
    void everyThemeAndLanguage() {
        QFETCH(QString, theme);
        QFETCH(QString, locale);
        Quorvel::TestSupport::LogCapture capture;
        auto manager = Manager();
        manager->Initialize(locale.toStdString(), theme.toStdString());
        const QString sheet = Utf8ToQString(manager->GetUnitedStylesheet());
        QVERIFY(!sheet.contains(QRegularExpression("@[A-Za-z_]+")));
        QVERIFY(sheet.contains("QLabel#valueLabel"));  // the demo's own sheet comes with it
        QFile manifest(":/" + theme + "/fonts.manifest");
        QVERIFY(manifest.open(QIODevice::ReadOnly | QIODevice::Text));
        for (const QString& font : QString(manifest.readAll()).split('\n', Qt::SkipEmptyParts)) {
            QVERIFY2(QFile::exists(font.trimmed()), qPrintable(font));
        }
        for (const auto& other : manager->GetThemes()) {
            QVERIFY(manager->GetLocalizedThemeName(other) != other);
        }
        if (locale != "en_US") {
            QVERIFY(QCoreApplication::translate("MainWindow", "&File") != "&File" &&
                    QCoreApplication::translate("ApplicationRestarter", "Attention") !=
                        "Attention");
        }

        QTemporaryDir dir;
        auto customization =
            CustomizationManager::FromFile(QString(QUORVEL_DEMO_DATA_DIR "/customization.json"));
        customization->SwitchLocale(locale.toStdString());
        LinksManager links(customization, std::make_shared<HardwareInfo>(), manager,
                           std::make_shared<MailSettingsManager>(dir.filePath("mail.ini")),
                           std::make_shared<ProductSettingsManager>(dir.filePath("product.ini")),
                           std::make_shared<UserSettingsManager>(dir.filePath("user.ini")),
                           std::make_shared<LaunchTypeProcessor>(nullptr, QStringList{"demo"}),
                           nullptr, QUORVEL_DEMO_DATA_DIR "/" + QString(LinksManager::FileName));
        QVERIFY(links.IsLoaded());
        for (const auto& [key, name] : Quorvel::GetURLKeyNames()) {
            const QUrl url(links.GetUrl(key), QUrl::StrictMode);
            QVERIFY2(url.isValid() && !url.host().isEmpty() && url.scheme().startsWith("http"),
                     name.c_str());
        }
        QVERIFY(capture.Messages(google::GLOG_WARNING).empty() &&
                capture.Messages(google::GLOG_ERROR).empty());
        manager->SetTheme(std::string());
    }

    // A text added to the code without a translation would show in English in the middle of
    // a German or Russian window.
    void translationCatalogsAreComplete() {
        for (const QString& directory : {QString(QUORVEL_DEMO_SOURCE_DIR "/translations"),
                                         QString(QUORVEL_LIBRARY_TRANSLATIONS_DIR)}) {
            QDirIterator it(directory, {"*_de_DE.ts", "*_ru_RU.ts"});
            QVERIFY(it.hasNext());
            while (it.hasNext()) {
                const QString file = it.next(), catalog = Quorvel::TestSupport::ReadFile(file);
                QVERIFY2(catalog.contains("<translation>") &&
                             !catalog.contains(QRegularExpression(
                                 "<translation( type=\"unfinished\")?(/>|></translation>)")),
                         qPrintable(file));
            }
        }
    }
};

QUORVEL_TEST_MAIN(DemoDataTest)
#include "tst_DemoData.moc"
