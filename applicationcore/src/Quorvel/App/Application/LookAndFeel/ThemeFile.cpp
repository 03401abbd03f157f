#include <Quorvel/App/Application/LookAndFeel/ThemeFile.h>

#include <Quorvel/App/Application/LookAndFeel/ReportedProblems.h>
#include <Quorvel/Reading/InputFile.h>

namespace Quorvel::App::LookAndFeel {

QByteArray ReadThemeFile(const QString& path, qint64 limit, ReportedProblems& problems,
                         const PrereadThemeFiles* preread) {
    if (preread) {
        if (const auto found = preread->find(path); found != preread->end()) {
            return found->second;
        }
    }
    const auto file = Reading::InputFile::Read(path, limit);
    if (file.status() == Reading::InputFile::Status::Refused) {
        problems.Warn(file.Describe() + "; it is not used");
    }
    return file.Bytes();
}

}  // namespace Quorvel::App::LookAndFeel
