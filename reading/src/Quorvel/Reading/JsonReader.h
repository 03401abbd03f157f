#pragma once

// Internal to the libraries; not installed.

#include <Quorvel/Reading/DataFileError.h>

#include <QByteArray>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <optional>

namespace Quorvel::Reading {

// One JSON data file, parsed by Qt's own parser, and typed access to its members. Every
// problem throws DataFileError naming the file and what is wrong: a member by its path
// ("locales.de_DE.userAgent.text"), a syntax error by its line and column.
class JsonReader {
public:
    enum class Presence { Required, Optional };

    // Parses the top-level object of `json`; `source` names it in messages (usually its
    // file, read with InputFile).
    static JsonReader FromJson(const QByteArray& json, const QString& source);

    const QJsonObject& Root() const { return m_root; }
    // The file as messages name it, in native separators.
    const QString& Source() const { return m_source; }

    [[noreturn]] void Fail(const QString& problem) const;

    // The members of `object`, whose own path is `where` ("" for the top level).
    std::optional<QJsonValue> Member(const QJsonObject& object, const QString& name,
                                     const QString& where, Presence presence) const;
    std::optional<QString> String(const QJsonObject& object, const QString& name,
                                  const QString& where, Presence presence) const;
    std::optional<bool> Bool(const QJsonObject& object, const QString& name,
                             const QString& where) const;
    std::optional<QJsonObject> Object(const QJsonObject& object, const QString& name,
                                      const QString& where, Presence presence) const;
    // A value in hand, found at `path`.
    QJsonObject AsObject(const QJsonValue& value, const QString& path) const;
    QString AsString(const QJsonValue& value, const QString& path) const;
    // Refuses members not in `known`, so that a misspelt one does not pass unnoticed.
    void CheckKnown(const QJsonObject& object, const QStringList& known,
                    const QString& where) const;

    static QString Path(const QString& where, const QString& name);
    // "the text is not valid JSON: <what> at line L, column C (offset O)".
    static QString SyntaxProblem(const QByteArray& json, const QJsonParseError& error);
    // The kind of a value as messages name it ("a string", "an array", ...).
    static const char* Describe(const QJsonValue& value);

private:
    explicit JsonReader(const QString& source);
    [[noreturn]] void WrongType(const QString& path, const char* expected,
                                const QJsonValue& found) const;

    QString m_source;
    QJsonObject m_root;
};

}  // namespace Quorvel::Reading
