#include <Quorvel/Reading/DataFileError.h>

namespace Quorvel::Reading {

DataFileError::DataFileError(const QString& file, const QString& problem)
    : std::runtime_error((file + QStringLiteral(": ") + problem).toStdString()),
      m_file(file),
      m_problem(problem) {}

}  // namespace Quorvel::Reading
