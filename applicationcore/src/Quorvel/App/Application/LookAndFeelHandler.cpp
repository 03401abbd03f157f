#include <Quorvel/App/Application/LookAndFeelHandler.h>

#include <Quorvel/App/Application/LocaleLabels.h>
#include <Quorvel/NotNull.h>
#include <Quorvel/Util/TextConversion.h>

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

#include <functional>
#include <map>

namespace Quorvel::App {

namespace {

using ActionMap = std::map<std::string, QAction*>;
using LabelFunction = std::function<QString(const std::string&)>;

std::string NameOf(const QAction* action) { return Util::QStringToUtf8(action->data().toString()); }

// Rebuilds the menu from scratch: whatever it held before, ours or not, goes.
void FillMenu(QMenu* menu, const std::list<std::string>& names, QActionGroup* group,
              ActionMap& actions, const LabelFunction& label) {
    if (!menu || !group) {
        return;
    }
    actions.clear();
    for (QAction* action : menu->actions()) {
        menu->removeAction(action);
    }
    for (QAction* action : group->actions()) {
        group->removeAction(action);
        action->deleteLater();
    }
    for (const std::string& name : names) {
        auto* action = new QAction(group);
        action->setText(label(name));
        action->setData(Util::Utf8ToQString(name));
        action->setCheckable(true);
        group->addAction(action);
        menu->addAction(action);
        actions[name] = action;
    }
}

// Checking by hand does not emit triggered(), so the service is not called back.
void CheckEntry(const std::string& name, const ActionMap& actions) {
    if (actions.empty()) {
        return;
    }
    const auto entry = actions.find(name);
    if (entry != actions.end() && !entry->second->isChecked()) {
        entry->second->setChecked(true);
    }
}

QString FollowSystemText() {
    return QCoreApplication::translate("LookAndFeelHandler", "Follow the system");
}

}  // namespace

struct LookAndFeelHandler::Impl {
    explicit Impl(Quorvel::NotNull<std::shared_ptr<ILookAndFeelManager>> service)
        : manager(std::move(service)) {}

    Quorvel::NotNull<std::shared_ptr<ILookAndFeelManager>> manager;
    QMenu* localeMenu = nullptr;
    QActionGroup* localeGroup = nullptr;
    std::list<std::string> locales;
    ActionMap localeActions;
    std::string currentLocale;
    QMenu* themeMenu = nullptr;
    QActionGroup* themeGroup = nullptr;
    std::list<std::string> themes;
    ActionMap themeActions;
    std::string currentTheme;
    QAction* followSystem = nullptr;  // child of the handler, only once the product asks

    QString ThemeLabel(const std::string& theme) const {
        return Util::Utf8ToQString(manager->GetLocalizedThemeName(theme));
    }

    void FillLocaleMenu() {
        FillMenu(localeMenu, locales, localeGroup, localeActions,
                 [](const std::string& locale) { return LocaleLabel(locale); });
        localeMenu->addSeparator();
    }

