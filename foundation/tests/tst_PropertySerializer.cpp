#include <Quorvel/Core/DataInputString.h>
#include <Quorvel/Core/Property.h>
#include <Quorvel/Core/PropertySerializer.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <stdexcept>
#include <string>

using Quorvel::Core::DataInputString;
using Quorvel::Core::Property;
using Quorvel::Core::PropertySerializer;

namespace {

// Compact text of a tree: name=value for leaves, name{...} for nodes with children.
QByteArray Dump(const Property& node) {
    QByteArray out;
    for (const Property& child : node.GetChildren()) {
        out += QByteArray::fromStdString(child.GetName());
        out += child.GetChildren().empty() ? "=" + QByteArray::fromStdString(child.GetValue())
                                           : "{" + Dump(child) + "}";
        out += ";";
    }
    return out;
}

Property Parse(const QByteArray& json) {
    Property root;
    PropertySerializer::Deserialize(root, DataInputString::Create(json.toStdString()), true);
    return root;
}

// A document, whether it clears the target, the target's tree after it, part of the error.
void Row(const char* name, const QByteArray& json, const QByteArray& tree, bool clear = true,
         const QByteArray& error = {}) {
    QTest::newRow(name) << json << clear << tree << error;
}

}  // namespace

class PropertySerializerTest : public QObject {
    Q_OBJECT

private slots:
    // The target has a value and a child "old": cleared or appended to; bad text throws an
    // error that says what and where, and leaves the target alone.
    void fillsTargetOrReports_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("clearTarget");
        QTest::addColumn<QByteArray>("tree");
        QTest::addColumn<QByteArray>("error");
        Row("members by name, UTF-8",
            "{\"zz\": \"1\",\n \"aa\": \"\xD0\xA2\xD1\x91\", \"mm\": \"\xE6\x9A\x97\"}",
            "aa=\xD0\xA2\xD1\x91;mm=\xE6\x9A\x97;zz=1;");
        Row("nested objects and arrays",
            "{\"b\": {\"y\": \"1\", \"x\": {\"d\": \"2\"}}, \"e\": {}, \"l\": [\"one\", [\"x\"]]}",
            "b{x{d=2;};y=1;};e=;l{=one;{=x;};};");
        Row("values become text", "{\"i\": 42, \"f\": 1.5, \"t\": true, \"n\": null}",
            "f=1.5;i=42;n=;t=true;");
        Row("escapes after a byte order mark",
            "\xEF\xBB\xBF{\"q\": \"a\\\"b\\\\c\", \"u\": \"\\u00e9\\ud83d\\ude00\"}",
            "q=a\"b\\c;u=\xC3\xA9\xF0\x9F\x98\x80;");
        Row("a name given twice keeps its last value", "{\"a\": \"1\", \"a\": \"2\"}", "a=2;");
        Row("append", "{\"new\": \"2\"}", "old=1;new=2;", false);
        Row("syntax error by line and column", "{\n  \"new\": \"1\",\n  \"b\" \"2\"\n}", "old=1;",
            true, "line 3, column 8");
        Row("top level array", "[1, 2]", "old=1;", true, "JSON object");
        Row("empty text", " \n", "old=1;", true, "empty");
    }
    void fillsTargetOrReports() {
        QFETCH(QByteArray, json);
        QFETCH(bool, clearTarget);
        QFETCH(QByteArray, error);
        Property target("root", "v");
        target.AddChild(Property("old", "1"));
        QByteArray thrown;
        try {
            PropertySerializer::Deserialize(target, DataInputString::Create(json.toStdString()),
                                            clearTarget);
        } catch (const std::runtime_error& e) {
            thrown = e.what();
        }
        QVERIFY2(error.isEmpty() ? thrown.isEmpty() : thrown.contains(error), thrown.constData());
        QTEST(Dump(target), "tree");
        QCOMPARE(target.GetName() + target.GetValue(),
                 std::string(clearTarget && error.isEmpty() ? "root" : "rootv"));
        QVERIFY_EXCEPTION_THROWN(PropertySerializer::Deserialize(target, nullptr, clearTarget),
                                 std::invalid_argument);
    }

    void writesAndReadsBack() {
        Property root("ignored", "ignored");
        root.AddChild(Property("a")).AddChild(Property("x", "2"));
        root.AddChild(Property("b", "q\"\\\t\n\r\b\f\x01 \xC3\xA9"));
        Property& list = root.AddChild(Property("list"));
        list.AddChild(Property("", "3"));
        // A node with children is written as an object; its own value is lost.
        list.AddChild(Property("", "lost")).AddChild(Property("inner", "z"));
        const std::string text = PropertySerializer::Serialize(root);
        QCOMPARE(QByteArray::fromStdString(text),
                 QByteArray("{\n    \"a\": {\n        \"x\": \"2\"\n    },\n"
                            "    \"b\": \"q\\\"\\\\\\t\\n\\r\\b\\f\\u0001 \xC3\xA9\",\n"
                            "    \"list\": [\n        \"3\",\n"
                            "        {\n            \"inner\": \"z\"\n        }\n    ]\n}\n"));
        QCOMPARE(Dump(Parse(QByteArray::fromStdString(text))), Dump(root));
        QCOMPARE(PropertySerializer::Serialize(Property()), std::string("{}\n"));
    }
};

QUORVEL_TEST_MAIN_NOAPP(PropertySerializerTest)
#include "tst_PropertySerializer.moc"
