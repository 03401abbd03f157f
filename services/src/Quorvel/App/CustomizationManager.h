#pragma once

#include <Quorvel/App/CustomizationError.h>
#include <Quorvel/App/ICustomizationManager.h>
#include <Quorvel/ServicesExport.h>
#include <Quorvel/ioPath.h>

#include <QByteArray>
#include <QString>

#include <memory>

namespace Quorvel::App {

/// The product's description, read once from customization.json in its data directory:
///
///   {
///       "organizationName": "Quorvel Labs",                  required, not empty
///       "applicationName": "QuorvelDemo",                    required, not empty
///       "productName": "Quorvel Demo",                       required, not empty
///       "productVersion": "1.2.3.4",                         required, one to four numbers
///       "userAgent": {                                       required
///           "product": "QuorvelDemo",                        required
///           "text": "QuorvelDemo/1.2.3.4"                    required
///       },
///       "partnerName": "direct",                             optional, default ""
///       "thankYouPageMode": "thankyou",                      optional, default "" (no page)
///       "emailCollection": true,                             optional, default false
///       "locales": {                                         optional
///           "de_DE": { "productName": "Quorvel Demo (DE)" }
///       }
///   }
///
/// Each entry of "locales" may carry any member above except "productVersion" and "locales"
/// (in "userAgent" either field alone); SwitchLocale lays the entry of the locale over the
/// base values, looking for "de_DE" first and then for the language alone, "de". A locale
/// without an entry gives the base values. Unknown members are refused, so that a misspelt
/// one does not pass unnoticed. A text longer than 1024 characters is cut there, with one
/// WARNING naming the file and the member. The file must be a regular file of at most 1 MiB.
///
/// Every problem with the file throws CustomizationError naming the file and what is wrong.
/// The getters may be called from any thread.
class QUORVEL_SERVICES_EXPORT CustomizationManager : public ICustomizationManager {
public:
    /// The file's usual name in the product's data folder.
    static constexpr const char* FileName = "customization.json";

    /// Reads the customization file at `path`; throws CustomizationError naming it and the problem.
    /// @{
    static std::shared_ptr<CustomizationManager> FromFile(const QString& path);
    static std::shared_ptr<CustomizationManager> FromFile(const Quorvel::ioPath& path);
    /// @}
    /// `source` names the text in error messages (usually its file).
    static std::shared_ptr<CustomizationManager> FromJson(const QByteArray& json,
                                                          const QString& source);

    ~CustomizationManager() override;
    CustomizationManager(const CustomizationManager&) = delete;
    CustomizationManager& operator=(const CustomizationManager&) = delete;

    void SwitchLocale(const std::string& locale) override;
    std::string GetOrganizationName() const override;
    std::string GetPartnerName() const override;
    Quorvel::Core::Version GetProductVersion() const override;
    std::string GetApplicationName() const override;
    UserAgentInfo GetUserAgentInfo() const override;
    std::string GetProductName() const override;
    std::string GetThankYouPageMode() const override;
    bool IsEmailCollectionEnabled() const override;

    /// The locale last given to SwitchLocale ("" before any).
    std::string GetLocale() const;

private:
    struct Impl;
    explicit CustomizationManager(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
