#pragma once

// Private to the application core; not installed.

#include <QString>

#include <list>
#include <memory>
#include <string>

class QTranslator;

namespace Quorvel::App::LookAndFeel {

class ReportedProblems;

// The translators of the current interface language, installed into the application; they
// leave it when replaced or destroyed. GUI thread only.
class Translators {
public:
    Translators();
    ~Translators();
    Translators(const Translators&) = delete;
    Translators& operator=(const Translators&) = delete;

    // Removes the installed translators, then installs those of `locale` in `localeDir`: every
    // "*.qm" by name ignoring case, or with a filter "<name>_<locale>.qm" for each name that
    // has a file, in filter order. Qt asks the translator installed last first, so a later
    // file wins. A file that is refused or that Qt cannot load is reported and skipped.
    void Replace(const QString& localeDir, const std::string& locale,
                 const std::list<std::string>& filter, ReportedProblems& problems);

private:
    std::list<std::shared_ptr<QTranslator>> m_installed;
};

}  // namespace Quorvel::App::LookAndFeel
