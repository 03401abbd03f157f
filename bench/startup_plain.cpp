// The baseline of startup_core.cpp: the same product without the core, from process start to
// the same started state. It does by hand what the core did there for what can be seen: the
// demo's German translations installed, the light theme's resource file registered, the fonts
// of its manifest added, its sheets and the product's own joined with the font placeholders of
// fonts.json replaced, applied to the application, and the same window shown. run_startup.sh
// checks with --describe that both programs show the same. Like a product of the family done by
// hand, it logs with glog and links QtNetwork for its web requests (which start-up sends none of).

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QJsonDocument>
#include <QJsonObject>
#include <QResource>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

#include "ProductWindow.h"
#include "StartupState.h"

#include <glog/logging.h>

#include <cstring>
#include <map>

namespace {

QByteArray ReadResource(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The theme's sheets and then the product's, each followed by a line break, with every
// placeholder of fonts.json replaced, the shorter ones first.
QString ThemeSheet(const QString& theme, const QString& locale) {
    const QString prefix = ":/" + theme + "/";
    QString sheet;
    for (const QString& path :
         {prefix + "style.qss", prefix + "fonts_linux.qss", QStringLiteral(":/productStyle.qss"),
          QStringLiteral(":/productStyle_linux.qss")}) {
        sheet += QString::fromUtf8(ReadResource(path)) + '\n';
    }
    const QJsonObject fonts = QJsonDocument::fromJson(ReadResource(prefix + "fonts.json")).object();
    std::map<QString, QString> placeholders;
    for (const char* block : {"all_platforms", "linux"}) {
        for (const QString& language : {QStringLiteral("all_languages"), locale}) {
            const QJsonObject values = fonts[block].toObject()[language].toObject();
            for (auto it = values.begin(); it != values.end(); ++it) {
                placeholders['@' + it.key()] = it.value().toString();
            }
        }
    }
    for (const auto& [placeholder, value] : placeholders) {
        sheet.replace(placeholder, value);
    }
    return sheet;
}

}  // namespace

int main(int argc, char** argv) {
    const bool describe = argc > 1 && std::strcmp(argv[1], "--describe") == 0;
    google::InitGoogleLogging(argv[0]);
    FLAGS_logtostderr = true;
    QApplication app(argc, argv);
    const QString data = QStringLiteral(QUORVEL_DEMO_DATA_DIR);
    const QString theme = StartupState::kTheme;
    const QString locale = StartupState::kLocale;

    QTranslator translators[2];
    const QString translations = data + "/resources/locales/" + locale + "/";
    translators[0].load(translations + "demo_" + locale + ".qm");
    translators[1].load(translations + "quorvel_" + locale + ".qm");
    for (QTranslator& translator : translators) {
        QCoreApplication::installTranslator(&translator);
    }

    QResource::registerResource(data + "/resources/themes/" + theme + "/" + theme + ".rcc");
    QByteArray manifest = ReadResource(":/" + theme + "/fonts.manifest");
    QTextStream fonts(&manifest);
    while (!fonts.atEnd()) {
        const QString font = fonts.readLine().trimmed();
        if (!font.isEmpty()) {
            QFontDatabase::addApplicationFont(font);
        }
    }
    app.setStyleSheet(ThemeSheet(theme, locale));

    ProductWindow window;
    window.show();
    QTimer::singleShot(0, [&window, describe] { StartupState::Reached(window, describe); });
    return app.exec();
}
