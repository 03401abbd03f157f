#include <Quorvel/App/Application/LocaleLabels.h>

#include <Quorvel/Util/TextConversion.h>

namespace Quorvel::App {

const std::map<std::string, std::string>& LocaleLabels() {
    static const std::map<std::string, std::string> labels = {
        {"en_US", "English"},        {"ru_RU", "Русский"},
        {"de_DE", "Deutsch"},        {"fr_FR", "Français"},
        {"es_ES", "Español"},        {"it_IT", "Italiano"},
        {"ja_JP", "日本語"},         {"nl_NL", "Nederlands"},
        {"pl_PL", "Polski"},         {"pt_BR", "Português Brasileiro"},
        {"tr_TR", "Türkçe"},         {"zh_CN", "简体中文"},
        {"ko_KR", "한국어"},         {"zh_TW", "繁體中文"},
        {"ara", "Arabic"},           {"bel", "Belarusian"},
        {"cat", "Catalan"},          {"chi", "Chinese"},
        {"dan", "Danish"},           {"dut", "Dutch"},
        {"eng", "English"},          {"fin", "Finnish"},
        {"fre", "French"},           {"ger", "German"},
        {"heb", "Hebrew"},           {"hin", "Hindi"},
        {"hun", "Hungarian"},        {"ita", "Italian"},
        {"jpn", "Japanese"},         {"nno", "Norwegian Nynorsk"},
        {"nob", "Norwegian Bokmål"}, {"pol", "Polish"},
        {"por", "Portuguese"},       {"rus", "Russian"},
        {"slv", "Slovenian"},        {"spa", "Spanish"},
        {"swe", "Swedish"},          {"tur", "Turkish"},
        {"ukr", "Ukrainian"},        {"und", ""},
    };
    return labels;
}

QString LocaleLabel(const std::string& locale) {
    const auto& labels = LocaleLabels();
    const auto label = labels.find(locale);
    return label != labels.end() ? QString::fromStdString(label->second)
                                 : Util::Utf8ToQString(locale);
}

}  // namespace Quorvel::App
