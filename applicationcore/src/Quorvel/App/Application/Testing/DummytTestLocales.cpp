#include <Quorvel/App/Application/Testing/DummytTestLocales.h>

#include "internal/OptionValue.h"

#include <Quorvel/Util/TextConversion.h>

#include <algorithm>

namespace Quorvel::App {

namespace {

const QCommandLineOption kLocales(
    "test-custom-locales", "Set locales: en_US,ru_RU", "locales",
    "en_US,de_DE,ru_RU,es_ES,fr_FR,it_IT,ja_JP,nl_NL,pl_PL,pt_BR,tr_TR,ko_KR,zh_CN,zh_TW");

}  // namespace

DummytTestLocales::DummytTestLocales() = default;

void DummytTestLocales::initialize(const QCommandLineParser&) {}

void DummytTestLocales::run(const QCommandLineParser&) {}

QList<QCommandLineOption> DummytTestLocales::getCLO() const { return {kLocales}; }

std::list<std::string> DummytTestLocales::GetTestLocales(
    const QCommandLineParser& parser, const std::shared_ptr<ILookAndFeelManager>& lookAndFeel) {
    std::vector<std::string> requested;
    for (const QString& part : Internal::OptionValue(parser, kLocales).split(',')) {
        requested.push_back(Util::QStringToUtf8(part));
    }
    static const std::vector<std::string> preferred{"ru_RU", "de_DE", "en_US"};
    auto among = [](const std::vector<std::string>& names, const std::string& locale) {
        return std::find(names.begin(), names.end(), locale) != names.end();
    };
    std::list<std::string> result = lookAndFeel->GetLocales();
    result.remove_if([&](const std::string& locale) { return !among(requested, locale); });
    std::stable_partition(result.begin(), result.end(),
                          [&](const std::string& locale) { return among(preferred, locale); });
    return result;
}

}  // namespace Quorvel::App
