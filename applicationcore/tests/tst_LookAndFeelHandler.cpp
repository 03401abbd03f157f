#include <Quorvel/App/Application/LookAndFeelHandler.h>
#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include "LookAndFeelTestData.h"

#include <QAction>
#include <QMenu>

using Quorvel::App::LookAndFeelHandler;
using Quorvel::App::LookAndFeelManager;

namespace {

// The real manager, recording what the handler asks of it.
struct RecordingManager : LookAndFeelManager {
    using LookAndFeelManager::LookAndFeelManager;
    void SetLocale(const std::string& locale) override {
        calls += "locale:" + locale + ' ';
        LookAndFeelManager::SetLocale(locale);
    }
    void SetTheme(const std::string& theme) override {
        calls += "theme:" + theme + ' ';
        LookAndFeelManager::SetTheme(theme);
    }
    void RegisterObserver(Quorvel::App::ILookAndFeelObserver* observer) override {
        ++observers;
        LookAndFeelManager::RegisterObserver(observer);
    }
    void UnregisterObserver(Quorvel::App::ILookAndFeelObserver* observer) override {
        --observers;
        LookAndFeelManager::UnregisterObserver(observer);
    }
    std::string calls;
    int observers = 0;
};

// The entries' texts, "*" after a checked one, "---" for a separator.
QString Shown(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        texts << (action->isSeparator() ? "---"
                                        : action->text() + (action->isChecked() ? "*" : ""));
    }
    return texts.join(' ');
}

QAction* Entry(const QMenu& menu, const QString& name) {
    const QList<QAction*> actions = menu.actions();
    const auto it = std::find_if(actions.begin(), actions.end(), [&name](QAction* action) {
        return action->data().toString() == name;
    });
    return it == actions.end() ? nullptr : *it;
}

}  // namespace

class LookAndFeelHandlerTest : public QObject {
    Q_OBJECT

    LookAndFeelTestData::DataDir m_data;
    std::shared_ptr<RecordingManager> m_manager;
    QMenu m_locales, m_themes;
    std::unique_ptr<LookAndFeelHandler> m_handler;

    QString Menus() const { return Shown(m_locales) + " | " + Shown(m_themes); }

private slots:
    void initTestCase() {
        QVERIFY(m_data.AddTheme("light", R"({"en_US": "Light", "de_DE": "Hell"})"));
        QVERIFY(m_data.AddTheme("dark", R"({"en_US": "Dark", "de_DE": "Dunkel"})"));
        QVERIFY(m_data.AddLocales({"en_US", "de_DE"}));
    }
    // Both menus showing the manager's lists, with its current values checked.
    void init() {
        m_manager = std::make_shared<RecordingManager>(m_data.Root().toStdString(), "title.json",
                                                       Strings{});
        m_handler = std::make_unique<LookAndFeelHandler>(m_manager, &m_locales, &m_themes);
        m_manager->Initialize("en_US", "light");
        m_handler->SetLocaleList(m_manager->GetLocales());
        m_handler->SetThemeList(m_manager->GetThemes());
        m_handler->Refresh();
        m_manager->calls.clear();
    }
    void cleanup() { m_handler.reset(); }

    // A list set while a menu is there fills it at once, unchecked until a value is known;
    // locales are shown in their own language.
    void listsWithoutCurrentValues() {
        QMenu locales, themes;
        LookAndFeelHandler handler(m_manager, &locales, &themes);
        handler.SetLocaleList({"ja_JP", "und", "ñ_ES", "de_DE"});
        handler.SetThemeList({"dark", "light"});
        QCOMPARE(Shown(locales) + " | " + Shown(themes),
                 QString("日本語  ñ_ES Deutsch --- | Dark Light"));
        QCOMPARE(Entry(locales, "und")->text(), QString());
        QVERIFY(m_manager->calls.empty());
    }

