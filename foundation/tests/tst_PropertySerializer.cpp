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
std::string Dump(const Property& node) {
    std::string out;
    for (const Property& child : node.GetChildren()) {
        out += child.GetName();
        if (child.GetChildren().empty()) {
            out += "=" + child.GetValue();
        } else {
            out += "{" + Dump(child) + "}";
        }
        out += ";";
    }
    return out;
}

Property Parse(const std::string& json) {
    Property root;
    PropertySerializer::Deserialize(root, DataInputString::Create(json), true);
    return root;
}

std::string ErrorOf(const std::string& json) {
    try {
        Parse(json);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "<no exception>";
}

}  // namespace

class PropertySerializerTest : public QObject {
    Q_OBJECT

private slots:
    void readsDocuments_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QByteArray>("tree");

        QTest::newRow("document order, not sorted")
            << QByteArray("{\"zz\": \"1\", \"aa\": \"2\", \"mm\": \"3\"}")
            << QByteArray("zz=1;aa=2;mm=3;");
        QTest::newRow("title file")
            << QByteArray(
                   "{\n  \"en_US\": \"Dark\",\n  \"de_DE\": \"Dunkel\",\n"
                   "  \"ru_RU\": \"\xD0\xA2\xD1\x91\xD0\xBC\xD0\xBD\xD0\xB0\xD1\x8F\",\n"
                   "  \"ja_JP\": \"\xE6\x9A\x97\xE3\x81\x84\"\n}\n")
            << QByteArray(
                   "en_US=Dark;de_DE=Dunkel;ru_RU=\xD0\xA2\xD1\x91\xD0\xBC\xD0\xBD\xD0\xB0"
                   "\xD1\x8F;ja_JP=\xE6\x9A\x97\xE3\x81\x84;");
        QTest::newRow("empty object") << QByteArray(" { } ") << QByteArray("");
        QTest::newRow("nested objects")
            << QByteArray("{\"b\": {\"y\": \"1\", \"x\": {\"deep\": \"2\"}}, \"a\": \"3\"}")
            << QByteArray("b{y=1;x{deep=2;};};a=3;");
        QTest::newRow("empty nested object") << QByteArray("{\"a\": {}}") << QByteArray("a=;");
        QTest::newRow("array of values")
            << QByteArray("{\"list\": [\"one\", 2, true]}") << QByteArray("list{=one;=2;=true;};");
        QTest::newRow("array of objects") << QByteArray("{\"list\": [{\"k\": \"v\"}, [\"x\"]]}")
                                          << QByteArray("list{{k=v;};{=x;};};");
        QTest::newRow("numbers keep their text")
            << QByteArray("{\"i\": 42, \"f\": 1.50, \"n\": -0, \"e\": 1E+5, \"s\": -2.5e-3}")
            << QByteArray("i=42;f=1.50;n=-0;e=1E+5;s=-2.5e-3;");
        QTest::newRow("booleans and null") << QByteArray("{\"t\": true, \"f\": false, \"n\": null}")
                                           << QByteArray("t=true;f=false;n=;");
        QTest::newRow("escapes")
            << QByteArray(
                   "{\"q\": \"a\\\"b\\\\c\\/d\\te\", \"u\": \"\\u00e9\\u20AC\", \"s\": "
                   "\"\\ud83d\\ude00\"}")
            << QByteArray("q=a\"b\\c/d\te;u=\xC3\xA9\xE2\x82\xAC;s=\xF0\x9F\x98\x80;");
        QTest::newRow("escaped name")
            << QByteArray("{\"a\\u0062c\": \"x\"}") << QByteArray("abc=x;");
        QTest::newRow("duplicate names kept")
            << QByteArray("{\"a\": \"1\", \"a\": \"2\"}") << QByteArray("a=1;a=2;");
        QTest::newRow("byte order mark")
            << QByteArray("\xEF\xBB\xBF{\"a\": \"1\"}") << QByteArray("a=1;");
        QTest::newRow("blanks everywhere")
            << QByteArray("\r\n\t{\r\n\t\"a\"\t:\r\n\"1\"\t,\"b\" : [ ] }\n\n")
            << QByteArray("a=1;b=;");
    }
    void readsDocuments() {
        QFETCH(QByteArray, json);
        QFETCH(QByteArray, tree);
        const Property root = Parse(json.toStdString());
        QCOMPARE(QByteArray::fromStdString(Dump(root)), tree);
    }

    void reportsWhatAndWhere_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("what");

        QTest::newRow("missing colon")
            << QByteArray("{\n  \"a\": \"1\",\n  \"b\" \"2\"\n}") << "line 3, column 7"
            << "expected ':'";
        QTest::newRow("missing comma")
            << QByteArray("{\"a\": \"1\"\n \"b\": \"2\"}") << "line 2, column 2"
            << "expected '}' or ','";
        QTest::newRow("trailing comma") << QByteArray("{\"a\": 1,}") << "offset 8"
                                        << "expected a member name";
        QTest::newRow("top level array") << QByteArray("[1, 2]") << "line 1, column 1"
                                         << "must be a JSON object";
        QTest::newRow("top level string") << QByteArray("  \"text\"") << "column 3"
                                          << "must be a JSON object";
        QTest::newRow("empty text") << QByteArray("") << "offset 0"
                                    << "empty";
        QTest::newRow("only blanks") << QByteArray(" \n ") << "line 2"
                                     << "empty";
        QTest::newRow("unterminated object") << QByteArray("{\"a\": \"1\"") << "offset 9"
                                             << "end of text";
        QTest::newRow("unterminated string") << QByteArray("{\"a\": \"1}") << "offset 6"
                                             << "unterminated string";
        QTest::newRow("text after the object") << QByteArray("{}\n{}") << "line 2, column 1"
                                               << "after the end of the object";
        QTest::newRow("bare word") << QByteArray("{\"a\": yes}") << "offset 6"
                                   << "expected a value";
        QTest::newRow("unquoted name") << QByteArray("{a: 1}") << "offset 1"
                                       << "member name";
        QTest::newRow("single quotes") << QByteArray("{'a': 1}") << "offset 1"
                                       << "member name";
        QTest::newRow("bad escape") << QByteArray("{\"a\": \"\\x\"}") << "offset 7"
                                    << "escape";
        QTest::newRow("bad unicode escape") << QByteArray("{\"a\": \"\\u12G4\"}") << "offset 11"
                                            << "hexadecimal";
        QTest::newRow("lone low surrogate") << QByteArray("{\"a\": \"\\udc00\"}") << "offset 7"
                                            << "surrogate";
        QTest::newRow("high surrogate alone") << QByteArray("{\"a\": \"\\ud83dx\"}") << "offset 7"
                                              << "surrogate";
        QTest::newRow("raw newline in string") << QByteArray("{\"a\": \"x\ny\"}") << "offset 8"
                                               << "control character";
        QTest::newRow("invalid UTF-8") << QByteArray("{\"a\": \"\xFF\"}") << "offset 7"
                                       << "UTF-8";
        QTest::newRow("truncated UTF-8") << QByteArray("{\"a\": \"\xD0\"}") << "offset 7"
                                         << "UTF-8";
        QTest::newRow("overlong UTF-8") << QByteArray("{\"a\": \"\xE0\x80\xAF\"}") << "offset 7"
                                        << "UTF-8";
        QTest::newRow("leading zero") << QByteArray("{\"a\": 01}") << "offset 7"
                                      << "expected '}'";
        QTest::newRow("bare minus") << QByteArray("{\"a\": -}") << "offset 7"
                                    << "digit";
        QTest::newRow("missing fraction") << QByteArray("{\"a\": 1.}") << "offset 8"
                                          << "digit";
        QTest::newRow("too deep") << QByteArray("{\"a\": " + QByteArray(100000, '[')) << "offset"
                                  << "nesting";
    }
    void reportsWhatAndWhere() {
        QFETCH(QByteArray, json);
        QFETCH(QString, where);
        QFETCH(QString, what);
        const QString message = QString::fromStdString(ErrorOf(json.toStdString()));
        QVERIFY2(message.contains(where), qPrintable(message));
        QVERIFY2(message.contains(what), qPrintable(message));
    }

    void leavesTargetAloneOnError() {
        Property target("root", "value");
        target.AddChild(Property("kept", "1"));
        QVERIFY_EXCEPTION_THROWN(
            PropertySerializer::Deserialize(
                target, DataInputString::Create("{\"a\": \"1\", \"b\": }"), true),
            std::runtime_error);
        QCOMPARE(QString::fromStdString(target.GetValue()), QStringLiteral("value"));
        QCOMPARE(QByteArray::fromStdString(Dump(target)), QByteArray("kept=1;"));
    }

    void clearsOrAppends_data() {
        QTest::addColumn<bool>("clearTarget");
        QTest::addColumn<QByteArray>("tree");
        QTest::addColumn<QString>("value");
        QTest::newRow("clear") << true << QByteArray("new=2;") << "";
        QTest::newRow("append") << false << QByteArray("old=1;new=2;") << "value";
    }
    void clearsOrAppends() {
        QFETCH(bool, clearTarget);
        QFETCH(QByteArray, tree);
        QFETCH(QString, value);
        Property target("root", "value");
        target.AddChild(Property("old", "1"));
        PropertySerializer::Deserialize(target, DataInputString::Create("{\"new\": \"2\"}"),
                                        clearTarget);
        QCOMPARE(QByteArray::fromStdString(Dump(target)), tree);
        QCOMPARE(QString::fromStdString(target.GetValue()), value);
        QCOMPARE(QString::fromStdString(target.GetName()), QStringLiteral("root"));
    }

    void rejectsMissingInput() {
        Property target;
        QVERIFY_EXCEPTION_THROWN(PropertySerializer::Deserialize(target, nullptr, true),
                                 std::invalid_argument);
    }

    void roundTrips() {
        Property root("ignored", "ignored");
        root.AddChild(Property("zeta", "last letter first"));
        root.AddChild(Property("quote", "say \"hi\"\\ \t\n\r\b\f\x01 end"));
        root.AddChild(Property("utf8 \xC3\xA9", "\xE6\x9A\x97\xE3\x81\x84 \xF0\x9F\x98\x80"));
        Property& nested = root.AddChild(Property("nested"));
        nested.AddChild(Property("b", "2"));
        nested.AddChild(Property("a", "1"));
        Property& list = nested.AddChild(Property("list"));
        list.AddChild(Property("", "x"));
        list.AddChild(Property("", "y")).AddChild(Property("inner", "z"));
        root.AddChild(Property("", "unnamed member"));
        root.AddChild(Property("empty", ""));
        root.AddChild(Property("zeta", "duplicate"));

        const std::string text = PropertySerializer::Serialize(root);
        const Property back = Parse(text);
        // A node with children loses its own value ("y" above); everything else comes back.
        QCOMPARE(QByteArray::fromStdString(Dump(back)), QByteArray::fromStdString(Dump(root)));
        QCOMPARE(QByteArray::fromStdString(PropertySerializer::Serialize(back)),
                 QByteArray::fromStdString(text));
    }

    void writesIndentedObject() {
        Property root;
        root.AddChild(Property("b", "1"));
        Property& a = root.AddChild(Property("a"));
        a.AddChild(Property("x", "2"));
        Property& list = root.AddChild(Property("list"));
        list.AddChild(Property("", "3"));
        QCOMPARE(QByteArray::fromStdString(PropertySerializer::Serialize(root)),
                 QByteArray("{\n"
                            "    \"b\": \"1\",\n"
                            "    \"a\": {\n"
                            "        \"x\": \"2\"\n"
                            "    },\n"
                            "    \"list\": [\n"
                            "        \"3\"\n"
                            "    ]\n"
                            "}\n"));
        QCOMPARE(QByteArray::fromStdString(PropertySerializer::Serialize(Property())),
                 QByteArray("{}\n"));
    }
};

QUORVEL_TEST_MAIN_NOAPP(PropertySerializerTest)
#include "tst_PropertySerializer.moc"
