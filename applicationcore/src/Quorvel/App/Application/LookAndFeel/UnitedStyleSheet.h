#pragma once

// Private to the application core; not installed.

#include <Quorvel/App/Application/LookAndFeel/ThemeFile.h>
#include <Quorvel/App/ILookAndFeelManager.h>

#include <QString>

namespace Quorvel::App::LookAndFeel {

class ReportedProblems;

// The united style sheet of a theme description: every sheet in order, each followed by a
// line feed (a sheet that cannot be read adds the line feed alone), with every font
// placeholder of the description's placeholder files for `locale` replaced. The fonts of its
// manifests are registered on the way, before the sheets are read. Files of `preread` are
// not looked up again. Sizes relative to the desktop's font are taken from the application's
// font now; `relative` tells whether there was any.
QString BuildUnitedStyleSheet(const ILookAndFeelManager::ThemeDescription& description,
                              const QString& locale, ReportedProblems& problems,
                              const PrereadThemeFiles* preread = nullptr, bool* relative = nullptr);

}  // namespace Quorvel::App::LookAndFeel
