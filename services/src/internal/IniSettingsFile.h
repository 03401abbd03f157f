#pragma once

// Private to the services library.

#include "internal/IniDocument.h"
#include "internal/SettingsBackend.h"

#include <vector>

namespace Quorvel::App::Internal {

// Settings in an INI file. Each change is written at once: the file is read again under its
// lock file (the one QSettings uses), the changes not yet in it are applied to what it holds
// now, and it is replaced as a whole by the result (a new file renamed over it, never a
// write in place), so that another program's changes stay and the lines of keys that this
// one did not touch keep their bytes. A lock path that is not a regular file ends writing.
//
// The file must be a regular file of at most Limits::kSettingsFile bytes. One that is not,
// or that cannot be read, is never written: the store starts empty and keeps its changes in
// memory. That, and a file that cannot be written, is logged once as an ERROR.
class IniSettingsFile : public SettingsBackend {
public:
    explicit IniSettingsFile(const QString& path);

    std::optional<QString> Text(const QString& key) const override;
    bool Contains(const QString& key) const override;
    void Write(const QString& key, const QVariant& value) override;
    void Remove(const QString& key) override;
    QString Location() const override;
    bool IsPersistent() const override;

private:
    struct Change {
        QString key;
        std::optional<QString> text;  // nullopt removes
    };

    static void Apply(const Change& change, IniDocument& document);
    void Keep(Change change);
    // The reason the pending changes could not be written, or an empty string.
    QString WritePending();
    void Report(const QString& problem);

    QString m_path;
    IniDocument m_document;         // the file as last read, with the pending changes applied
    std::vector<Change> m_pending;  // changes not yet in the file
    bool m_refused = false;         // nothing is written any more
    bool m_lockWaited = false;      // the last write gave up waiting for the lock
    bool m_reported = false;
    bool m_persistent = true;
};

}  // namespace Quorvel::App::Internal
