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
    virtual void SwitchLocale(const std::string& locale) = 0;
    virtual std::string GetOrganizationName() const = 0;
    virtual std::string GetPartnerName() const = 0;
    virtual Quorvel::Core::Version GetProductVersion() const = 0;
    virtual std::string GetApplicationName() const = 0;
    virtual UserAgentInfo GetUserAgentInfo() const = 0;
    virtual std::string GetProductName() const = 0;
    virtual std::string GetThankYouPageMode() const = 0;
    virtual bool IsEmailCollectionEnabled() const = 0;
};

}  // namespace Quorvel::App
