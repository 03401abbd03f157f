#pragma once

#include <Quorvel/App/ILookAndFeelManager.h>
#include <Quorvel/App/ILookAndFeelObserver.h>
#include <Quorvel/ApplicationCoreExport.h>

#include <QMetaType>
#include <QObject>

#include <list>
#include <memory>
#include <string>

class QAction;
class QMenu;

/// The handler's signals carry std::string; queued connections and QSignalSpy need the type
/// known to the meta-type system.
Q_DECLARE_METATYPE(std::string)

namespace Quorvel::App {

/// Keeps a language menu and a theme menu of checkable entries in step with the look-and-feel
/// service: picking an entry switches through the service and is re-emitted as a signal;
/// changes made elsewhere move the check marks; a language change relabels the entries.
/// The menus are not owned; replace them with nullptr before they are destroyed.
class QUORVEL_APPLICATIONCORE_EXPORT LookAndFeelHandler : public QObject,
                                                          public ILookAndFeelObserver {
    Q_OBJECT
public:
    /// Throws std::logic_error when `manager` is empty. The menus stay empty until the lists
    /// and the current values are known.
    LookAndFeelHandler(std::shared_ptr<ILookAndFeelManager> manager, QMenu* localeMenu,
                       QMenu* themeMenu, QObject* parent = nullptr);
    ~LookAndFeelHandler() override;

    /// A menu set before is cleared; both menus are rebuilt where their current value is known.
    void SetLocaleMenu(QMenu* menu);
    /// As SetLocaleMenu, for the theme menu.
    void SetThemeMenu(QMenu* menu);
    /// The entries of the menu, in this order; rebuilds it.
    /// @{
    void SetLocaleList(const std::list<std::string>& locales);
    void SetThemeList(const std::list<std::string>& themes);
    /// @}
    /// Only move the check mark: the service is not called and no signal is emitted.
    void SelectLocale(const std::string& locale);
    /// As SelectLocale, for the theme menu.
    void SelectTheme(const std::string& theme);
    /// Reads the lists and current values from the service again and rebuilds both menus.
    void Refresh();
    /// Opt-in: a checkable "Follow the system" entry below the themes. Toggling it emits
    /// FollowSystemToggled; picking a theme by hand unchecks it and emits it with false.
    void AddFollowSystemEntry();

    /// Moves the check mark (and relabels the entries on a language change).
    /// @{
    void OnLocaleChanged(const std::string& locale) override;
    void OnThemeChanged(const std::string& theme) override;
    /// @}

signals:
    /// Emitted when the user picked an entry, after the service switched.
    /// @{
    void LocaleChanged(const std::string& locale);
    void ThemeChanged(const std::string& theme);
    /// @}
    /// The "Follow the system" entry was toggled, or turned off by a theme picked by hand.
    void FollowSystemToggled(bool follow);

private slots:
    void OnInnerLocaleChanged(QAction* action);
    void OnInnerThemeChanged(QAction* action);
    void Retranslate();

public slots:
    /// Only moves the check mark of the "Follow the system" entry; nothing is emitted.
    void SetFollowSystemChecked(bool checked);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::App
