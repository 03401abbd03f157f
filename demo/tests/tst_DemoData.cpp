// The demo's shipped themes and translations, checked through the real look-and-feel manager.
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

#include <QDirIterator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <QXmlStreamReader>

using namespace Quorvel::App;
using Quorvel::Util::Utf8ToQString;

namespace {

const std::list<std::string> kShippedLocales{"de_DE", "en_US", "ru_RU"};
const std::list<std::string> kShippedThemes{"dark", "light"};

std::shared_ptr<LookAndFeelManager> Manager() {
    return std::make_shared<LookAndFeelManager>(Quorvel::ioPath(QUORVEL_DEMO_DATA_DIR),
                                                "titles.json", std::list<std::string>());
}

}  // namespace

class DemoDataTest : public QObject {
    Q_OBJECT
private slots:
    void discoversEveryShippedThemeAndLanguage() {
        auto manager = Manager();
        QCOMPARE(manager->GetThemes(), kShippedThemes);
        QCOMPARE(manager->GetLocales(), kShippedLocales);
    }

    void everyThemeHasATitleInEveryLanguage() {
        auto manager = Manager();
        Quorvel::TestSupport::LogCapture capture;
        for (const auto& locale : kShippedLocales) {
            manager->SetLocale(locale);
            for (const auto& theme : kShippedThemes) {
                QVERIFY(manager->GetLocalizedThemeName(theme) != theme);
            }
        }
        QCOMPARE(capture.Count("No title found"), 0);
    }

    void sheets_data() {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("titleSize");
        for (const auto& theme : kShippedThemes) {
            QTest::newRow((theme + " en_US").c_str()) << theme.c_str() << "en_US"
                                                      << "18pt";
            QTest::newRow((theme + " de_DE").c_str()) << theme.c_str() << "de_DE"
                                                      << "16pt";
            QTest::newRow((theme + " ru_RU").c_str()) << theme.c_str() << "ru_RU"
                                                      << "18pt";
        }
    }
    // Every placeholder a sheet uses is defined, for every language; the theme's fonts are in
    // its resource file; the demo's own sheets come last.
    void sheets() {
        QFETCH(QString, theme);
        QFETCH(QString, locale);
        QFETCH(QString, titleSize);
        auto manager = Manager();
        manager->Initialize(locale.toStdString(), theme.toStdString());
        const QString sheet = Utf8ToQString(manager->GetUnitedStylesheet());

        const auto unreplaced = QRegularExpression("@[A-Za-z_]+").match(sheet);
        QVERIFY2(!unreplaced.hasMatch(), qPrintable(unreplaced.captured()));
        QVERIFY(sheet.contains("font-size: " + titleSize));
        QVERIFY(sheet.contains("QMainWindow"));
        QVERIFY(sheet.contains("QLabel#valueLabel"));  // the demo's own sheet
        QFile manifest(":/" + theme + "/fonts.manifest");
        QVERIFY(manifest.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList fonts = QString::fromUtf8(manifest.readAll())
                                      .split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
        QCOMPARE(fonts.size(), 2);
        for (const QString& font : fonts) {
            QVERIFY2(QFile::exists(font), qPrintable(font));
        }
        manager->SetTheme(std::string());
    }

    void translationsLoad_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("restartTitle");
        QTest::newRow("de_DE") << "de_DE"
                               << "&Datei"
                               << "Achtung";
        QTest::newRow("ru_RU") << "ru_RU"
                               << "&Файл"
                               << "Внимание";
        QTest::newRow("en_US") << "en_US"
                               << "&File"
                               << "Attention";
    }
    void translationsLoad() {
        QFETCH(QString, locale);
        QFETCH(QString, file);
        QFETCH(QString, restartTitle);
        auto manager = Manager();
        manager->SetLocale(locale.toStdString());
        QCOMPARE(QCoreApplication::translate("MainWindow", "&File"), file);
        QCOMPARE(QCoreApplication::translate("ApplicationRestarter", "Attention"), restartTitle);
    }