    void FillThemeMenu() {
        FillMenu(themeMenu, themes, themeGroup, themeActions,
                 [this](const std::string& theme) { return ThemeLabel(theme); });
        if (themeMenu && followSystem) {
            themeMenu->addSeparator();
            themeMenu->addAction(followSystem);
        }
    }
};

LookAndFeelHandler::LookAndFeelHandler(std::shared_ptr<ILookAndFeelManager> manager,
                                       QMenu* localeMenu, QMenu* themeMenu, QObject* parent)
    : QObject(parent), m_impl(std::make_unique<Impl>(std::move(manager))) {
    qRegisterMetaType<std::string>("std::string");
    m_impl->localeMenu = localeMenu;
    m_impl->themeMenu = themeMenu;
    m_impl->manager->RegisterObserver(this);

    m_impl->localeGroup = new QActionGroup(this);
    m_impl->themeGroup = new QActionGroup(this);
    connect(m_impl->localeGroup, &QActionGroup::triggered, this,
            &LookAndFeelHandler::OnInnerLocaleChanged);
    // After the switch, so that theme titles are read in the new language.
    connect(m_impl->localeGroup, &QActionGroup::triggered, this, &LookAndFeelHandler::Retranslate);
    connect(m_impl->themeGroup, &QActionGroup::triggered, this,
            &LookAndFeelHandler::OnInnerThemeChanged);
}

LookAndFeelHandler::~LookAndFeelHandler() { m_impl->manager->UnregisterObserver(this); }

void LookAndFeelHandler::SetLocaleMenu(QMenu* menu) {
    if (m_impl->localeMenu) {
        m_impl->localeMenu->clear();
    }
    m_impl->localeMenu = menu;
    Refresh();
}

void LookAndFeelHandler::SetThemeMenu(QMenu* menu) {
    if (m_impl->themeMenu) {
        m_impl->themeMenu->clear();
    }
    m_impl->themeMenu = menu;
    Refresh();
}

void LookAndFeelHandler::SetLocaleList(const std::list<std::string>& locales) {
    m_impl->locales = locales;
    if (m_impl->localeMenu) {
        m_impl->FillLocaleMenu();
    }
}

void LookAndFeelHandler::SetThemeList(const std::list<std::string>& themes) {
    m_impl->themes = themes;
    if (m_impl->themeMenu) {
        m_impl->FillThemeMenu();
    }
}

void LookAndFeelHandler::Refresh() {
    if (m_impl->localeMenu && !m_impl->currentLocale.empty()) {
        m_impl->FillLocaleMenu();
        CheckEntry(m_impl->currentLocale, m_impl->localeActions);
    }
    if (m_impl->themeMenu && !m_impl->currentTheme.empty()) {
        m_impl->FillThemeMenu();
        CheckEntry(m_impl->currentTheme, m_impl->themeActions);
    }
}

void LookAndFeelHandler::AddFollowSystemEntry() {
    if (m_impl->followSystem) {
        return;
    }
    m_impl->followSystem = new QAction(FollowSystemText(), this);
    m_impl->followSystem->setCheckable(true);
    connect(m_impl->followSystem, &QAction::triggered, this,
            &LookAndFeelHandler::FollowSystemToggled);
    Refresh();
}

void LookAndFeelHandler::SetFollowSystemChecked(bool checked) {
    if (m_impl->followSystem) {
        m_impl->followSystem->setChecked(checked);
    }
}

void LookAndFeelHandler::SelectLocale(const std::string& locale) {
    m_impl->currentLocale = locale;
    if (m_impl->localeMenu) {
        CheckEntry(locale, m_impl->localeActions);
    }
}

void LookAndFeelHandler::SelectTheme(const std::string& theme) {
    m_impl->currentTheme = theme;
    if (m_impl->themeMenu) {
        CheckEntry(theme, m_impl->themeActions);
    }
}

void LookAndFeelHandler::OnLocaleChanged(const std::string& locale) { SelectLocale(locale); }

void LookAndFeelHandler::OnThemeChanged(const std::string& theme) { SelectTheme(theme); }

void LookAndFeelHandler::OnInnerLocaleChanged(QAction* action) {
    const std::string name = NameOf(action);
    // The service tells us back through OnLocaleChanged; the user's pick is kept either way.
    m_impl->manager->SetLocale(name);
    SelectLocale(name);
    emit LocaleChanged(name);
}

void LookAndFeelHandler::OnInnerThemeChanged(QAction* action) {
    const std::string name = NameOf(action);
    // A theme picked by hand ends following the desktop, before the switch, so that nothing
    // switches back.
    if (m_impl->followSystem && m_impl->followSystem->isChecked()) {
        m_impl->followSystem->setChecked(false);
        emit FollowSystemToggled(false);
    }
    m_impl->manager->SetTheme(name);
    SelectTheme(name);
    emit ThemeChanged(name);
}

void LookAndFeelHandler::Retranslate() {
    for (const auto& entry : m_impl->localeActions) {
        entry.second->setText(LocaleLabel(NameOf(entry.second)));
    }
    for (const auto& entry : m_impl->themeActions) {
        entry.second->setText(m_impl->ThemeLabel(NameOf(entry.second)));
    }
    if (m_impl->followSystem) {
        m_impl->followSystem->setText(FollowSystemText());
    }
}

}  // namespace Quorvel::App
