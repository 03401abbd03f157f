#pragma once

// Private to the application core; not installed.

#include <Quorvel/Core/Property.h>
#include <Quorvel/ioPath.h>

#include <QString>

#include <list>
#include <map>
#include <optional>
#include <string>

namespace Quorvel::App::LookAndFeel {

class ReportedProblems;

// The themes installed in the product's data directory, found once: a folder of
// `<root>/resources/themes` is a theme when its title file can be read. The title file holds
// the theme's name in each language, {"en_US": "Light", "de_DE": "Hell"}; the title files are
// read at the first Title(), and their problems reported to `problems` then, which must outlive
// the catalogue.
class ThemeCatalogue {
public:
    ThemeCatalogue(const Quorvel::ioPath& root, const std::string& titleFileName,
                   ReportedProblems& problems);

    const std::list<std::string>& Themes() const { return m_themes; }
    // The theme's name in `locale`; nothing when its title file or that language is missing.
    std::optional<std::string> Title(const std::string& theme, const std::string& locale) const;

private:
    QString TitlePath(const std::string& theme) const;

    Quorvel::ioPath m_themeFolder;
    std::string m_titleFileName;
    ReportedProblems& m_problems;
    std::list<std::string> m_themes;
    mutable std::optional<std::map<std::string, Quorvel::Core::Property>> m_titles;
};

}  // namespace Quorvel::App::LookAndFeel