    // A text added to the code without a translation would show in English in the middle of
    // a German or Russian window.
    void translationCatalogsAreComplete_data() {
        QTest::addColumn<QString>("path");
        for (const QString& directory : {QString(QUORVEL_DEMO_SOURCE_DIR "/translations"),
                                         QString(QUORVEL_LIBRARY_TRANSLATIONS_DIR)}) {
            QDirIterator it(directory, {"*_de_DE.ts", "*_ru_RU.ts"});
            while (it.hasNext()) {
                const QString path = it.next();
                QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
            }
        }
    }
    void translationCatalogsAreComplete() {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        int messages = 0;
        QString source;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) {
                continue;
            }
            if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation")) {
                const bool unfinished =
                    xml.attributes().value("type") == QLatin1String("unfinished");
                QVERIFY2(!unfinished && !xml.readElementText().isEmpty(), qPrintable(source));
                ++messages;
            }
        }
        QVERIFY(!xml.hasError());
        QVERIFY(messages > 0);
    }

    void customizationReads() {
        auto customization =
            CustomizationManager::FromFile(QString(QUORVEL_DEMO_DATA_DIR "/customization.json"));
        QCOMPARE(customization->GetProductName(), std::string("Quorvel Demo"));
        customization->SwitchLocale("ru_RU");
        QCOMPARE(customization->GetProductName(), std::string("Кворвел Демо"));
    }

    // Every link key has a usable web address in every shipped language, and the languages
    // that have their own help pages get them.
    void everyLinkResolvesInEveryLanguage_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("help");
        QTest::newRow("en_US") << "en_US"
                               << "https://quorvel.example/help/en_US/?v=1.0.0.42";
        QTest::newRow("de_DE") << "de_DE"
                               << "https://quorvel.example/de/hilfe/?v=1.0.0.42";
        QTest::newRow("ru_RU") << "ru_RU"
                               << "https://quorvel.example/ru/spravka/?v=1.0.0.42";
    }
    void everyLinkResolvesInEveryLanguage() {
        QFETCH(QString, locale);
        QFETCH(QString, help);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        auto lookAndFeel = Manager();
        lookAndFeel->SetLocale(locale.toStdString());
        auto customization = CustomizationManager::FromFile(
            QString(QUORVEL_DEMO_SOURCE_DIR "/data/customization.json"));
        customization->SwitchLocale(locale.toStdString());
        Quorvel::TestSupport::LogCapture capture;
        LinksManager links(customization, std::make_shared<HardwareInfo>(), lookAndFeel,
                           std::make_shared<MailSettingsManager>(dir.filePath("mail.ini")),
                           std::make_shared<ProductSettingsManager>(dir.filePath("product.ini")),
                           std::make_shared<UserSettingsManager>(dir.filePath("user.ini")),
                           std::make_shared<LaunchTypeProcessor>(nullptr, QStringList{"demo"}),
                           nullptr, QUORVEL_DEMO_DATA_DIR "/" + QString(LinksManager::FileName));
        QVERIFY(links.IsLoaded());
        for (const auto& [key, name] : Quorvel::GetURLKeyNames()) {
            const QString address = links.GetUrl(key);
            const QUrl url(address, QUrl::StrictMode);
            QVERIFY2(url.isValid() && !url.host().isEmpty() &&
                         (url.scheme() == "https" || url.scheme() == "http"),
                     qPrintable(Utf8ToQString(name) + ": \"" + address + '"'));
        }
        QCOMPARE(links.GetUrl(Quorvel::URLKeys::HELP_URL_menu), help);
        QCOMPARE(capture.Messages(google::GLOG_ERROR), std::vector<std::string>());
        QCOMPARE(capture.Messages(google::GLOG_WARNING), std::vector<std::string>());
    }
};

QUORVEL_TEST_MAIN(DemoDataTest)
#include "tst_DemoData.moc"
