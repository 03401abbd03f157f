#include <Quorvel/App/LinksTable.h>

#include "internal/JsonReading.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QUrl>

#include <algorithm>
#include <stdexcept>

namespace Quorvel::App {

namespace {

using Table = QHash<QString, LinksTable::Template>;

const QString kDefault = QStringLiteral("default");
const QString kLocales = QStringLiteral("locales");

using Internal::DescribeJson;

QString Quoted(const QString& text) { return '"' + text + '"'; }

class Reader {
public:
    Reader(const QString& source, const QStringList& placeholders)
        : m_source(QDir::toNativeSeparators(source)), m_placeholders(placeholders) {}

    [[noreturn]] void Fail(const QString& problem) const {
        throw std::runtime_error((m_source + ": " + problem).toUtf8().toStdString());
    }

    QJsonObject Parse(const QByteArray& json) const {
        QString problem;
        const QJsonObject object = Internal::ParseJsonObject(json, problem);
        if (!problem.isEmpty()) {
            Fail(problem);
        }
        return object;
    }

    QJsonObject Object(const QJsonValue& value, const QString& where) const {
        if (!value.isObject()) {
            Fail("the member " + Quoted(where) + " must be an object, found " +
                 DescribeJson(value));
        }
        return value.toObject();
    }

    Table ReadTable(const QJsonObject& object, const QString& where) const {
        Table table;
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (it.key().isEmpty()) {
                Fail("a link name in " + Quoted(where) + " is empty");
            }
            const QString path = where + "." + it.key();
            if (!it.value().isString()) {
                Fail("the member " + Quoted(path) + " must be a string, found " +
                     DescribeJson(it.value()));
            }
            table.insert(it.key(), ReadTemplate(it.value().toString(), path));
        }
        return table;
    }

    const QString& Source() const { return m_source; }

private:
    LinksTable::Template ReadTemplate(const QString& text, const QString& where) const {
        LinksTable::Template result;
        QString literal;
        for (int i = 0; i < text.size(); ++i) {
            if (text[i] == '}') {
                Fail("the address of " + Quoted(where) + " has a \"}\" without a \"{\"");
            }
            if (text[i] != '{') {
                literal += text[i];
                continue;
            }
            const int close = text.indexOf('}', i + 1);
            if (close < 0) {
                Fail("the address of " + Quoted(where) + " has a \"{\" without a \"}\"");
            }
            const QString name = text.mid(i + 1, close - i - 1);
            if (!m_placeholders.contains(name)) {
                Fail("the address of " + Quoted(where) + " uses the unknown placeholder {" + name +
                     "}; known are {" + m_placeholders.join("}, {") + "}");
            }
            result.parts << literal << name;
            literal.clear();
            i = close;
        }
        result.parts << literal;

        // A mistake in an address would otherwise show only when a user clicks the link.
        if (!text.isEmpty()) {
            const QUrl url(result.Fill([](const QString&) { return QStringLiteral("x"); }),
                           QUrl::StrictMode);
            if (!url.isValid()) {
                Fail("the address of " + Quoted(where) +
                     " is not a valid URL: " + url.errorString());
            }
            if (url.isRelative()) {
                Fail("the address of " + Quoted(where) + " is not absolute (it has no scheme)");
            }
        }
        return result;
    }

    QString m_source;
    QStringList m_placeholders;
};

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
    QString problem;
    const QByteArray json = Internal::ReadFileBytes(path, problem);
    if (!problem.isEmpty()) {
        Reader(path, placeholders).Fail(problem);
    }
    return FromJson(json, path, placeholders);
}

std::unique_ptr<LinksTable> LinksTable::FromJson(const QByteArray& json, const QString& source,
                                                 const QStringList& placeholders) {
    const Reader reader(source, placeholders);
    const QJsonObject root = reader.Parse(json);
    for (auto it = root.begin(); it != root.end(); ++it) {
        if (it.key() != kDefault && it.key() != kLocales) {
            reader.Fail("unknown member " + Quoted(it.key()));
        }
    }
    if (!root.contains(kDefault)) {
        reader.Fail("the member \"default\" is missing");
    }

    auto impl = std::make_unique<Impl>();
    impl->source = reader.Source();
    impl->defaults = reader.ReadTable(reader.Object(root.value(kDefault), kDefault), kDefault);
    if (root.contains(kLocales)) {
        const QJsonObject locales = reader.Object(root.value(kLocales), kLocales);
        for (auto it = locales.begin(); it != locales.end(); ++it) {
            if (it.key().isEmpty()) {
                reader.Fail("a locale name in \"locales\" is empty");
            }
            const QString where = kLocales + "." + it.key();
            impl->locales.insert(it.key(),
                                 reader.ReadTable(reader.Object(it.value(), where), where));
        }
    }
    return std::unique_ptr<LinksTable>(new LinksTable(std::move(impl)));
}

LinksTable::LinksTable(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

LinksTable::~LinksTable() = default;

const LinksTable::Template* LinksTable::Find(const QString& name, const QString& locale) const {
    QStringList candidates{locale};
    const int underscore = locale.indexOf('_');
    if (underscore > 0) {
        candidates << locale.left(underscore);
    }
    for (const QString& candidate : candidates) {
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
