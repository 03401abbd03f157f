#pragma once

// Services whose answers the test sets, and which remember what they were asked.

#include <Quorvel/App/IHardwareInfo.h>
#include <Quorvel/App/ILaunchTypeProcessor.h>
#include <Quorvel/App/ILinksManager.h>
#include <Quorvel/ExternalStimulus/IGateway.h>

#include <QMap>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

namespace Quorvel::TestSupport {

// A links manager with addresses set by the test; remembers what it was asked to open.
class RecordingLinks : public Quorvel::App::ILinksManager {
public:
    QMap<Quorvel::URLKeys, QString> urls;
    QStringList opened;

    QString GetUrl(const QString&) override { return QString(); }
    QString GetUrl(Quorvel::URLKeys key) override { return urls.value(key); }
    QString GenerateUrl(const QString&, QMap<QString, QString>) override { return QString(); }
    void OpenUrl(const QString& url) override { opened << url; }
    void OpenUrl(Quorvel::URLKeys key) override { opened << urls.value(key); }
};

struct FixedLaunch : Quorvel::App::ILaunchTypeProcessor {
    explicit FixedLaunch(Quorvel::App::LaunchType type) : type(type) {}
    Quorvel::App::LaunchType GetLaunchType() const override { return type; }
    Quorvel::App::LaunchType type;
};

struct FixedHardware : Quorvel::App::IHardwareInfo {
    explicit FixedHardware(std::string text = {}) : text(std::move(text)) {}
    std::string GetHardwareText() const override { return text; }
    std::string text;
};

// Keeps every stimulus until flushed.
struct HoldingGateway : Quorvel::ExternalStimulus::IGateway {
    std::vector<Quorvel::ExternalStimulus::Stimulus> held;
    void Send(const Quorvel::ExternalStimulus::Stimulus& stimulus) override {
        held.push_back(stimulus);
    }
    void Flush() override {
        for (const auto& stimulus : std::exchange(held, {})) stimulus.action();
    }
    bool IsHolding() const override { return true; }
};

}  // namespace Quorvel::TestSupport
