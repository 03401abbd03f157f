#include "BrowserRegistry.h"

#include <Quorvel/App/Application/CommandLinePath.h>

#include <Quorvel/Reading/InputFile.h>
#include <Quorvel/Reading/Limits.h>
#include <Quorvel/Reading/LogText.h>

#include <QDir>
#include <QStandardPaths>

#include <glog/logging.h>

#include <algorithm>

namespace Quorvel::App::Platform {
namespace {

// The folders that hold desktop entries, the user's first, as the XDG base directories
// define them.
QStringList DataFolders() {
    QString home = EnvironmentPath("XDG_DATA_HOME");  // a folder name need not be UTF-8
    if (home.isEmpty()) {
        home = QDir::homePath() + "/.local/share";
    }
    QString system = qEnvironmentVariable("XDG_DATA_DIRS");
    if (system.isEmpty()) {
        system = "/usr/local/share/:/usr/share/";
    }
    QStringList folders{home};
    for (const QString& folder : system.split(':', Qt::SkipEmptyParts)) {
        folders << folder;
    }
    return folders;
}

// The general escapes of desktop entry values.
QString Unescape(const QString& value) {
    QString result;
    result.reserve(value.size());
    for (int i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            result += value[i];
            continue;
        }
        const QChar next = value[++i];
        if (next == 's') {
            result += ' ';
        } else if (next == 'n') {
            result += '\n';
        } else if (next == 't') {
            result += '\t';
        } else if (next == 'r') {
            result += '\r';
        } else if (next == '\\') {
            result += '\\';
        } else {
            result += '\\';
            result += next;
        }
    }
    return result;
}

struct DesktopEntry {
    QString categories;
    QString exec;
};

// Only the [Desktop Entry] group matters; actions and other groups have their own Exec.
DesktopEntry ReadDesktopEntry(const QString& path) {
    DesktopEntry entry;
    const auto file = Reading::InputFile::Read(path, Reading::Limits::kDataFile);
    if (file.status() == Reading::InputFile::Status::Refused) {
        LOG(WARNING) << Reading::LogText(file.Describe()) << "; it is skipped";
    }
    bool inMainGroup = false;
    for (QString line : QString::fromUtf8(file.Bytes()).split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        if (line.startsWith('[')) {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const int equals = line.indexOf('=');
        if (!inMainGroup || equals < 0) {
            continue;
        }
        const QString key = line.left(equals).trimmed();
        const QString value = Unescape(line.mid(equals + 1).trimmed());
        if (key == "Categories") {
            entry.categories = value;
        } else if (key == "Exec") {
            entry.exec = value;
        }
    }
    return entry;
}

bool IsField(const QString& word) {
    static const QString kFieldCodes = "fFuUdDnNickvm";
    return word.size() == 2 && word[0] == '%' && kFieldCodes.contains(word[1]);
}

// The command without its field codes ("%u", "%U", ...), which stand for the files or links
// to open and are not part of the program. What remains may still carry arguments.
QString OpenCommand(const QString& exec) {
    QStringList words = exec.split(' ', Qt::SkipEmptyParts);
    words.erase(std::remove_if(words.begin(), words.end(), IsField), words.end());
    QString command = words.join(' ').replace("%%", "%");
    // A bare program name is looked up where the desktop would start it from.
    if (!command.isEmpty() && !command.contains('/') && !command.contains(' ') &&
        !command.contains('"')) {
        const QString found = QStandardPaths::findExecutable(command);
        if (!found.isEmpty()) {
            command = found;
        }
    }
    return command;
}

}  // namespace

QStringList ShellCacheKeys() { return {}; }

std::vector<std::pair<QString, QString>> StartMenuBrowsers() {
    std::vector<std::pair<QString, QString>> browsers;
    for (const QString& folder : DataFolders()) {
        const QDir applications(QDir(folder).filePath("applications"));
        const QStringList files =
            applications.entryList({"*.desktop"}, QDir::Files | QDir::Readable, QDir::Name);
        for (const QString& name : files) {
            const DesktopEntry entry = ReadDesktopEntry(applications.filePath(name));
            if (entry.categories.split(';', Qt::SkipEmptyParts).contains("WebBrowser")) {
                browsers.emplace_back(name, OpenCommand(entry.exec));
            }
        }
    }
    return browsers;
}

}  // namespace Quorvel::App::Platform
