#pragma once

#include <Quorvel/ContractsExport.h>

#include <string>

namespace Quorvel::App {

/// Hears of changes of the interface language and the theme.
class QUORVEL_CONTRACTS_EXPORT ILookAndFeelObserver {
public:
    virtual ~ILookAndFeelObserver() = default;
    /// The interface language is now `locale`.
    virtual void OnLocaleChanged(const std::string& locale) = 0;
    /// The theme is now `theme`.
    virtual void OnThemeChanged(const std::string& theme) = 0;
};

}  // namespace Quorvel::App
