#include <Quorvel/App/Application/LocaleLabels.h>
#include <Quorvel/App/Application/LookAndFeelHandler.h>
#include <Quorvel/App/Application/LookAndFeelManager.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include "LookAndFeelTestData.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>

#include <algorithm>
#include <map>
#include <stdexcept>

using Quorvel::App::ILookAndFeelManager;
using Quorvel::App::ILookAndFeelObserver;
using Quorvel::App::LookAndFeelHandler;
using Quorvel::App::LookAndFeelManager;
using Strings = std::list<std::string>;

namespace {

// Titles that differ per locale, and a record of what the handler asked for.
class FakeManager : public ILookAndFeelManager {
public:
    void Initialize(const std::string& locale, const std::string& theme) override {
        SetLocale(locale);
        SetTheme(theme);
    }
    const std::string& GetCurrentLocale() const override { return locale; }
    const std::list<std::string>& GetLocales() const override { return locales; }
    const std::list<std::string>& GetThemes() const override { return themes; }
    void SetLocale(const std::string& value) override {
        calls.push_back("SetLocale:" + value);
        locale = value;
        for (ILookAndFeelObserver* observer : observers) {
            observer->OnLocaleChanged(value);
        }
    }
    void SetTheme(const std::string& value) override {
        calls.push_back("SetTheme:" + value);
        theme = value;
        for (ILookAndFeelObserver* observer : observers) {
            observer->OnThemeChanged(value);
        }
    }
    const std::string& GetCurrentTheme() const override { return theme; }
    std::string GetLocalizedThemeName(const std::string& name) const override {
        return locale + "/" + name;
    }
    void ApplyTheme(const ThemeDescription&) override {}
    std::string GetUnitedStylesheet() override { return {}; }
    std::string GetDefaultLocale() const override { return "unknown"; }
    void RegisterObserver(ILookAndFeelObserver* observer) override {
        observers.push_back(observer);
    }
    void UnregisterObserver(ILookAndFeelObserver* observer) override {
        observers.erase(std::remove(observers.begin(), observers.end(), observer), observers.end());
    }

    std::string locale;
    std::string theme;
    std::list<std::string> locales{"de_DE", "en_US"};
    std::list<std::string> themes{"light", "dark"};
    std::vector<ILookAndFeelObserver*> observers;
    std::vector<std::string> calls;
};

QStringList Texts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions()) {
        texts << (action->isSeparator() ? QStringLiteral("---") : action->text());
    }
    return texts;
}

QString Checked(const QMenu& menu) {
    QString checked;
    for (const QAction* action : menu.actions()) {
        if (action->isChecked()) {
            checked += action->data().toString();
        }
    }
    return checked;
}

QAction* Entry(const QMenu& menu, const QString& name) {
    for (QAction* action : menu.actions()) {
        if (action->data().toString() == name) {
            return action;
        }
    }
    return nullptr;
}

}  // namespace

class LookAndFeelHandlerTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void registersWithManager();
    void menusWaitForCurrentValues();
    void localeLabels_data();
    void localeLabels();
    void pickingLocale();
    void pickingTheme();
    void checkMarksFollowManager();
    void setThemeMenuReplacesAndClears();
    void settingOneMenuRebuildsTheOther();
    void signalsQueued();
    void withRealManager();

private:
    std::shared_ptr<FakeManager> m_manager;
};

void LookAndFeelHandlerTest::init() { m_manager = std::make_shared<FakeManager>(); }

void LookAndFeelHandlerTest::registersWithManager() {
    QVERIFY_EXCEPTION_THROWN(LookAndFeelHandler(nullptr, nullptr, nullptr), std::logic_error);
    {
        LookAndFeelHandler handler(m_manager, nullptr, nullptr);
        QCOMPARE(m_manager->observers,
                 std::vector<ILookAndFeelObserver*>{static_cast<ILookAndFeelObserver*>(&handler)});
    }
    QVERIFY(m_manager->observers.empty());
}

void LookAndFeelHandlerTest::menusWaitForCurrentValues() {
    QMenu locales;
    QMenu themes;
    LookAndFeelHandler handler(m_manager, nullptr, nullptr);
    handler.SetLocaleList({"de_DE", "en_US"});
    handler.SetThemeList({"light", "dark"});
    handler.SetLocaleMenu(&locales);
    handler.SetThemeMenu(&themes);
    QVERIFY(locales.actions().isEmpty());
    QVERIFY(themes.actions().isEmpty());

    // A list set while a menu is there fills it at once, unchecked.
    handler.SetLocaleList({"en_US", "de_DE"});
    QCOMPARE(Texts(locales), (QStringList{"English", "Deutsch", "---"}));
    QCOMPARE(Checked(locales), QString());
    handler.SetThemeList({"dark", "light"});
    QCOMPARE(Texts(themes), (QStringList{"/dark", "/light"}));
    QCOMPARE(Checked(themes), QString());
    QVERIFY(std::all_of(themes.actions().begin(), themes.actions().end(),
                        [](const QAction* action) { return action->isCheckable(); }));
    QVERIFY(m_manager->calls.empty());
}

