#pragma once

#include <Quorvel/App/ISettingsManager.h>
#include <Quorvel/ServicesExport.h>

#include <QString>

#include <memory>

namespace Quorvel::App {

/// A settings store over QSettings. Keys are UTF-8; "/" separates groups ("Window/Geometry").
///
/// Where the values live:
/// - with an explicit file path: that INI file (UTF-8), on every platform;
/// - otherwise, on Windows, the registry key
///   `HKEY_CURRENT_USER\Software\<organization>\<application>\<scope>`;
/// - otherwise, elsewhere, the INI file DefaultFilePath(scope), that is
///   `<generic config folder>/<organization>/<application>/<scope>.ini`
///   (~/.config/... for a user). Organization and application are the Qt application's
///   names at construction time, so the product sets them (storing its customization in the
///   application does) before it creates its stores; a name that would not stay one folder
///   level has its separators (and a name of dots only, its dots) turned into "_".
///
/// Every write is flushed at once, so another process or the next start sees it. An INI file
/// is written in the form QSettings reads, and a write changes only the lines of its own key:
/// every other key keeps its bytes, whatever their encoding. A store that cannot be written
/// (read-only file or folder, a folder that cannot be created) logs one ERROR naming its file
/// and carries on: values written during the session stay readable from memory, they are
/// only not kept. So does a file that is not a regular file or is larger than 4 MiB, which is
/// refused at once and never written, and a lock file (<file>.lock) that is not a regular file.
/// A write replaces the file whole or leaves every byte of it, whatever room the disk has. A key
/// that names the whole store ("", "/") is neither written nor removed, with one ERROR.
///
/// Reading: GetString renders any stored value as text; GetInt and GetUInt accept numbers
/// and decimal text in range; GetBool accepts true/false (any case) and integers (non-zero
/// is true). A value that does not fit the asked type gives the default. Contains is true
/// for a key that holds a value, not for a mere group. Remove of a group removes everything
/// under it. The INI store is case-sensitive, the registry is not.
///
/// One store may be used from several threads.
class QUORVEL_SERVICES_EXPORT SettingsStore : public virtual ISettingsManager {
public:
    /// `scope` names the store ("product", "user", ...). An empty `filePath` chooses the
    /// default place described above.
    explicit SettingsStore(const QString& scope, const QString& filePath = QString());
    ~SettingsStore() override;  ///< Everything written is already on disk.

    SettingsStore(const SettingsStore&) = delete;             ///< One store per file.
    SettingsStore& operator=(const SettingsStore&) = delete;  ///< One store per file.

    void SetBool(const std::string& key, bool value) override;
    void SetInt(const std::string& key, int value) override;
    void SetString(const std::string& key, const std::string& value) override;
    bool GetBool(const std::string& key, bool defaultValue) const override;
    int GetInt(const std::string& key, int defaultValue) const override;
    std::string GetString(const std::string& key, const std::string& defaultValue) const override;
    uint32_t GetUInt(const std::string& key, uint32_t defaultValue) const override;
    bool Contains(const std::string& key) const override;
    void Remove(const std::string& key) override;

    /// The name given at construction.
    const QString& GetScope() const;
    /// The INI file, or the registry path of a native store.
    QString GetLocation() const;
    /// False once a write could not be stored.
    bool IsPersistent() const;

    /// `<generic config folder>/<organization>/<application>/<scope>.ini`; empty organization
    /// or application names leave their level out.
    static QString DefaultFilePath(const QString& scope);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
