#include <Quorvel/App/LinksTable.h>

#include <Quorvel/Reading/InputFile.h>
#include <Quorvel/Reading/JsonReader.h>
#include <Quorvel/Reading/Limits.h>
#include <Quorvel/Reading/LocaleChain.h>

#include <QDir>
#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QUrl>

#include <stdexcept>

namespace Quorvel::App {

namespace {

using Reading::JsonReader;
using Table = QHash<QString, LinksTable::Template>;

const QString kDefault = QStringLiteral("default");
const QString kLocales = QStringLiteral("locales");

QString Quoted(const QString& text) { return '"' + text + '"'; }

LinksTable::Template ReadTemplate(const JsonReader& reader, const QString& text,
                                  const QString& where, const QStringList& placeholders) {
    LinksTable::Template result;
    int from = 0;  // the start of the literal text before the next placeholder
    for (int open = text.indexOf('{'); open >= 0; open = text.indexOf('{', from)) {
        const int stray = text.indexOf('}', from);
        if (stray >= 0 && stray < open) {
            break;  // reported below
        }
        const int close = text.indexOf('}', open + 1);
        if (close < 0) {
            reader.Fail("the address of " + Quoted(where) + " has a \"{\" without a \"}\"");
        }
        const QString name = text.mid(open + 1, close - open - 1);
        if (!placeholders.contains(name)) {
            reader.Fail("the address of " + Quoted(where) + " uses the unknown placeholder {" +
                        name + "}; known are {" + placeholders.join("}, {") + "}");
        }
        result.parts << text.mid(from, open - from) << name;
        from = close + 1;
    }
    if (text.indexOf('}', from) >= 0) {
        reader.Fail("the address of " + Quoted(where) + " has a \"}\" without a \"{\"");
    }
    result.parts << text.mid(from);

    // A mistake in an address would otherwise show only when a user clicks the link.
    if (!text.isEmpty()) {
        const QUrl url(result.Fill([](const QString&) { return QStringLiteral("x"); }),
                       QUrl::StrictMode);
        if (!url.isValid()) {
            reader.Fail("the address of " + Quoted(where) +
                        " is not a valid URL: " + url.errorString());
        }
        if (url.isRelative()) {
            reader.Fail("the address of " + Quoted(where) + " is not absolute (it has no scheme)");
        }
    }
    return result;
}

Table ReadTable(const JsonReader& reader, const QJsonObject& object, const QString& where,
                const QStringList& placeholders) {
    Table table;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key().isEmpty()) {
            reader.Fail("a link name in " + Quoted(where) + " is empty");
        }
        const QString path = JsonReader::Path(where, it.key());
        table.insert(it.key(),
                     ReadTemplate(reader, reader.AsString(it.value(), path), path, placeholders));
    }
    return table;
}

}  // namespace

QString LinksTable::Template::Fill(const std::function<QString(const QString&)>& value) const {
    QString text;
    for (int i = 0; i < parts.size(); ++i) {
        text += (i % 2 == 0) ? parts[i] : value(parts[i]);
    }
    return text;
}

struct LinksTable::Impl {
    QString source;
    Table defaults;
    QHash<QString, Table> locales;
};

std::unique_ptr<LinksTable> LinksTable::FromFile(const QString& path,
                                                 const QStringList& placeholders) {
    const auto file = Reading::InputFile::Read(path, Reading::Limits::kDataFile);
    if (!file.IsRead()) {
        throw std::runtime_error(file.Describe().toStdString());
    }
    return FromJson(file.Bytes(), path, placeholders);
}

std::unique_ptr<LinksTable> LinksTable::FromJson(const QByteArray& json, const QString& source,
                                                 const QStringList& placeholders) {
    auto impl = std::make_unique<Impl>();
    try {
        const JsonReader reader = JsonReader::FromJson(json, source);
        const QJsonObject& root = reader.Root();
        reader.CheckKnown(root, {kDefault, kLocales}, QString());
        impl->source = reader.Source();
        impl->defaults = ReadTable(
            reader, *reader.Object(root, kDefault, QString(), JsonReader::Presence::Required),
            kDefault, placeholders);
        if (const auto locales =
                reader.Object(root, kLocales, QString(), JsonReader::Presence::Optional)) {
            for (auto it = locales->begin(); it != locales->end(); ++it) {
                if (it.key().isEmpty()) {
                    reader.Fail("a locale name in \"locales\" is empty");
                }
                const QString where = JsonReader::Path(kLocales, it.key());
                impl->locales.insert(it.key(), ReadTable(reader, reader.AsObject(it.value(), where),
                                                         where, placeholders));
            }
        }
    } catch (const Reading::DataFileError& error) {
        // Thrown on as the plain runtime_error that callers of this exported class expect.
        throw std::runtime_error(error.what());
    }
    return std::unique_ptr<LinksTable>(new LinksTable(std::move(impl)));
}

LinksTable::LinksTable(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

LinksTable::~LinksTable() = default;

const LinksTable::Template* LinksTable::Find(const QString& name, const QString& locale) const {
    for (const QString& candidate : Reading::LocaleChain(locale)) {
        const auto table = m_impl->locales.constFind(candidate);
        if (table != m_impl->locales.constEnd()) {
            const auto found = table->constFind(name);
            if (found != table->constEnd()) {
                return &*found;
            }
        }
    }
    const auto found = m_impl->defaults.constFind(name);
    return found != m_impl->defaults.constEnd() ? &*found : nullptr;
}

const QString& LinksTable::Source() const { return m_impl->source; }

}  // namespace Quorvel::App
