// The title file of a theme: its localized names, read into a property tree and shown in
// the theme menu. A tree written back and read again is the same tree; a title the manager
// hands out is bounded.

#include "FuzzSupport.h"

#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/Core/PropertySerializer.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

using Quorvel::Core::Property;

// Children in the order of their names, as a fresh read gives them; false when siblings
// share a name, since a second read keeps only the last of them. Qt drops a byte order mark
// that begins a member's name, so the first read may hold "g" where it sorted "\uFEFFg".
bool Canonical(const Property& node, Property& result) {
    std::vector<Property> children;
    for (const Property& child : node.GetChildren()) {
        children.emplace_back(child.GetName());
        if (!Canonical(child, children.back())) {
            return false;
        }
    }
    std::stable_sort(children.begin(), children.end(), [](const Property& a, const Property& b) {
        return a.GetName() < b.GetName();
    });
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (i > 0 && !children[i].GetName().empty() &&
            children[i].GetName() == children[i - 1].GetName()) {
            return false;
        }
        result.AddChild(children[i]);
    }
    result.SetValue(node.GetValue());
    return true;
}

bool Same(const Property& a, const Property& b) {
    if (a.GetName() != b.GetName() || a.GetValue() != b.GetValue() ||
        a.GetChildren().size() != b.GetChildren().size()) {
        return false;
    }
    auto other = b.GetChildren().begin();
    for (const Property& child : a.GetChildren()) {
        if (!Same(child, *other++)) {
            return false;
        }
    }
    return true;
}

void CheckRoundTrip(const std::string& bytes) {
    using Quorvel::Core::DataInputString;
    using Quorvel::Core::PropertySerializer;
    Property read;
    try {
        PropertySerializer::Deserialize(read, DataInputString::Create(bytes), true);
    } catch (const std::runtime_error&) {
        return;
    }
    Property again;
    PropertySerializer::Deserialize(
        again, DataInputString::Create(PropertySerializer::Serialize(read)), true);
    Property first;
    Property second;
    if (Canonical(read, first)) {
        FUZZ_CHECK(Canonical(again, second) && Same(first, second));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using Quorvel::App::LookAndFeelManager;
    Quorvel::Fuzz::Prepare();
    const QByteArray bytes = Quorvel::Fuzz::Bytes(data, size);
    CheckRoundTrip(bytes.toStdString());

    static const QStringList locales{"de_DE", "en_US", "ru_RU"};
    static const QString root = Quorvel::Fuzz::DataFolder(locales);
    Quorvel::Fuzz::WriteScratchFile("data/resources/themes/fuzzed/titles.json", bytes);

    LookAndFeelManager manager(Quorvel::ioPath(root.toStdString()), "titles.json", {});
    FUZZ_CHECK(manager.GetThemes() == std::list<std::string>{"fuzzed"});
    for (const QString& locale : locales) {
        manager.SetLocale(locale.toStdString());
        const std::string title = manager.GetLocalizedThemeName("fuzzed");
        FUZZ_CHECK(QString::fromStdString(title).size() <= 1024);
    }
    return 0;
}