void LookAndFeelHandlerTest::localeLabels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("label");

    QTest::newRow("en_US") << "en_US"
                           << "English";
    QTest::newRow("fr_FR") << "fr_FR"
                           << "Français";
    QTest::newRow("ja_JP") << "ja_JP"
                           << "日本語";
    QTest::newRow("pt_BR") << "pt_BR"
                           << "Português Brasileiro";
    QTest::newRow("zh_TW") << "zh_TW"
                           << "繁體中文";
    QTest::newRow("ko_KR") << "ko_KR"
                           << "한국어";
    QTest::newRow("nob") << "nob"
                         << "Norwegian Bokmål";
    QTest::newRow("und is blank") << "und"
                                  << "";
    QTest::newRow("not in the table") << "xx_YY"
                                      << "xx_YY";
    QTest::newRow("UTF-8 name not in the table") << "ñ_ES"
                                                 << "ñ_ES";
}

void LookAndFeelHandlerTest::localeLabels() {
    QFETCH(QString, name);
    QFETCH(QString, label);

    QCOMPARE(int(Quorvel::App::LocaleLabels().size()), 40);
    QMenu menu;
    LookAndFeelHandler handler(m_manager, &menu, nullptr);
    handler.SetLocaleList({name.toStdString()});
    QCOMPARE(Texts(menu), (QStringList{label, "---"}));
    QCOMPARE(menu.actions().first()->data().toString(), name);
}

void LookAndFeelHandlerTest::pickingLocale() {
    QMenu locales;
    QMenu themes;
    LookAndFeelHandler handler(m_manager, &locales, &themes);
    m_manager->Initialize("en_US", "dark");
    handler.SetLocaleList(m_manager->locales);
    handler.SetThemeList(m_manager->themes);
    handler.Refresh();
    QCOMPARE(Texts(themes), (QStringList{"en_US/light", "en_US/dark"}));
    QCOMPARE(Checked(locales), QStringLiteral("en_US"));
    QSignalSpy localeSpy(&handler, &LookAndFeelHandler::LocaleChanged);
    QSignalSpy themeSpy(&handler, &LookAndFeelHandler::ThemeChanged);
    m_manager->calls.clear();

    Entry(locales, "de_DE")->trigger();
    QCOMPARE(m_manager->calls, std::vector<std::string>{"SetLocale:de_DE"});
    QCOMPARE(localeSpy.count(), 1);
    QCOMPARE(localeSpy.at(0).at(0).value<std::string>(), std::string("de_DE"));
    QCOMPARE(themeSpy.count(), 0);
    QCOMPARE(Checked(locales), QStringLiteral("de_DE"));
    QCOMPARE(Texts(locales), (QStringList{"Deutsch", "English", "---"}));
    QCOMPARE(Texts(themes), (QStringList{"de_DE/light", "de_DE/dark"}));
    QCOMPARE(Checked(themes), QStringLiteral("dark"));
}

void LookAndFeelHandlerTest::pickingTheme() {
    QMenu themes;
    LookAndFeelHandler handler(m_manager, nullptr, &themes);
    m_manager->Initialize("en_US", "light");
    handler.SetThemeList(m_manager->themes);
    handler.Refresh();
    QSignalSpy themeSpy(&handler, &LookAndFeelHandler::ThemeChanged);
    QSignalSpy localeSpy(&handler, &LookAndFeelHandler::LocaleChanged);
    m_manager->calls.clear();

    Entry(themes, "dark")->trigger();
    QCOMPARE(m_manager->calls, std::vector<std::string>{"SetTheme:dark"});
    QCOMPARE(themeSpy.count(), 1);
    QCOMPARE(themeSpy.at(0).at(0).value<std::string>(), std::string("dark"));
    QCOMPARE(localeSpy.count(), 0);
    QCOMPARE(Checked(themes), QStringLiteral("dark"));
}

void LookAndFeelHandlerTest::checkMarksFollowManager() {
    QMenu locales;
    QMenu themes;
    LookAndFeelHandler handler(m_manager, &locales, &themes);
    m_manager->Initialize("en_US", "light");
    handler.SetLocaleList(m_manager->locales);
    handler.SetThemeList(m_manager->themes);
    handler.Refresh();
    QSignalSpy localeSpy(&handler, &LookAndFeelHandler::LocaleChanged);
    QSignalSpy themeSpy(&handler, &LookAndFeelHandler::ThemeChanged);
    m_manager->calls.clear();

    m_manager->SetTheme("dark");
    QCOMPARE(Checked(themes), QStringLiteral("dark"));
    handler.OnThemeChanged("unlisted");
    QCOMPARE(Checked(themes), QStringLiteral("dark"));
    QCOMPARE(Texts(themes), (QStringList{"en_US/light", "en_US/dark"}));

    handler.SelectLocale("de_DE");
    QCOMPARE(Checked(locales), QStringLiteral("de_DE"));
    handler.SelectTheme("light");
    QCOMPARE(Checked(themes), QStringLiteral("light"));
    // Labels change only when the user picks a language in the menu.
    QCOMPARE(Texts(themes), (QStringList{"en_US/light", "en_US/dark"}));
    QCOMPARE(localeSpy.count() + themeSpy.count(), 0);
    QCOMPARE(m_manager->calls, std::vector<std::string>{"SetTheme:dark"});
}

