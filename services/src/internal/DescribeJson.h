#pragma once

// Private to the services library: how the readers of product files name what they found.

#include <QJsonValue>

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

}  // namespace Quorvel::App::Internal
