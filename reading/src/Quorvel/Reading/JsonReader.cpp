#include <Quorvel/Reading/JsonReader.h>

#include <QDir>
#include <QJsonDocument>

#include <algorithm>

namespace Quorvel::Reading {

namespace {

QString Quoted(const QString& path) { return QLatin1Char('"') + path + QLatin1Char('"'); }

}  // namespace

JsonReader::JsonReader(const QString& source) : m_source(QDir::toNativeSeparators(source)) {}

JsonReader JsonReader::FromJson(const QByteArray& json, const QString& source) {
    JsonReader reader(source);
    if (json.trimmed().isEmpty()) {
        reader.Fail(QStringLiteral("the file is empty"));
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        reader.Fail(SyntaxProblem(json, error));
    }
    if (!document.isObject()) {
        reader.Fail(QStringLiteral("the top level must be a JSON object, found ") +
                    (document.isArray() ? "an array" : "nothing"));
    }
    reader.m_root = document.object();
    return reader;
}

void JsonReader::Fail(const QString& problem) const { throw DataFileError(m_source, problem); }

std::optional<QJsonValue> JsonReader::Member(const QJsonObject& object, const QString& name,
                                             const QString& where, Presence presence) const {
    const auto it = object.find(name);
    if (it == object.end()) {
        if (presence == Presence::Required) {
            Fail("the member " + Quoted(Path(where, name)) + " is missing");
        }
        return std::nullopt;
    }
    return it.value();
}

std::optional<QString> JsonReader::String(const QJsonObject& object, const QString& name,
                                          const QString& where, Presence presence) const {
    const auto value = Member(object, name, where, presence);
    return value ? std::optional<QString>(AsString(*value, Path(where, name))) : std::nullopt;
}

std::optional<bool> JsonReader::Bool(const QJsonObject& object, const QString& name,
                                     const QString& where) const {
    const auto value = Member(object, name, where, Presence::Optional);
    if (value && !value->isBool()) {
        WrongType(Path(where, name), "true or false", *value);
    }
    return value ? std::optional<bool>(value->toBool()) : std::nullopt;
}

std::optional<QJsonObject> JsonReader::Object(const QJsonObject& object, const QString& name,
                                              const QString& where, Presence presence) const {
    const auto value = Member(object, name, where, presence);
    return value ? std::optional<QJsonObject>(AsObject(*value, Path(where, name))) : std::nullopt;
}

QJsonObject JsonReader::AsObject(const QJsonValue& value, const QString& path) const {
    if (!value.isObject()) {
        WrongType(path, "an object", value);
    }
    return value.toObject();
}

QString JsonReader::AsString(const QJsonValue& value, const QString& path) const {
    if (!value.isString()) {
        WrongType(path, "a string", value);
    }
    return value.toString();
}

void JsonReader::CheckKnown(const QJsonObject& object, const QStringList& known,
                            const QString& where) const {
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!known.contains(it.key())) {
            Fail("unknown member " + Quoted(Path(where, it.key())));
        }
    }
}

QString JsonReader::Path(const QString& where, const QString& name) {
    return where.isEmpty() ? name : where + QLatin1Char('.') + name;
}

QString JsonReader::SyntaxProblem(const QByteArray& json, const QJsonParseError& error) {
    // Editors count lines and columns; the parser counts bytes.
    const int offset = static_cast<int>(std::clamp<qsizetype>(error.offset, 0, json.size()));
    const QByteArray before = json.left(offset);
    const int line = before.count('\n') + 1;
    const int column = offset - (before.lastIndexOf('\n') + 1) + 1;
    return QStringLiteral("the text is not valid JSON: %1 at line %2, column %3 (offset %4)")
        .arg(error.errorString())
        .arg(line)
        .arg(column)
        .arg(offset);
}

const char* JsonReader::Describe(const QJsonValue& value) {
    switch (value.type()) {
        case QJsonValue::Null:
            return "null";
        case QJsonValue::Bool:
            return "a boolean";
        case QJsonValue::Double:
            return "a number";
        case QJsonValue::String:
            return "a string";
        case QJsonValue::Array:
            return "an array";
        case QJsonValue::Object:
            return "an object";
        case QJsonValue::Undefined:
            break;
    }
    return "nothing";
}

void JsonReader::WrongType(const QString& path, const char* expected,
                           const QJsonValue& found) const {
    Fail("the member " + Quoted(path) + " must be " + expected + ", found " + Describe(found));
}

}  // namespace Quorvel::Reading
