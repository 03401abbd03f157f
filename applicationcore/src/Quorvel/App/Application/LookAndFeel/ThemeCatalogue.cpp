#include <Quorvel/App/Application/LookAndFeel/ThemeCatalogue.h>

#include <Quorvel/App/Application/LookAndFeel/DataDirectory.h>
#include <Quorvel/App/Application/LookAndFeel/ReportedProblems.h>
#include <Quorvel/Core/DataInputString.h>
#include <Quorvel/Core/PropertySerializer.h>
#include <Quorvel/Reading/InputFile.h>
#include <Quorvel/Reading/Limits.h>
#include <Quorvel/Reading/ShownText.h>
#include <Quorvel/Util/TextConversion.h>

#include <limits>
#include <stdexcept>

namespace Quorvel::App::LookAndFeel {

namespace {

using Core::Property;
using Reading::InputFile;

// The theme's titles, one child per locale; a title is shown in menus, so it is bounded.
std::optional<Property> ReadTitles(const QString& path, ReportedProblems& problems) {
    const InputFile file = InputFile::Read(path, Reading::Limits::kDataFile);
    if (!file.IsRead()) {
        problems.Warn(file.Describe() + "; the theme has no titles");
        return std::nullopt;
    }
    Property titles;
    try {
        Core::PropertySerializer::Deserialize(
            titles, Core::DataInputString::Create(file.Bytes().toStdString()), true);
    } catch (const std::runtime_error& error) {
        // The theme stays usable; only its localized names are missing.
        problems.Warn(QDir::toNativeSeparators(path) + ": " + QString::fromUtf8(error.what()) +
                      "; the theme has no titles");
        return std::nullopt;
    }
    Property bounded;
    for (const Property& title : titles.GetChildren()) {
        bounded.AddChild(Property(title.GetName(), Util::QStringToUtf8(Reading::ShownText(
                                                       Util::Utf8ToQString(title.GetValue()), path,
                                                       Util::Utf8ToQString(title.GetName())))));
    }
    return bounded;
}

}  // namespace

ThemeCatalogue::ThemeCatalogue(const Quorvel::ioPath& root, const std::string& titleFileName,
                               ReportedProblems& problems) {
    const Quorvel::ioPath themes = root / "resources" / "themes";
    auto titlePath = [&](const QString& theme) {
        return ToQt(themes / Util::QStringToUtf8(theme) / titleFileName);
    };

    // The title is looked up by base name, so "dark.old" counts as a second "dark".
    for (const QFileInfo& theme : InstalledFolders(root, QStringLiteral("themes"))) {
        // Only whether it opens: a FIFO in its place must not hold up the start.
        const InputFile title =
            InputFile::Check(titlePath(theme.baseName()), std::numeric_limits<qint64>::max());
        if (title.IsRead()) {
            m_themes.push_back(Util::QStringToUtf8(theme.baseName()));
        } else {
            problems.Warn(title.Describe() + "; [" +
                          QDir::toNativeSeparators(theme.absoluteFilePath()) +
                          "] is not listed as a theme");
        }
    }

    for (const std::string& theme : m_themes) {
        if (auto titles = ReadTitles(titlePath(Util::Utf8ToQString(theme)), problems)) {
            m_titles[theme] = std::move(*titles);
        }
    }
}

std::optional<std::string> ThemeCatalogue::Title(const std::string& theme,
                                                 const std::string& locale) const {
    const auto titles = m_titles.find(theme);
    if (titles != m_titles.end()) {
        if (const Property* title = titles->second.FindChild(locale)) {
            return title->GetValue();
        }
    }
    return std::nullopt;
}

}  // namespace Quorvel::App::LookAndFeel
