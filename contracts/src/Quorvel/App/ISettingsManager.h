#pragma once

#include <Quorvel/ContractsExport.h>

#include <cstdint>
#include <string>

namespace Quorvel::App {

/// A store of named values; "/" in a key separates groups. A read of a missing key returns
/// the default, and a write is visible to every later read.
class QUORVEL_CONTRACTS_EXPORT ISettingsManager {
public:
    virtual ~ISettingsManager() = default;  ///< Does not remove what was written.
    /// Stores `value` under `key`, replacing what was there.
    virtual void SetBool(const std::string& key, bool value) = 0;
    /// Stores `value` under `key`, replacing what was there.
    virtual void SetInt(const std::string& key, int value) = 0;
    /// Stores the UTF-8 text `value` under `key`, replacing what was there.
    virtual void SetString(const std::string& key, const std::string& value) = 0;
    /// The value under `key`, or `defaultValue` when it is missing or is not a boolean.
    virtual bool GetBool(const std::string& key, bool defaultValue) const = 0;
    /// The value under `key`, or `defaultValue` when it is missing or is not an integer.
    virtual int GetInt(const std::string& key, int defaultValue) const = 0;
    /// The text under `key` (UTF-8), or `defaultValue` when it is missing.
    virtual std::string GetString(const std::string& key,
                                  const std::string& defaultValue) const = 0;
    /// The value under `key`, or `defaultValue` when it is missing or is no unsigned integer.
    virtual uint32_t GetUInt(const std::string& key, uint32_t defaultValue) const = 0;
    /// Whether a value is stored under `key`.
    virtual bool Contains(const std::string& key) const = 0;
    /// Removes the value under `key`; a group name removes everything under it.
    virtual void Remove(const std::string& key) = 0;
};

}  // namespace Quorvel::App
