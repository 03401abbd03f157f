#include <Quorvel/Core/PropertySerializer.h>

#include <Quorvel/Reading/JsonReader.h>

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QVariant>

#include <stdexcept>

namespace Quorvel::Core {

namespace {

// Members in the order of their names, as Qt's parser keeps them; nothing that reads a tree
// depends on the order of a document (title files are looked up by locale).
void Fill(Property& node, const QJsonValue& value) {
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            Fill(node.AddChild(Property(it.key().toStdString())), it.value());
        }
    } else if (value.isArray()) {
        for (const QJsonValue& element : value.toArray()) {
            Fill(node.AddChild(Property()), element);
        }
    } else if (!value.isNull() && !value.isUndefined()) {
        node.SetValue(value.toVariant().toString().toStdString());
    }
}

void WriteString(std::string& out, const std::string& text) {
    static const char digits[] = "0123456789abcdef";
    out += '"';
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    out += "\\u00";
                    out += digits[c >> 4];
                    out += digits[c & 15];
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
}

bool IsArrayLike(const Property& node) {
    for (const Property& child : node.GetChildren()) {
        if (!child.GetName().empty()) {
            return false;
        }
    }
    return true;
}

void WriteNode(std::string& out, const Property& node, int depth, bool asObject);

void WriteChildren(std::string& out, const Property& node, int depth, bool asObject) {
    const std::string indent(static_cast<size_t>(depth + 1) * 4, ' ');
    out += asObject ? '{' : '[';
    bool first = true;
    for (const Property& child : node.GetChildren()) {
        out += first ? "\n" : ",\n";
        first = false;
        out += indent;
        if (asObject) {
            WriteString(out, child.GetName());
            out += ": ";
        }
        WriteNode(out, child, depth + 1, !IsArrayLike(child));
    }
    if (!first) {
        out += '\n';
        out.append(static_cast<size_t>(depth) * 4, ' ');
    }
    out += asObject ? '}' : ']';
}

void WriteNode(std::string& out, const Property& node, int depth, bool asObject) {
    if (node.GetChildren().empty()) {
        WriteString(out, node.GetValue());
    } else {
        // Unnamed children are what an array reads back as.
        WriteChildren(out, node, depth, asObject);
    }
}

}  // namespace

void PropertySerializer::Deserialize(Property& target,
                                     const std::shared_ptr<DataInputString>& input,
                                     bool clearTarget) {
    if (!input) {
        throw std::invalid_argument("PropertySerializer::Deserialize: no input");
    }
    Property parsed;
    try {
        const auto reader =
            Reading::JsonReader::FromJson(QByteArray::fromStdString(input->GetBytes()), QString());
        Fill(parsed, reader.Root());
    } catch (const Reading::DataFileError& error) {
        throw std::runtime_error(error.Problem().toStdString());
    }
    if (clearTarget) {
        target.Clear();
    }
    for (const Property& child : parsed.GetChildren()) {
        target.AddChild(child);
    }
}

std::string PropertySerializer::Serialize(const Property& source) {
    std::string out;
    WriteChildren(out, source, 0, true);
    out += '\n';
    return out;
}

}  // namespace Quorvel::Core
