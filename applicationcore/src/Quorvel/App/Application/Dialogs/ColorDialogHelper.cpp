#include <Quorvel/App/Application/Dialogs/ColorDialogHelper.h>

#include <Quorvel/Util/TextConversion.h>

#include <QColor>
#include <QColorDialog>

namespace Quorvel::App {

namespace {

const std::string kGroup = "Quorvel::App::ColorDialogHelper";

std::string Key(const std::string& name) { return kGroup + "/" + name; }

std::string ColorKey(int index) { return Key("Color" + std::to_string(index)); }

}  // namespace

ColorDialogHelper::ColorDialogHelper(const std::shared_ptr<IApplicationSettingsManager>& settings)
    : m_settings(settings) {
    const int count = m_settings->GetInt(Key("ColorsCount"), 0);
    const std::string transparent = Util::QStringToUtf8(QColor(Qt::transparent).name());
    for (int index = 0; index < count; ++index) {
        // The dialog ignores an index beyond its own number of custom colours.
        QColorDialog::setCustomColor(
            index,
            QColor(Util::Utf8ToQString(m_settings->GetString(ColorKey(index), transparent))));
    }
}

ColorDialogHelper::ColorDialogHelper(const ColorDialogHelper& other)
    : m_settings(other.m_settings) {}

ColorDialogHelper::~ColorDialogHelper() {
    // The whole group goes first, so that no entry of an earlier, longer list survives.
    m_settings->Remove(kGroup);
    const int count = QColorDialog::customCount();
    m_settings->SetInt(Key("ColorsCount"), count);
    for (int index = 0; index < count; ++index) {
        m_settings->SetString(ColorKey(index),
                              Util::QStringToUtf8(QColorDialog::customColor(index).name()));
    }
}

}  // namespace Quorvel::App
