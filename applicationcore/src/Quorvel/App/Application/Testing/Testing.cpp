#include <Quorvel/App/Application/Testing/Testing.h>

#include <Quorvel/App/Application/LifetimeObserver.h>
#include <Quorvel/App/Application/Testing/CrashTest.h>
#include <Quorvel/App/Application/Testing/SslTest.h>
#include <Quorvel/App/Application/Testing/UrlTest.h>
#include <Quorvel/Util/AlertBox.h>

#include <QCoreApplication>

#include <list>

namespace Quorvel::App {

namespace {

const QCommandLineOption kHelp("test-help", "Show help for test options");

// Lists the options of every registered test, one line each, in a message box.
class TestHelp : public virtual ITest {
public:
    explicit TestHelp(Testing* testing) : m_testing(testing) {}

    void initialize(const QCommandLineParser&) override {}

    void run(const QCommandLineParser& parser) override {
        if (!parser.isSet(kHelp)) {
            return;
        }
        QString text;
        for (const QCommandLineOption& option : m_testing->getCommandLineArguments()) {
            const QStringList names = option.names();
            text += "--" + (names.isEmpty() ? QString() : names.first()) + ' ' +
                    option.description() + '\n';
        }
        Util::AlertBox(Util::AlertBox::Information, QString(), text, QMessageBox::Ok, nullptr,
                       Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
            .Exec();
    }

    QList<QCommandLineOption> getCLO() const override { return {kHelp}; }

private:
    Testing* m_testing;
};

}  // namespace

struct Testing::Impl : public virtual LifetimeObserver {
    explicit Impl(const NotNull<std::shared_ptr<ILifetimeManager>>& manager)
        : lifetimeManager(manager) {
        lifetimeManager->RegisterEventHandler(this);
    }
    ~Impl() override { lifetimeManager->UnregisterEventHandler(this); }

    void onStart() override {
        QCommandLineParser parser;
        Parse(parser);
        // A test registered by a running test is not run.
        const auto registered = tests;
        for (const auto& test : registered) {
            test->run(parser);
        }
    }

    QList<QCommandLineOption> Options() const {
        QList<QCommandLineOption> options;
        for (const auto& test : tests) {
            options += test->getCLO();
        }
        return options;
    }

    // The product's own options, those of tests registered later and malformed input are
    // tolerated: whatever the parser recognised counts as set.
    void Parse(QCommandLineParser& parser) const {
        parser.addOptions(Options());
        parser.parse(QCoreApplication::arguments());
    }

    NotNull<std::shared_ptr<ILifetimeManager>> lifetimeManager;
    std::list<std::shared_ptr<ITest>> tests;
};

Testing::Testing(const std::shared_ptr<ILifetimeManager>& lifetimeManager)
    : m_impl(std::make_unique<Impl>(lifetimeManager)) {
    addTest(std::make_shared<TestHelp>(this));
    addTest(std::make_shared<SslTest>());
    addTest(std::make_shared<CrashTest>());
}

Testing::~Testing() = default;

void Testing::initialize(const std::shared_ptr<ICustomizationManager>& customization,
                         const std::shared_ptr<ILookAndFeelManager>& lookAndFeel,
                         const std::shared_ptr<ILinksManager>& links) {
    addTest(std::make_shared<UrlTest>(customization, lookAndFeel, links));
}

void Testing::addTest(const NotNull<std::shared_ptr<ITest>>& test) {
    m_impl->tests.push_back(test);
    QCommandLineParser parser;
    m_impl->Parse(parser);
    test->initialize(parser);
}

QList<QCommandLineOption> Testing::getCommandLineArguments() { return m_impl->Options(); }

QStringList Testing::getCommandLineArgumentsString() {
    QStringList names;
    for (const QCommandLineOption& option : m_impl->Options()) {
        names += option.names();
    }
    return names;
}

}  // namespace Quorvel::App