    // Picking calls the manager and signals (also across queued connections); theme entries
    // are relabelled in the new language.
    void picking() {
        QSignalSpy localeSpy(m_handler.get(), &LookAndFeelHandler::LocaleChanged);
        QSignalSpy themeSpy(m_handler.get(), &LookAndFeelHandler::ThemeChanged);
        std::string queued;
        connect(
            m_handler.get(), &LookAndFeelHandler::LocaleChanged, this,
            [&queued](const std::string& locale) { queued = locale; }, Qt::QueuedConnection);
        QCOMPARE(Menus(), QString("Deutsch English* --- | Dark Light*"));
        Entry(m_locales, "de_DE")->trigger();
        QCOMPARE(Menus(), QString("Deutsch* English --- | Dunkel Hell*"));
        Entry(m_themes, "dark")->trigger();
        QCOMPARE(Menus(), QString("Deutsch* English --- | Dunkel* Hell"));
        QCOMPARE(m_manager->calls, std::string("locale:de_DE theme:dark "));
        QCOMPARE(localeSpy.count() + themeSpy.count(), 2);
        QCOMPARE(themeSpy.at(0).at(0).value<std::string>(), std::string("dark"));
        QCoreApplication::processEvents();
        QCOMPARE(queued, std::string("de_DE"));
    }

    // The opt-in entry follows the themes through every rebuild; toggling it signals, and a
    // theme picked by hand turns it off before the switch.
    void followSystemEntry() {
        QSignalSpy spy(m_handler.get(), &LookAndFeelHandler::FollowSystemToggled);
        m_handler->AddFollowSystemEntry();
        m_handler->SetThemeList(m_manager->GetThemes());
        QAction* follow = m_themes.actions().last();
        QCOMPARE(Shown(m_themes), QString("Dark Light --- Follow the system"));
        follow->trigger();
        m_handler->SetFollowSystemChecked(true);
        Entry(m_themes, "dark")->trigger();
        Entry(m_themes, "light")->trigger();
        QCOMPARE(Shown(m_themes), QString("Dark Light* --- Follow the system"));
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toBool(), true);
        QCOMPARE(spy.at(1).at(0).toBool(), false);
        QCOMPARE(m_manager->calls, std::string("theme:dark theme:light "));
    }

    // Changes made elsewhere only move check marks: no call back, no signal, no relabelling.
    void checkMarksFollowManager() {
        QSignalSpy localeSpy(m_handler.get(), &LookAndFeelHandler::LocaleChanged);
        m_manager->SetTheme("dark");
        m_handler->OnThemeChanged("unlisted");
        m_manager->SetLocale("de_DE");
        QCOMPARE(Menus(), QString("Deutsch* English --- | Dark* Light"));
        m_handler->SelectLocale("en_US");
        m_handler->SelectTheme("light");
        QCOMPARE(Menus(), QString("Deutsch English* --- | Dark Light*"));
        QCOMPARE(localeSpy.count(), 0);
        QCOMPARE(m_manager->calls, std::string("theme:dark locale:de_DE "));
    }

    // Setting either menu clears the old one (the product's own entries too) and rebuilds it;
    // a new list is not re-checked.
    void replacingMenus() {
        QAction foreign("foreign");
        m_themes.addAction(&foreign);
        QMenu themes;
        m_handler->SetThemeMenu(&themes);
        QVERIFY(m_themes.actions().isEmpty());
        QCOMPARE(Shown(themes), QString("Dark Light*"));
        m_handler->SetThemeList({"dark", "light"});
        QCOMPARE(Shown(themes), QString("Dark Light"));
        m_handler->SetThemeMenu(nullptr);
        QVERIFY(themes.actions().isEmpty());
        // The handler observes the manager while it lives.
        QCOMPARE(m_manager->observers, 1);
        m_handler.reset();
        QCOMPARE(m_manager->observers, 0);
        QVERIFY_EXCEPTION_THROWN(LookAndFeelHandler(nullptr, nullptr, nullptr), std::logic_error);
    }
};

QUORVEL_TEST_MAIN(LookAndFeelHandlerTest)
#include "tst_LookAndFeelHandler.moc"
