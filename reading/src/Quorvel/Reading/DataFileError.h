#pragma once

// Internal to the libraries; not installed.

#include <QString>

#include <stdexcept>

namespace Quorvel::Reading {

// A product data file that cannot be used. what() is "<file>: <problem>", fit for the log
// and for a message box.
class DataFileError : public std::runtime_error {
public:
    DataFileError(const QString& file, const QString& problem);

    const QString& File() const noexcept { return m_file; }
    const QString& Problem() const noexcept { return m_problem; }

private:
    QString m_file;
    QString m_problem;
};

}  // namespace Quorvel::Reading
