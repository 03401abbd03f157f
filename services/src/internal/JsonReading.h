#pragma once

// Private to the services library: what the readers of product files share.

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <algorithm>

namespace Quorvel::App::Internal {

// The kind of a JSON value as an error message names it ("a string", "an array", ...).
inline const char* DescribeJson(const QJsonValue& value) {
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

// The bytes of a product file. On failure `problem` says why it could not be read.
inline QByteArray ReadFileBytes(const QString& path, QString& problem) {
    problem.clear();
    const QFileInfo info(path);
    if (!info.exists()) {
        problem = "the file does not exist";
        return {};
    }
    if (info.isDir()) {
        problem = "this is a folder, not a file";
        return {};
    }
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) {
        bytes = file.readAll();
    }
    if (file.error() != QFileDevice::NoError) {
        problem = "the file cannot be read: " + file.errorString();
    }
    return bytes;
}

// The top-level object of a file's text. On failure `problem` says what is wrong, with the
// line and column of a syntax error (editors count lines, the parser counts bytes).
inline QJsonObject ParseJsonObject(const QByteArray& json, QString& problem) {
    problem.clear();
    if (json.trimmed().isEmpty()) {
        problem = "the file is empty";
        return {};
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        const int offset = std::max(0, std::min(error.offset, json.size()));
        const QByteArray before = json.left(offset);
        const int line = before.count('\n') + 1;
        const int column = offset - (before.lastIndexOf('\n') + 1) + 1;
        problem = QString("the text is not valid JSON: %1 at line %2, column %3 (offset %4)")
                      .arg(error.errorString())
                      .arg(line)
                      .arg(column)
                      .arg(offset);
    } else if (!document.isObject()) {
        problem = QString("the top level must be a JSON object, found ") +
                  (document.isArray() ? "an array" : "nothing");
    }
    return document.object();
}

}  // namespace Quorvel::App::Internal
