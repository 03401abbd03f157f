#include <Quorvel/Core/DataInputString.h>
#include <Quorvel/Core/Property.h>
#include <Quorvel/Core/PropertySerializer.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QtTest>

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

void Row(const char* name, const QByteArray& json, const QByteArray& second,
         const char* third = nullptr) {
    auto& row = QTest::newRow(name) << json << second;
    if (third) row << QString(third);
}

}  // namespace

class PropertySerializerTest : public QObject {
    Q_OBJECT

private slots:
    void readsDocuments_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QByteArray>("tree");
        Row("document order, UTF-8",
            "{\"zz\": \"1\",\n \"aa\": \"\xD0\xA2\xD1\x91\xD0\xBC\xD0\xBD\xD0\xB0\xD1\x8F\","
            " \"mm\": \"\xE6\x9A\x97\xE3\x81\x84\"}",
            "zz=1;aa=\xD0\xA2\xD1\x91\xD0\xBC\xD0\xBD\xD0\xB0\xD1\x8F;mm="
            "\xE6\x9A\x97\xE3\x81\x84;");
        Row("nested objects",
            "{\"b\": {\"y\": \"1\", \"x\": {\"d\": \"2\"}}, \"e\": {}, \"a\": \"3\"}",
            "b{y=1;x{d=2;};};e=;a=3;");
        Row("arrays", "{\"l\": [\"one\", 2, true, {\"k\": \"v\"}, [\"x\"]]}",
            "l{=one;=2;=true;{k=v;};{=x;};};");
        Row("numbers keep their text",
            "{\"i\": 42, \"f\": 1.50, \"n\": -0, \"e\": 1E+5, \"s\": -2.5e-3}",
            "i=42;f=1.50;n=-0;e=1E+5;s=-2.5e-3;");
        Row("booleans and null", "{\"t\": true, \"f\": false, \"n\": null}", "t=true;f=false;n=;");
        Row("escapes", "{\"q\": \"a\\\"b\\\\c\\/d\\te\", \"u\": \"\\u00e9\\u20AC\\ud83d\\ude00\"}",
            "q=a\"b\\c/d\te;u=\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80;");
        Row("duplicate names kept", "{\"a\": \"1\", \"a\": \"2\"}", "a=1;a=2;");
        Row("byte order mark", "\xEF\xBB\xBF{\"a\": \"1\"}", "a=1;");
        Row("blanks everywhere", "\r\n\t{\r\n\t\"a\"\t:\r\n\"1\"\t,\"b\" : [ ] }\n\n", "a=1;b=;");
    }
    void readsDocuments() {
        QFETCH(QByteArray, json);
        QFETCH(QByteArray, tree);
        QCOMPARE(Dump(Parse(json)), tree);
    }

    void reportsWhatAndWhere_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QByteArray>("where");
        QTest::addColumn<QString>("what");
        Row("missing colon", "{\n  \"a\": \"1\",\n  \"b\" \"2\"\n}", "line 3, column 7",
            "expected ':'");
        Row("trailing comma", "{\"a\": 1,}", "offset 8", "member name");
        Row("top level array", "[1, 2]", "line 1, column 1", "must be a JSON object");
        Row("empty text", "", "offset 0", "empty");
        Row("unterminated object", "{\"a\": \"1\"", "offset 9", "end of text");
        Row("unterminated string", "{\"a\": \"1}", "offset 6", "unterminated string");
        Row("text after the object", "{}\n{}", "line 2, column 1", "after the end of the object");
        Row("bare word", "{\"a\": yes}", "offset 6", "expected a value");
        Row("bad escape", "{\"a\": \"\\x\"}", "offset 7", "escape");
        Row("bad unicode escape", "{\"a\": \"\\u12G4\"}", "offset 11", "hexadecimal");
        Row("lone low surrogate", "{\"a\": \"\\udc00\"}", "offset 7", "surrogate");
        Row("high surrogate alone", "{\"a\": \"\\ud83dx\"}", "offset 7", "surrogate");
        Row("raw newline in string", "{\"a\": \"x\ny\"}", "offset 8", "control character");
        Row("invalid UTF-8", "{\"a\": \"\xFF\"}", "offset 7", "UTF-8");
        Row("truncated UTF-8", "{\"a\": \"\xD0\"}", "offset 7", "UTF-8");
        Row("overlong UTF-8", "{\"a\": \"\xE0\x80\xAF\"}", "offset 7", "UTF-8");
        Row("leading zero", "{\"a\": 01}", "offset 7", "expected '}'");
        Row("bare minus", "{\"a\": -}", "offset 7", "digit");
        Row("missing fraction", "{\"a\": 1.}", "offset 8", "digit");
        Row("too deep", "{\"a\": " + QByteArray(100000, '['), "offset", "nesting");
    }
    void reportsWhatAndWhere() {
        QFETCH(QByteArray, json);
        QFETCH(QByteArray, where);
        QFETCH(QString, what);
        try {
            Parse(json);
            QFAIL("no exception");
        } catch (const std::runtime_error& e) {
            const QString message = e.what();
            QVERIFY2(message.contains(QString::fromUtf8(where)) && message.contains(what),
                     e.what());
        }
    }

    void fillsTarget_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("clearTarget");
        QTest::addColumn<QByteArray>("tree");
        QTest::addColumn<QByteArray>("value");
        const QByteArray good = "{\"new\": \"2\"}";
        QTest::newRow("clear") << good << true << QByteArray("new=2;") << QByteArray();
        QTest::newRow("append") << good << false << QByteArray("old=1;new=2;") << QByteArray("v");
        QTest::newRow("bad text leaves it alone") << QByteArray("{\"new\": \"2\", \"b\": }") << true
                                                  << QByteArray("old=1;") << QByteArray("v");
    }
    void fillsTarget() {
        QFETCH(QByteArray, json);
        QFETCH(bool, clearTarget);
        QFETCH(QByteArray, tree);
        QFETCH(QByteArray, value);
        Property target("root", "v");
        target.AddChild(Property("old", "1"));
        try {
            PropertySerializer::Deserialize(target, DataInputString::Create(json.toStdString()),
                                            clearTarget);
        } catch (const std::runtime_error&) {
        }
        QCOMPARE(Dump(target), tree);
        QCOMPARE(QByteArray::fromStdString(target.GetValue()), value);
        QCOMPARE(target.GetName(), std::string("root"));
        QVERIFY_EXCEPTION_THROWN(PropertySerializer::Deserialize(target, nullptr, clearTarget),
                                 std::invalid_argument);
    }

    void writesAndReadsBack() {
        Property root("ignored", "ignored");
        root.AddChild(Property("b", "q\"\\\t\n\r\b\f\x01 \xC3\xA9"));
        root.AddChild(Property("a")).AddChild(Property("x", "2"));
        Property& list = root.AddChild(Property("list"));
        list.AddChild(Property("", "3"));
        // A node with children is written as an object; its own value is lost.
        list.AddChild(Property("", "lost")).AddChild(Property("inner", "z"));
        root.AddChild(Property("", "unnamed"));
        root.AddChild(Property("b", "duplicate"));
        const std::string text = PropertySerializer::Serialize(root);
        QCOMPARE(QByteArray::fromStdString(text),
                 QByteArray("{\n    \"b\": \"q\\\"\\\\\\t\\n\\r\\b\\f\\u0001 \xC3\xA9\",\n"
                            "    \"a\": {\n        \"x\": \"2\"\n    },\n"
                            "    \"list\": [\n        \"3\",\n"
                            "        {\n            \"inner\": \"z\"\n        }\n    ],\n"
                            "    \"\": \"unnamed\",\n    \"b\": \"duplicate\"\n}\n"));
        QCOMPARE(Dump(Parse(QByteArray::fromStdString(text))), Dump(root));
        QCOMPARE(PropertySerializer::Serialize(Property()), std::string("{}\n"));
    }
};

QUORVEL_TEST_MAIN_NOAPP(PropertySerializerTest)
#include "tst_PropertySerializer.moc"
