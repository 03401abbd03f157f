#include <Quorvel/App/CustomizationError.h>

namespace Quorvel::App {

CustomizationError::CustomizationError(const std::string& file, const std::string& problem)
    : std::runtime_error(file + ": " + problem), m_file(file), m_problem(problem) {}

}  // namespace Quorvel::App
