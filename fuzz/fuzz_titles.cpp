// The title file of a theme: its localized names, read into a property tree and shown in
// the theme menu. A tree written back and read again is the same tree; a title the manager
// hands out is bounded.

#include "FuzzSupport.h"

#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/Core/PropertySerializer.h>

#include <QDir>

#include <stdexcept>

namespace {

using Quorvel::Core::Property;

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
    FUZZ_CHECK(Same(read, again));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using Quorvel::App::LookAndFeelManager;
    Quorvel::Fuzz::Prepare();
    const QByteArray bytes = Quorvel::Fuzz::Bytes(data, size);
    CheckRoundTrip(bytes.toStdString());

    static const QString root = Quorvel::Fuzz::ScratchFolder() + "/data";
    static const char* const locales[] = {"de_DE", "en_US", "ru_RU"};
    static const bool installed = [] {
        bool made = true;
        for (const char* locale : locales) {
            made = QDir().mkpath(root + "/resources/locales/" + locale) && made;
        }
        return made;
    }();
    FUZZ_CHECK(installed);
    Quorvel::Fuzz::WriteScratchFile("data/resources/themes/fuzzed/titles.json", bytes);

    LookAndFeelManager manager(Quorvel::ioPath(root.toStdString()), "titles.json", {});
    FUZZ_CHECK(manager.GetThemes() == std::list<std::string>{"fuzzed"});
    for (const char* locale : locales) {
        manager.SetLocale(locale);
        const std::string title = manager.GetLocalizedThemeName("fuzzed");
        FUZZ_CHECK(QString::fromStdString(title).size() <= 1024);
    }
    return 0;
}
