#pragma once

// Private to the application core; not installed.

#include <QString>

#include <set>

namespace Quorvel::App::LookAndFeel {

// A theme's files are read again at every switch; each problem is worth one WARNING, the
// first time it is met.
class ReportedProblems {
public:
    void Warn(const QString& message);

private:
    std::set<QString> m_reported;
};

}  // namespace Quorvel::App::LookAndFeel
