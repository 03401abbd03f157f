#include <Quorvel/App/Application/LookAndFeelHandler.h>
#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include "LookAndFeelTestData.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>

#include <stdexcept>

using Quorvel::App::ILookAndFeelObserver;
using Quorvel::App::LookAndFeelHandler;
using Quorvel::App::LookAndFeelManager;
using Calls = std::vector<std::string>;

namespace {

// The real manager, recording what the handler asks of it.
struct RecordingManager : LookAndFeelManager {
    using LookAndFeelManager::LookAndFeelManager;
    void SetLocale(const std::string& locale) override {
        calls.push_back("SetLocale:" + locale);
        LookAndFeelManager::SetLocale(locale);
    }
    void SetTheme(const std::string& theme) override {
        calls.push_back("SetTheme:" + theme);
        LookAndFeelManager::SetTheme(theme);
    }
    void RegisterObserver(ILookAndFeelObserver* observer) override {
        ++observers;
        LookAndFeelManager::RegisterObserver(observer);
    }
    void UnregisterObserver(ILookAndFeelObserver* observer) override {
        --observers;
        LookAndFeelManager::UnregisterObserver(observer);
    }
    Calls calls;
    int observers = 0;
};

// The entries' texts, "*" after a checked one, "---" for a separator.
QString Shown(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        texts << (action->isSeparator() ? QStringLiteral("---")
                                        : action->text() + (action->isChecked() ? "*" : ""));
    }
    return texts.join(' ');
}

QAction* Entry(const QMenu& menu, const QString& name) {
    for (QAction* action : menu.actions()) {
        if (action->data().toString() == name) {
            return action;
        }
    }
    return nullptr;
}

// Both menus showing the manager's lists, with its current values checked.
struct Menus {
    Menus(const std::shared_ptr<RecordingManager>& manager, const std::string& locale,
          const std::string& theme)
        : handler(manager, &locales, &themes) {
        manager->Initialize(locale, theme);
        handler.SetLocaleList(manager->GetLocales());
        handler.SetThemeList(manager->GetThemes());
        handler.Refresh();
    }
    QMenu locales;
    QMenu themes;
    LookAndFeelHandler handler;
};

}  // namespace

class LookAndFeelHandlerTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void registersWithManager();
    void menusWaitForCurrentValues();
    void localeLabels_data();
    void localeLabels();
    void picking();
    void checkMarksFollowManager();
    void replacingMenus();

private:
    std::unique_ptr<LookAndFeelTestData::DataDir> m_data;
    std::shared_ptr<RecordingManager> m_manager;
};

void LookAndFeelHandlerTest::init() {
    m_data = std::make_unique<LookAndFeelTestData::DataDir>();
    QVERIFY(m_data->AddTheme("light", R"({"en_US": "Light", "de_DE": "Hell"})"));
    QVERIFY(m_data->AddTheme("dark", R"({"en_US": "Dark", "de_DE": "Dunkel"})"));
    QVERIFY(m_data->AddLocales({"en_US", "de_DE"}));
    m_manager =
        std::make_shared<RecordingManager>(m_data->Root().toStdString(), "title.json", Strings{});
}

void LookAndFeelHandlerTest::registersWithManager() {
    QVERIFY_EXCEPTION_THROWN(LookAndFeelHandler(nullptr, nullptr, nullptr), std::logic_error);
    {
        LookAndFeelHandler handler(m_manager, nullptr, nullptr);
        QCOMPARE(m_manager->observers, 1);
    }
    QCOMPARE(m_manager->observers, 0);
}

void LookAndFeelHandlerTest::menusWaitForCurrentValues() {
    QMenu locales;
    QMenu themes;
    LookAndFeelHandler handler(m_manager, nullptr, nullptr);
    handler.SetLocaleList({"de_DE", "en_US"});
    handler.SetThemeList({"light", "dark"});
    handler.SetLocaleMenu(&locales);
    handler.SetThemeMenu(&themes);
    QVERIFY(locales.actions().isEmpty() && themes.actions().isEmpty());

    // A list set while a menu is there fills it at once, unchecked; no locale yet, no title.
    handler.SetLocaleList({"en_US", "de_DE"});
    handler.SetThemeList({"dark", "light"});
    QCOMPARE(Shown(locales) + " | " + Shown(themes), QString("English Deutsch --- | dark light"));
    QVERIFY(m_manager->calls.empty());
}

void LookAndFeelHandlerTest::localeLabels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("label");
    QTest::newRow("ja_JP") << "ja_JP" << QString("日本語");
    QTest::newRow("und is blank") << "und" << QString();
    QTest::newRow("UTF-8 name not in the table") << "ñ_ES" << QString("ñ_ES");
}

