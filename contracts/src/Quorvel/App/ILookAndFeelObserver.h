#pragma once

#include <Quorvel/ContractsExport.h>

#include <string>

namespace Quorvel::App {

class QUORVEL_CONTRACTS_EXPORT ILookAndFeelObserver {
public:
    virtual ~ILookAndFeelObserver() = default;
    virtual void OnLocaleChanged(const std::string& locale) = 0;
    virtual void OnThemeChanged(const std::string& theme) = 0;
};

}  // namespace Quorvel::App
