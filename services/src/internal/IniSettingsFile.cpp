#include "internal/IniSettingsFile.h"

#include <Quorvel/Reading/InputFile.h>
#include <Quorvel/Reading/Limits.h>
#include <Quorvel/Reading/LogText.h>
#include <Quorvel/Reading/OutputFile.h>

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <glog/logging.h>

namespace Quorvel::App::Internal {

namespace {

// Another program's write of a small file ends well within this; a longer wait means a
// lock file that nobody will remove soon, so after one such wait the store only tries.
constexpr int kLockWaitMs = 2000;
// A lock file holds a process id and two names.
constexpr qint64 kLockFileLimit = 64 << 10;

using Reading::InputFile;
using Reading::LogText;

std::string Named(const QString& path) { return LogText(QDir::toNativeSeparators(path)); }

}  // namespace

IniSettingsFile::IniSettingsFile(const QString& path) : m_path(path) {
    const InputFile file = InputFile::Read(path, Reading::Limits::kSettingsFile);
    if (file.status() == InputFile::Status::Refused) {
        m_refused = true;
        m_reported = true;
        LOG(ERROR) << "The settings store [" << Named(path) << "] cannot be read ("
                   << LogText(file.Problem())
                   << "); it starts empty and keeps changes for this session only";
    }
    m_document = IniDocument(file.Bytes());
}

std::optional<QString> IniSettingsFile::Text(const QString& key) const {
    return m_document.Value(key);
}

bool IniSettingsFile::Contains(const QString& key) const { return m_document.Contains(key); }

void IniSettingsFile::Write(const QString& key, const QVariant& value) {
    Keep({key, value.toString()});  // true/false and decimal numbers, as QSettings writes them
}

void IniSettingsFile::Remove(const QString& key) { Keep({key, std::nullopt}); }

QString IniSettingsFile::Location() const { return m_path; }

bool IniSettingsFile::IsPersistent() const { return m_persistent; }

void IniSettingsFile::Apply(const Change& change, IniDocument& document) {
    if (change.text) {
        document.SetValue(change.key, *change.text);
    } else {
        document.Remove(change.key);
    }
}

void IniSettingsFile::Keep(Change change) {
    Apply(change, m_document);
    if (m_refused) {
        m_persistent = false;  // reported when it was refused
        return;
    }
    m_pending.push_back(std::move(change));
    const QString problem = WritePending();
    if (!problem.isEmpty()) {
        Report(problem);
    }
}

QString IniSettingsFile::WritePending() {
    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath())) {
        return QStringLiteral("its folder cannot be made");
    }
    // The new content goes to a new file beside the old one, so the folder is asked first.
    if (!QFileInfo(info.absolutePath()).isWritable()) {
        return QStringLiteral("its folder is read-only");
    }
    if (info.exists() && !info.isWritable()) {
        return QStringLiteral("it is read-only");
    }
    // QLockFile reads a lock file it did not make, and a FIFO there would keep it waiting for
    // ever: only a regular file (or none) is left to it. Another kind of file stays, so the
    // store stops writing at once instead of trying again at every change.
    const QString lockPath = m_path + QStringLiteral(".lock");
    const InputFile existing = InputFile::Check(lockPath, kLockFileLimit);
    if (existing.status() == InputFile::Status::Refused) {
        m_refused = true;
        return QStringLiteral("its lock file [") + QDir::toNativeSeparators(lockPath) +
               QStringLiteral("] is refused: ") + existing.Problem();
    }
    QLockFile lock(lockPath);
    if (!lock.tryLock(m_lockWaited ? 0 : kLockWaitMs)) {
        m_lockWaited = lock.error() == QLockFile::LockFailedError;
        return QStringLiteral("its lock file [") + QDir::toNativeSeparators(lockPath) +
               (m_lockWaited ? QStringLiteral("] is held by another program")
                             : QStringLiteral("] cannot be written"));
    }
    m_lockWaited = false;
    const InputFile file = InputFile::Read(m_path, Reading::Limits::kSettingsFile);
    if (file.status() == InputFile::Status::Refused) {
        return file.Problem();
    }
    IniDocument current(file.Bytes());
    for (const Change& change : m_pending) {
        Apply(change, current);
    }
    // A value written again as the file has it (the partner name, at every start) changes no
    // byte: the file is left as it is, without a new copy and a wait for the disk.
    if (!file.IsRead() || current.Bytes() != file.Bytes()) {
        // Whole or not at all: a full disk must not cut the keys of other programs.
        const QString problem = Reading::ReplaceFileWhole(m_path, current.Bytes());
        if (!problem.isEmpty()) {
            return problem;
        }
    }
    m_document = std::move(current);
    m_pending.clear();
    return QString();
}

void IniSettingsFile::Report(const QString& problem) {
    m_persistent = false;
    if (!m_reported) {
        m_reported = true;
        LOG(ERROR) << "The settings store [" << Named(m_path) << "] cannot be written ("
                   << LogText(problem) << "); changes are kept for this session only";
    }
}

}  // namespace Quorvel::App::Internal
