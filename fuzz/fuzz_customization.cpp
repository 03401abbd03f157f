// customization.json: the product's names and texts. Whatever the reader accepts becomes
// window titles, settings folders and request headers, so it must be complete and bounded;
// whatever it refuses is refused with the file's name.

#include "FuzzSupport.h"

#include <Quorvel/App/CustomizationManager.h>
#include <Quorvel/Core/Version.h>

#include <QJsonDocument>
#include <QJsonObject>

namespace {

using Quorvel::App::CustomizationManager;

bool Bounded(const std::string& text) { return QString::fromStdString(text).size() <= 1024; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Quorvel::Fuzz::Prepare();
    const QByteArray json = Quorvel::Fuzz::Bytes(data, size);
    std::shared_ptr<CustomizationManager> customization;
    try {
        customization = CustomizationManager::FromJson(json, "customization.json");
    } catch (const Quorvel::App::CustomizationError& error) {
        FUZZ_CHECK(error.File() == "customization.json" && !error.Problem().empty());
        return 0;
    }

    // The locales the file names, a language alone and one it cannot have.
    QStringList locales = QJsonDocument::fromJson(json).object().value("locales").toObject().keys();
    locales += {"de", "xx_YY", ""};
    for (const QString& locale : locales) {
        customization->SwitchLocale(locale.toStdString());
        FUZZ_CHECK(customization->GetLocale() == locale.toStdString());
        for (const std::string& name :
             {customization->GetOrganizationName(), customization->GetApplicationName(),
              customization->GetProductName()}) {
            FUZZ_CHECK(!name.empty() && Bounded(name));
        }
        const Quorvel::App::UserAgentInfo agent = customization->GetUserAgentInfo();
        FUZZ_CHECK(Bounded(agent.product) && Bounded(agent.userAgent));
        FUZZ_CHECK(Bounded(customization->GetPartnerName()));
        FUZZ_CHECK(Bounded(customization->GetThankYouPageMode()));
    }
    const Quorvel::Core::Version version = customization->GetProductVersion();
    FUZZ_CHECK(Quorvel::Core::ParseVersion(Quorvel::Core::ToString(version)) == version);
    return 0;
}
