// The request headers' cost, measured beside a baseline in the same run:
//
//   - HttpRequestUpdater::updateQtRequest on a new request against building the same
//     QNetworkRequest and setting its four headers by hand from values known beforehand, which
//     is what a product that cached the headers would pay;
//   - for where the difference goes, the two costs the updater adds at every call against the
//     same baseline: the SHA-1 of the hardware text and the read of "WEBUID" from the user
//     settings (an INI file through QSettings, as the product keeps them on Linux).
//
// Prints "ratio <name>: X.XX" from the real time per iteration of each pair (the median of
// the repetitions, if any).
//
// Counting mode (--count=update|hand|sha1|webuid --events=N) repeats one case N times in
// QuorvelHeadersBench::Repeat, for run_benchmarks.sh to count its instructions under
// callgrind.

#include <Quorvel/App/Application/Extensions/HttpRequestUpdater.h>
#include <Quorvel/App/CustomizationManager.h>
#include <Quorvel/App/HardwareInfo.h>
#include <Quorvel/App/UserSettingsManager.h>
#include <Quorvel/Util/SHA1.h>

#include <QCoreApplication>
#include <QNetworkRequest>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "RatioReport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace QuorvelHeadersBench {

const QUrl kUrl("https://quorvel.example/api/updates?app=QuorvelDemo&v=1.0.0.42");

// The services a product gives the updater: its customization, a user settings file with a
// web-user identifier, and the machine's real hardware text.
struct Services {
    Services() { user->SetString("WEBUID", "3f2c9a1e-55b1-4c7e-9d0a-1b2c3d4e5f60"); }
    QTemporaryDir dir;
    std::shared_ptr<Quorvel::App::ICustomizationManager> customization =
        Quorvel::App::CustomizationManager::FromJson(
            R"json({"organizationName": "Quorvel Labs", "applicationName": "QuorvelDemo",
                "productName": "Quorvel Demo", "productVersion": "1.0.0.42",
                "userAgent": {"product": "QuorvelDemo", "text": "QuorvelDemo/1.0.0.42 (Linux)"}})json",
            "bench");
    std::shared_ptr<Quorvel::App::UserSettingsManager> user =
        std::make_shared<Quorvel::App::UserSettingsManager>(dir.filePath("user.ini"));
    std::shared_ptr<Quorvel::App::HardwareInfo> hardware =
        std::make_shared<Quorvel::App::HardwareInfo>();
};

// One operation of each case, ready to repeat.
struct Cases {
    explicit Cases(const Services& services)
        : updater(services.customization, services.user, services.hardware),
          hardwareText(services.hardware->GetHardwareText()),
          user(services.user) {
        // The values as the updater computes them, once.
        const auto headers = updater.getRawHeaders();
        userAgent = QString::fromStdString(headers.at("User-Agent"));
        huid = QByteArray::fromStdString(headers.at("Quorvel-Huid"));
        os = QByteArray::fromStdString(headers.at("Quorvel-Os"));
        webuid = QByteArray::fromStdString(headers.at("Quorvel-Webuid"));
    }
    void Update() {
        QNetworkRequest request(kUrl);
        updater.updateQtRequest(request);
        benchmark::DoNotOptimize(request);
    }
    void ByHand() {
        QNetworkRequest request(kUrl);
        request.setHeader(QNetworkRequest::UserAgentHeader, userAgent);
        request.setRawHeader("Quorvel-Huid", huid);
        request.setRawHeader("Quorvel-Os", os);
        request.setRawHeader("Quorvel-Webuid", webuid);
        benchmark::DoNotOptimize(request);
    }
    void Sha1() {
        std::string digest = Quorvel::Util::SHA1(hardwareText);
        benchmark::DoNotOptimize(digest);
    }
    void ReadWebuid() {
        std::string value = user->GetString("WEBUID", "UNDEFINED");
        benchmark::DoNotOptimize(value);
    }

    Quorvel::App::HttpRequestUpdater updater;
    std::string hardwareText;
    std::shared_ptr<Quorvel::App::UserSettingsManager> user;
    QString userAgent;
    QByteArray huid, os, webuid;
};

using Operation = void (Cases::*)();

Cases* g_cases = nullptr;

template <Operation operation>
void Measure(benchmark::State& state) {
    for (auto _ : state) {
        (g_cases->*operation)();
    }
}

// Only this loop is collected under callgrind.
__attribute__((noinline)) void Repeat(Cases& cases, Operation operation, long events) {
    for (long i = 0; i < events; ++i) {
        (cases.*operation)();
    }
}

int CountMode(Cases& cases, const std::string& name, long events) {
    const std::map<std::string, Operation> operations{{"update", &Cases::Update},
                                                      {"hand", &Cases::ByHand},
                                                      {"sha1", &Cases::Sha1},
                                                      {"webuid", &Cases::ReadWebuid}};
    const auto found = operations.find(name);
    if (found == operations.end() || events <= 0) {
        std::fprintf(stderr, "--count=update|hand|sha1|webuid needs --events=N\n");
        return 2;
    }
    Repeat(cases, found->second, events);
    return 0;
}

const RatioPair kPairs[] = {
    {"updateQtRequest / four headers set by hand", "Headers/updateQtRequest",
     "Headers/baseline_by_hand", 0},
    {"  of which SHA-1 of the hardware text / by hand", "Headers/part_SHA1_of_hardware_text",
     "Headers/baseline_by_hand", 0},
    {"  of which reading WEBUID / by hand", "Headers/part_read_WEBUID", "Headers/baseline_by_hand",
     0},
};

}  // namespace QuorvelHeadersBench

int main(int argc, char** argv) {
    using namespace QuorvelHeadersBench;
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication app(argc, argv);
    Services services;
    Cases cases(services);
    g_cases = &cases;
    if (argc == 3 && std::strncmp(argv[1], "--count=", 8) == 0 &&
        std::strncmp(argv[2], "--events=", 9) == 0) {
        return CountMode(cases, argv[1] + 8, std::atol(argv[2] + 9));
    }
    std::printf("hardware text: %zu bytes\n", cases.hardwareText.size());
    return RunAndPrintRatios(argc, argv,
                             {{"Headers/updateQtRequest", &Measure<&Cases::Update>},
                              {"Headers/baseline_by_hand", &Measure<&Cases::ByHand>},
                              {"Headers/part_SHA1_of_hardware_text", &Measure<&Cases::Sha1>},
                              {"Headers/part_read_WEBUID", &Measure<&Cases::ReadWebuid>}},
                             kPairs, 1e6, "us");
}
