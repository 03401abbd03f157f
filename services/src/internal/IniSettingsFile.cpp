#include "internal/IniSettingsFile.h"

#include <Quorvel/Reading/InputFile.h>
#include <Quorvel/Reading/Limits.h>

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <glog/logging.h>

namespace Quorvel::App::Internal {

namespace {

// Another program's write of a small file ends well within this; a longer wait means a
// lock file that nobody will remove soon.
constexpr int kLockWaitMs = 2000;

using Reading::InputFile;

}  // namespace

IniSettingsFile::IniSettingsFile(const QString& path) : m_path(path) {
    const InputFile file = InputFile::Read(path, Reading::Limits::kSettingsFile);
    if (file.status() == InputFile::Status::Refused) {
        m_refused = true;
        m_reported = true;
        LOG(ERROR) << "The settings store [" << QDir::toNativeSeparators(path).toStdString()
                   << "] cannot be read (" << file.Problem().toStdString()
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
    if (info.exists() && !info.isWritable()) {
        return QStringLiteral("it is read-only");
    }
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWaitMs)) {
        return QStringLiteral("its lock file cannot be taken");
    }
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
    if (file.IsRead() && current.Bytes() == file.Bytes()) {
        m_document = std::move(current);
        m_pending.clear();
        return QString();
    }
    QSaveFile out(m_path);
    // Where the folder allows no new file beside it, the file is written in place.
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly) || out.write(current.Bytes()) < 0 || !out.commit()) {
        return out.errorString();
    }
    m_document = std::move(current);
    m_pending.clear();
    return QString();
}

void IniSettingsFile::Report(const QString& problem) {
    m_persistent = false;
    if (!m_reported) {
        m_reported = true;
        LOG(ERROR) << "The settings store [" << QDir::toNativeSeparators(m_path).toStdString()
                   << "] cannot be written (" << problem.toStdString()
                   << "); changes are kept for this session only";
    }
}

}  // namespace Quorvel::App::Internal