void LookAndFeelHandlerTest::setThemeMenuReplacesAndClears() {
    QMenu first;
    QMenu second;
    QAction foreign(QStringLiteral("foreign"));
    second.addAction(&foreign);
    second.addSeparator();

    LookAndFeelHandler handler(m_manager, nullptr, &first);
    handler.SetThemeList({"light", "dark"});
    QCOMPARE(first.actions().size(), 2);

    // No theme is current yet: the new menu is not filled, the old one is emptied.
    handler.SetThemeMenu(&second);
    QVERIFY(first.actions().isEmpty());
    QCOMPARE(Texts(second), (QStringList{"foreign", "---"}));

    handler.SelectTheme("dark");
    handler.SetThemeList({"light", "dark"});
    QCOMPARE(Texts(second), (QStringList{"/light", "/dark"}));
    QCOMPARE(Checked(second), QString());  // a new list is not re-checked
    handler.Refresh();
    QCOMPARE(Checked(second), QStringLiteral("dark"));

    handler.SetThemeMenu(nullptr);
    QVERIFY(second.actions().isEmpty());
}

void LookAndFeelHandlerTest::settingOneMenuRebuildsTheOther() {
    QMenu locales;
    QMenu themes;
    LookAndFeelHandler handler(m_manager, &locales, &themes);
    m_manager->Initialize("en_US", "light");
    handler.SetLocaleList({"en_US"});
    handler.SetThemeList({"light"});
    QAction foreign(QStringLiteral("foreign"));
    themes.addAction(&foreign);

    QMenu otherLocales;
    handler.SetLocaleMenu(&otherLocales);
    QVERIFY(locales.actions().isEmpty());
    QCOMPARE(Texts(otherLocales), (QStringList{"English", "---"}));
    QCOMPARE(Checked(otherLocales), QStringLiteral("en_US"));
    QCOMPARE(Texts(themes), QStringList{"en_US/light"});
    QCOMPARE(Checked(themes), QStringLiteral("light"));
}

void LookAndFeelHandlerTest::signalsQueued() {
    QMenu locales;
    LookAndFeelHandler handler(m_manager, &locales, nullptr);
    m_manager->SetLocale("en_US");
    handler.SetLocaleList({"en_US", "de_DE"});
    std::vector<std::string> received;
    connect(
        &handler, &LookAndFeelHandler::LocaleChanged, this,
        [&received](const std::string& locale) { received.push_back(locale); },
        Qt::QueuedConnection);
    Entry(locales, "de_DE")->trigger();
    QVERIFY(received.empty());
    QCoreApplication::processEvents();
    QCOMPARE(received, std::vector<std::string>{"de_DE"});
}

void LookAndFeelHandlerTest::withRealManager() {
    LookAndFeelTestData::DataDir data;
    QVERIFY(data.AddTheme("light", R"({"en_US": "Light", "de_DE": "Hell"})"));
    QVERIFY(data.AddTheme("dark", R"({"en_US": "Dark", "de_DE": "Dunkel"})"));
    QVERIFY(data.AddDir("resources/locales/en_US"));
    QVERIFY(data.AddDir("resources/locales/de_DE"));
    auto manager =
        std::make_shared<LookAndFeelManager>(data.Root().toStdString(), "title.json", Strings{});
    QMenu locales;
    QMenu themes;
    LookAndFeelHandler handler(manager, &locales, &themes);
    manager->Initialize("en_US", "light");
    handler.SetLocaleList(manager->GetLocales());
    handler.SetThemeList(manager->GetThemes());
    handler.Refresh();
    QCOMPARE(Texts(locales), (QStringList{"Deutsch", "English", "---"}));
    QCOMPARE(Texts(themes), (QStringList{"Dark", "Light"}));
    QCOMPARE(Checked(themes), QStringLiteral("light"));

    Entry(locales, "de_DE")->trigger();
    QCOMPARE(manager->GetCurrentLocale(), std::string("de_DE"));
    QCOMPARE(Texts(themes), (QStringList{"Dunkel", "Hell"}));

    QSignalSpy themeSpy(&handler, &LookAndFeelHandler::ThemeChanged);
    Entry(themes, "dark")->trigger();
    QCOMPARE(manager->GetCurrentTheme(), std::string("dark"));
    QCOMPARE(Checked(themes), QStringLiteral("dark"));
    QCOMPARE(themeSpy.count(), 1);

    manager->SetLocale("en_US");  // from elsewhere: check mark moves, labels stay
    QCOMPARE(Checked(locales), QStringLiteral("en_US"));
    QCOMPARE(Texts(themes), (QStringList{"Dunkel", "Hell"}));
    manager->SetTheme("");
}

QUORVEL_TEST_MAIN(LookAndFeelHandlerTest)
#include "tst_LookAndFeelHandler.moc"
