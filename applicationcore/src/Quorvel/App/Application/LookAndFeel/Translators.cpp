#include <Quorvel/App/Application/LookAndFeel/Translators.h>

#include <Quorvel/App/Application/LookAndFeel/DataDirectory.h>
#include <Quorvel/App/Application/LookAndFeel/ReportedProblems.h>
#include <Quorvel/Reading/InputFile.h>
#include <Quorvel/Reading/Limits.h>
#include <Quorvel/Util/TextConversion.h>

#include <QCoreApplication>
#include <QTranslator>

namespace Quorvel::App::LookAndFeel {

Translators::Translators() = default;

Translators::~Translators() = default;

void Translators::Replace(const QString& localeDir, const std::string& locale,
                          const std::list<std::string>& filter, ReportedProblems& problems) {
    for (const std::shared_ptr<QTranslator>& translator : m_installed) {
        QCoreApplication::removeTranslator(translator.get());
    }
    m_installed.clear();

    QFileInfoList files;
    if (filter.empty()) {
        files = ListDirectory(localeDir, QDir::Files, QStringLiteral(".qm"));
    } else {
        for (const std::string& name : filter) {
            const QFileInfo file(localeDir + QLatin1Char('/') +
                                 Util::Utf8ToQString(name + "_" + locale + ".qm"));
            if (file.exists()) {
                files.append(file);
            }
        }
    }

    for (const QFileInfo& file : files) {
        const QString path = file.absoluteFilePath();
        const auto check = Reading::InputFile::Check(path, Reading::Limits::kTranslation);
        if (!check.IsRead()) {
            problems.Warn(check.Describe() + "; it is not loaded");
            continue;
        }
        auto translator = std::make_shared<QTranslator>();
        if (translator->load(path)) {
            QCoreApplication::installTranslator(translator.get());
            m_installed.push_back(std::move(translator));
        } else {
            problems.Warn(QDir::toNativeSeparators(path) +
                          ": Qt cannot load it as a translation (truncated or foreign)");
        }
    }
}

}  // namespace Quorvel::App::LookAndFeel
