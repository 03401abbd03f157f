// fonts.json of a theme and the style-sheet step that uses it: the placeholders of the
// theme's sheets are replaced by the values of the file's platform and language blocks.
// The sheets are the demo theme's own; the file is the input.

#include "FuzzSupport.h"

#include <Quorvel/App/Application/LookAndFeelManager.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using Quorvel::App::LookAndFeelManager;
    Quorvel::Fuzz::Prepare();
    static const QString root = Quorvel::Fuzz::DataFolder({"de_DE"});

    const QString fonts =
        Quorvel::Fuzz::WriteScratchFile("fonts.json", Quorvel::Fuzz::Bytes(data, size));
    const std::string theme = QUORVEL_DEMO_THEME;
    LookAndFeelManager::ThemeDescription description;
    description.styleSheets = {theme + "/style.qss", theme + "/fonts_linux.qss"};
    description.fontConfigs = {fonts.toStdString()};

    // A manager of its own: each remembers the problems it reported.
    LookAndFeelManager manager(Quorvel::ioPath(root.toStdString()), "titles.json", {});
    manager.SetLocale("de_DE");
    FUZZ_CHECK(manager.GetCurrentLocale() == "de_DE");
    manager.ApplyTheme(description);
    FUZZ_CHECK(!manager.GetUnitedStylesheet().empty());
    return 0;
}
