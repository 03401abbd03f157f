#pragma once

// Private to the application core; not installed.

#include <Quorvel/App/Application/LookAndFeel/ThemeFile.h>
#include <Quorvel/App/ILookAndFeelManager.h>
#include <Quorvel/ioPath.h>

#include <QFileInfo>
#include <QList>
#include <QString>

#include <list>
#include <string>

namespace Quorvel::App::LookAndFeel {

class ReportedProblems;

// A theme's compiled resource files (`<root>/resources/themes/<theme>/<name>.rcc`) and their
// registration with Qt while the theme is current. A resource file `<name>.rcc` provides,
// under ":/<name>", style.qss, fonts_<platform>.qss, fonts.json and fonts.manifest.
class ThemeResources {
public:
    // An empty filter takes every "*.rcc" of a theme, by name ignoring case; otherwise the
    // filter's names that have a file, in filter order.
    ThemeResources(const Quorvel::ioPath& root, std::list<std::string> filter);

    // A theme is a handful of files; Qt looks through every registered resource file for
    // each resource path, so a theme of thousands would cost the start minutes.
    static constexpr int kMaxFiles = 1000;

    // An ERROR names a theme folder that does not exist; the list is then empty. Past the
    // first kMaxFiles, files are refused with one WARNING naming the folder and their count.
    QList<QFileInfo> Files(const std::string& theme, ReportedProblems& problems) const;

    // Registers the files and describes what they provide, followed by the product's own
    // ":/productStyle.qss" and ":/productStyle_<platform>.qss". A file that is refused or that
    // Qt cannot load is reported; its paths are listed all the same and simply yield nothing.
    // The files each one provides under its own name are read into `preread` while it is the
    // only one of the theme registered: Qt looks through every registered resource file for
    // each path, which would make the cost of a theme grow with the square of its files.
    static ILookAndFeelManager::ThemeDescription Register(const QList<QFileInfo>& files,
                                                          PrereadThemeFiles& preread,
                                                          ReportedProblems& problems);
    static void Unregister(const QList<QFileInfo>& files);

    // Registers the fonts a manifest names, one path per word. Fonts are registered once per
    // path however often a theme is switched (FontDatabase).
    static void RegisterFonts(const QString& manifest, ReportedProblems& problems,
                              const PrereadThemeFiles* preread = nullptr);

private:
    Quorvel::ioPath m_themes;
    std::list<std::string> m_filter;
};

}  // namespace Quorvel::App::LookAndFeel
