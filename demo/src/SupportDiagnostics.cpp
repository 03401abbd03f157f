#include "SupportDiagnostics.h"

#include <Quorvel/App/Application/Testing/UrlTest.h>

#include <QCoreApplication>
#include <QDir>

#include <iostream>

SupportDiagnostics::SupportDiagnostics(
    const std::shared_ptr<Quorvel::App::ILifetimeManager>& lifetime)
    : m_testing(lifetime) {
    lifetime->addOnStartCallback([this] { Report(); });
}

void SupportDiagnostics::Initialize(
    const std::shared_ptr<Quorvel::App::ICustomizationManager>& customization,
    const std::shared_ptr<Quorvel::App::ILookAndFeelManager>& lookAndFeel,
    const std::shared_ptr<Quorvel::App::ILinksManager>& links) {
    m_customization = customization;
    m_testing.initialize(customization, lookAndFeel, links);
}

void SupportDiagnostics::Report() {
    QCommandLineParser parser;
    parser.addOptions(m_testing.getCommandLineArguments());
    parser.parse(QCoreApplication::arguments());
    if (m_customization && (parser.isSet("test-dump-urls") || parser.isSet("test-open-urls"))) {
        const auto dump = Quorvel::App::UrlTest::GetDumpPath(*m_customization);
        // A dump that could not be written was reported in a message box.
        if (dump.exists()) {
            std::cout
                << "Links of every tested language: "
                << QDir::toNativeSeparators(QString::fromStdString(dump.utf8string())).toStdString()
                << std::endl;
        }
    }
    if (parser.isSet("test-log-urls")) {
        std::cout << "Links the demo opens are written to "
                  << QDir::toNativeSeparators(parser.value("test-log-urls")).toStdString()
                  << " instead of being opened" << std::endl;
    }
}
