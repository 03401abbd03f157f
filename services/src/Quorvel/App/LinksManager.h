#pragma once

#include <Quorvel/App/ICustomizationManager.h>
#include <Quorvel/App/IHardwareInfo.h>
#include <Quorvel/App/IInstallerSettingsManager.h>
#include <Quorvel/App/ILaunchTypeProcessor.h>
#include <Quorvel/App/ILinksManager.h>
#include <Quorvel/App/ILookAndFeelManager.h>
#include <Quorvel/App/IMailSettingsManager.h>
#include <Quorvel/App/IProductSettingsManager.h>
#include <Quorvel/App/IUserSettingsManager.h>
#include <Quorvel/NotNull.h>
#include <Quorvel/ServicesExport.h>

#include <QStringList>

#include <memory>

namespace Quorvel::App {

/// The product's web addresses, by name or URLKeys, from links.json (format: LinksTable).
///
/// The file is read once, on first use (start-up opens no link, so it does not pay for it). Without
/// a file argument the constructor looks it up with QStandardPaths::locate(AppDataLocation,
/// "links.json"), that is in the product's standard data folders, which follow the Qt
/// application's organization and application names at that moment.
///
/// Resolving a name: the table of the current locale of the look-and-feel manager ("de_DE"),
/// then that of its language ("de"), then the default table. The placeholders of the
/// template are filled at each call, so they follow the services as they are now:
///   {locale}        current locale ("de_DE")      {language}   its language ("de")
///   {country}       its country ("DE"), or ""      {version}    product version, "1.2.3.4"
///   {application}   application name              {product}    product name
///   {organization}  organization name             {partner}    partner name
///   {webuid}        user settings "WEBUID", default "UNDEFINED"
///   {launchType}    the launch type's number      {platform}   "win" or "linux"
///   {bits}          "64" or "32"                  {hardware}   the hardware text
///   {installer}     installer settings "InstallerName" ("" without installer settings)
/// Each value is percent-encoded in full (everything but letters, digits and "-._~"), which
/// keeps it one piece wherever it lands in the address.
///
/// Failures never throw and never stop the product: a file that is missing or wrong in any
/// way (not JSON, wrong types, an unknown placeholder, an address that is not a URL) is
/// logged as one ERROR naming the file and the problem (a missing file at construction, a
/// refused one on first use), and every name then resolves to ""
/// silently. With a good file, a name that no table has resolves to "" and is logged as one
/// WARNING the first time it is asked for. A name whose template is "" resolves to "" without
/// a record: that is how a file leaves a link out.
///
/// The table is read once under std::call_once and read-only after it, and the record of warned
/// names is locked, so the class itself may be used from any thread; the look-and-feel manager it
/// reads is a GUI-thread object, though, and OpenUrl must run on the GUI thread.
class QUORVEL_SERVICES_EXPORT LinksManager : public ILinksManager {
public:
    /// The links file's usual name in the product's data folder.
    static constexpr const char* FileName = "links.json";

    /// The mail and product settings are not read at present; they belong to the fixed set of
    /// services a links manager is built from, and must not be empty.
    LinksManager(Quorvel::NotNull<std::shared_ptr<ICustomizationManager>> customization,
                 Quorvel::NotNull<std::shared_ptr<IHardwareInfo>> hardwareInfo,
                 Quorvel::NotNull<std::shared_ptr<ILookAndFeelManager>> lookAndFeel,
                 Quorvel::NotNull<std::shared_ptr<IMailSettingsManager>> mailSettings,
                 Quorvel::NotNull<std::shared_ptr<IProductSettingsManager>> productSettings,
                 Quorvel::NotNull<std::shared_ptr<IUserSettingsManager>> userSettings,
                 Quorvel::NotNull<std::shared_ptr<ILaunchTypeProcessor>> launchTypeProcessor,
                 std::shared_ptr<IInstallerSettingsManager> installerSettings,
                 const QString& linksFile = QString());
    ~LinksManager() override;
    LinksManager(const LinksManager&) = delete;
    LinksManager& operator=(const LinksManager&) = delete;

    QString GetUrl(const QString& name) override;
    QString GetUrl(URLKeys key) override;
    /// The address of `name` with `parameters` added to its query, names and values
    /// percent-encoded, before any "#fragment". Parameters with an empty name are left out.
    /// A name that resolves to "" gives "".
    QString GenerateUrl(const QString& name, QMap<QString, QString> parameters) override;

    /// Hands the address to QDesktopServices::openUrl; an empty address opens nothing and is
    /// logged as a WARNING, as is an address that nothing could open.
    void OpenUrl(const QString& url) override;
    void OpenUrl(URLKeys key) override;

    /// The file that was read, or the one that was looked for.
    const QString& GetFile() const;
    /// False when the file could not be used.
    bool IsLoaded() const;

    /// The placeholder names templates may use, without braces.
    static const QStringList& PlaceholderNames();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
