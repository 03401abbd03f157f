#pragma once

#include <Quorvel/ServicesExport.h>

#include <stdexcept>
#include <string>

namespace Quorvel::App {

/// A customization file that cannot be used. what() is "\<file\>: \<problem\>", fit for the log
/// and for a message box.
class QUORVEL_SERVICES_EXPORT CustomizationError : public std::runtime_error {
public:
    /// What went wrong (`problem`) with which customization file.
    CustomizationError(const std::string& file, const std::string& problem);

    /// The file named at construction.
    const std::string& File() const noexcept { return m_file; }
    /// What is wrong with it.
    const std::string& Problem() const noexcept { return m_problem; }

private:
    std::string m_file;
    std::string m_problem;
};

}  // namespace Quorvel::App
