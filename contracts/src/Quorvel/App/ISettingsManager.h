#pragma once

#include <Quorvel/ContractsExport.h>

#include <cstdint>
#include <string>

namespace Quorvel::App {

/// A store of named values; "/" in a key separates groups. A read of a missing key returns
/// the default, and a write is visible to every later read.
class QUORVEL_CONTRACTS_EXPORT ISettingsManager {
public:
    virtual ~ISettingsManager() = default;
    virtual void SetBool(const std::string& key, bool value) = 0;
    virtual void SetInt(const std::string& key, int value) = 0;
    virtual void SetString(const std::string& key, const std::string& value) = 0;
    virtual bool GetBool(const std::string& key, bool defaultValue) const = 0;
    virtual int GetInt(const std::string& key, int defaultValue) const = 0;
    virtual std::string GetString(const std::string& key,
                                  const std::string& defaultValue) const = 0;
    virtual uint32_t GetUInt(const std::string& key, uint32_t defaultValue) const = 0;
    virtual bool Contains(const std::string& key) const = 0;
    virtual void Remove(const std::string& key) = 0;  ///< a group name removes everything under it
};

}  // namespace Quorvel::App