void LookAndFeelHandlerTest::localeLabels() {
    QFETCH(QString, name);
    QFETCH(QString, label);
    QMenu menu;
    LookAndFeelHandler handler(m_manager, &menu, nullptr);
    handler.SetLocaleList({name.toStdString()});
    QCOMPARE(Shown(menu), label + " ---");
    QCOMPARE(menu.actions().first()->data().toString(), name);
}

void LookAndFeelHandlerTest::picking() {
    Menus menus(m_manager, "en_US", "dark");
    QCOMPARE(Shown(menus.locales) + " | " + Shown(menus.themes),
             QString("Deutsch English* --- | Dark* Light"));
    QSignalSpy localeSpy(&menus.handler, &LookAndFeelHandler::LocaleChanged);
    QSignalSpy themeSpy(&menus.handler, &LookAndFeelHandler::ThemeChanged);
    Calls queued;  // std::string must cross queued connections too
    connect(
        &menus.handler, &LookAndFeelHandler::LocaleChanged, this,
        [&queued](const std::string& locale) { queued.push_back(locale); }, Qt::QueuedConnection);
    m_manager->calls.clear();

    Entry(menus.locales, "de_DE")->trigger();
    QCOMPARE(m_manager->calls, Calls{"SetLocale:de_DE"});
    QCOMPARE(localeSpy.count(), 1);
    QCOMPARE(localeSpy.at(0).at(0).value<std::string>(), std::string("de_DE"));
    // Theme entries are relabelled in the new language; their check mark stays.
    QCOMPARE(Shown(menus.locales) + " | " + Shown(menus.themes),
             QString("Deutsch* English --- | Dunkel* Hell"));
    QVERIFY(queued.empty());
    QCoreApplication::processEvents();
    QCOMPARE(queued, Calls{"de_DE"});

    Entry(menus.themes, "light")->trigger();
    QCOMPARE(m_manager->calls, (Calls{"SetLocale:de_DE", "SetTheme:light"}));
    QCOMPARE(themeSpy.count(), 1);
    QCOMPARE(themeSpy.at(0).at(0).value<std::string>(), std::string("light"));
    QCOMPARE(localeSpy.count(), 1);
    QCOMPARE(Shown(menus.themes), QString("Dunkel Hell*"));
}

// Changes made elsewhere only move check marks: no call back, no signal, no relabelling.
void LookAndFeelHandlerTest::checkMarksFollowManager() {
    Menus menus(m_manager, "en_US", "light");
    QSignalSpy localeSpy(&menus.handler, &LookAndFeelHandler::LocaleChanged);
    QSignalSpy themeSpy(&menus.handler, &LookAndFeelHandler::ThemeChanged);
    m_manager->calls.clear();

    m_manager->SetTheme("dark");
    menus.handler.OnThemeChanged("unlisted");
    m_manager->SetLocale("de_DE");
    QCOMPARE(Shown(menus.locales) + " | " + Shown(menus.themes),
             QString("Deutsch* English --- | Dark* Light"));
    menus.handler.SelectLocale("en_US");
    menus.handler.SelectTheme("light");
    QCOMPARE(Shown(menus.locales) + " | " + Shown(menus.themes),
             QString("Deutsch English* --- | Dark Light*"));
    QCOMPARE(localeSpy.count() + themeSpy.count(), 0);
    QCOMPARE(m_manager->calls, (Calls{"SetTheme:dark", "SetLocale:de_DE"}));
}

// Setting either menu clears the old one and rebuilds both where the current value is known.
void LookAndFeelHandlerTest::replacingMenus() {
    Menus menus(m_manager, "en_US", "light");
    QAction foreign(QStringLiteral("foreign"));
    menus.themes.addAction(&foreign);  // the product's own entries go at the next fill

    QMenu locales;
    menus.handler.SetLocaleMenu(&locales);
    QVERIFY(menus.locales.actions().isEmpty());
    QCOMPARE(Shown(locales) + " | " + Shown(menus.themes),
             QString("Deutsch English* --- | Dark Light*"));

    QMenu themes;
    menus.handler.SetThemeMenu(&themes);
    QVERIFY(menus.themes.actions().isEmpty());
    QCOMPARE(Shown(themes), QString("Dark Light*"));
    menus.handler.SetThemeList({"dark", "light"});
    QCOMPARE(Shown(themes), QString("Dark Light"));  // a new list is not re-checked
    menus.handler.SetThemeMenu(nullptr);
    QVERIFY(themes.actions().isEmpty());
}

QUORVEL_TEST_MAIN(LookAndFeelHandlerTest)
#include "tst_LookAndFeelHandler.moc"
