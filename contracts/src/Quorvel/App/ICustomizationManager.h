#pragma once

#include <Quorvel/App/UserAgentInfo.h>
#include <Quorvel/ContractsExport.h>
#include <Quorvel/Core/Version.h>

#include <string>

namespace Quorvel::App {

/// The product's fixed description: names, version, partner and the switches of its
/// start-up extensions.
class QUORVEL_CONTRACTS_EXPORT ICustomizationManager {
public:
    virtual ~ICustomizationManager() = default;
    /// Switches the locale-dependent values to `locale` ("de_DE").
    virtual void SwitchLocale(const std::string& locale) = 0;
    /// The maker's name, also the Qt organization name.
    virtual std::string GetOrganizationName() const = 0;
    /// The partner the product is distributed with; empty when none.
    virtual std::string GetPartnerName() const = 0;
    /// The product's version.
    virtual Quorvel::Core::Version GetProductVersion() const = 0;
    /// The Qt application name, also the settings folder's.
    virtual std::string GetApplicationName() const = 0;
    /// The product's part of the user-agent text of its requests.
    virtual UserAgentInfo GetUserAgentInfo() const = 0;
    /// The product's name as shown to the user.
    virtual std::string GetProductName() const = 0;
    /// Empty when the thank-you page is never shown.
    virtual std::string GetThankYouPageMode() const = 0;
    /// Whether the e-mail offer may be shown.
    virtual bool IsEmailCollectionEnabled() const = 0;
};

}  // namespace Quorvel::App
