#include <Quorvel/App/Application/Dialogs/ColorDialogHelper.h>

#include <Quorvel/Reading/LogText.h>
#include <Quorvel/Util/TextConversion.h>

#include <QColor>
#include <QColorDialog>

#include <glog/logging.h>

#include <algorithm>

namespace Quorvel::App {

namespace {

const std::string kGroup = "Quorvel::App::ColorDialogHelper";

std::string Key(const std::string& name) { return kGroup + "/" + name; }

std::string ColorKey(int index) { return Key("Color" + std::to_string(index)); }

}  // namespace

ColorDialogHelper::ColorDialogHelper(const std::shared_ptr<IApplicationSettingsManager>& settings)
    : m_settings(settings) {
    // The dialog ignores an index beyond its own number of custom colours, so none is read: a
    // stored count of two billion would otherwise keep the start busy for half an hour.
    const int count =
        std::min(m_settings->GetInt(Key("ColorsCount"), 0), QColorDialog::customCount());
    const std::string transparent = Util::QStringToUtf8(QColor(Qt::transparent).name());
    for (int index = 0; index < count; ++index) {
        const std::string text = m_settings->GetString(ColorKey(index), transparent);
        const QColor color(Util::Utf8ToQString(text));
        if (!color.isValid()) {
            LOG(WARNING) << ColorKey(index) << ": \"" << Reading::LogText(text)
                         << "\" is not a colour; the dialog shows it as black";
        }
        QColorDialog::setCustomColor(index, color);
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
