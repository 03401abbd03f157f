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
                               ReportedProblems& problems)
    : m_themeFolder(root / "resources" / "themes"),
      m_titleFileName(titleFileName),
      m_problems(problems) {
    // The title is looked up by base name, so "dark.old" counts as a second "dark".
    for (const QFileInfo& theme : InstalledFolders(root, QStringLiteral("themes"))) {
        // Only whether it opens: a FIFO in its place must not hold up the start.
        const InputFile title = InputFile::Check(TitlePath(Util::QStringToUtf8(theme.baseName())),
                                                 std::numeric_limits<qint64>::max());
        if (title.IsRead()) {
            m_themes.push_back(Util::QStringToUtf8(theme.baseName()));
        } else {
            m_problems.Warn(title.Describe() + "; [" +
                            QDir::toNativeSeparators(theme.absoluteFilePath()) +
                            "] is not listed as a theme");
        }
    }
}

QString ThemeCatalogue::TitlePath(const std::string& theme) const {
    return ToQt(m_themeFolder / theme / m_titleFileName);
}

std::optional<std::string> ThemeCatalogue::Title(const std::string& theme,
                                                 const std::string& locale) const {
    // Read when a menu first asks, not at start-up: a product may show no theme names at all.
    if (!m_titles) {
        m_titles.emplace();
        for (const std::string& listed : m_themes) {
            if (auto titles = ReadTitles(TitlePath(listed), m_problems)) {
                (*m_titles)[listed] = std::move(*titles);
            }
        }
    }
    const auto titles = m_titles->find(theme);
    if (titles != m_titles->end()) {
        if (const Property* title = titles->second.FindChild(locale)) {
            return title->GetValue();
        }
    }
    return std::nullopt;
}

}  // namespace Quorvel::App::LookAndFeel
