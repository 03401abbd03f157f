// links.json: the address templates of every web link. A table the reader accepts fills
// every template it finds into an absolute URL; a refused one is refused with the file's name.

#include "FuzzSupport.h"

#include <Quorvel/App/LinksManager.h>
#include <Quorvel/App/LinksTable.h>
#include <Quorvel/URLKeys.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include <stdexcept>

namespace {

using Quorvel::App::LinksTable;

// A filled template: what the reader checked it with, then values as the links manager
// percent-encodes them.
void CheckFilled(const LinksTable::Template& found) {
    const QString checked = found.Fill([](const QString&) { return QStringLiteral("x"); });
    if (!checked.isEmpty()) {
        const QUrl url(checked, QUrl::StrictMode);
        FUZZ_CHECK(url.isValid() && !url.isRelative());
    }
    found.Fill([](const QString& name) {
        return QString::fromLatin1(QUrl::toPercentEncoding(name + " &?#/{}%\xC3\xBC"));
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Quorvel::Fuzz::Prepare();
    const QByteArray json = Quorvel::Fuzz::Bytes(data, size);
    std::unique_ptr<LinksTable> table;
    try {
        table = LinksTable::FromJson(json, "links.json",
                                     Quorvel::App::LinksManager::PlaceholderNames());
    } catch (const std::runtime_error& error) {
        FUZZ_CHECK(QString::fromUtf8(error.what()).startsWith("links.json: "));
        return 0;
    }
    FUZZ_CHECK(table->Source() == "links.json");

    // Every name the file has and every key the product asks for, in the file's locales, a
    // language alone and a locale it does not have.
    const QJsonObject root = QJsonDocument::fromJson(json).object();
    QStringList names = root.value("default").toObject().keys();
    QStringList locales = root.value("locales").toObject().keys();
    for (const QString& locale : locales) {
        names += root.value("locales").toObject().value(locale).toObject().keys();
    }
    for (const auto& key : Quorvel::GetURLKeyNames()) {
        names << QString::fromStdString(key.second);
    }
    locales += {"de", "xx_YY"};
    for (const QString& locale : locales) {
        for (const QString& name : names) {
            if (const LinksTable::Template* found = table->Find(name, locale)) {
                CheckFilled(*found);
            }
        }
    }
    return 0;
}
