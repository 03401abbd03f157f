#include <Quorvel/Util/HardwareInfo.h>

#include "MachineFacts.h"

#include <QString>
#include <QSysInfo>

namespace Quorvel::Util {

namespace {

std::string DescribeMachine() {
    const Platform::MachineFacts facts = Platform::ReadMachineFacts();
    const QString unknown = QStringLiteral("unknown");
    const QString processor =
        facts.processor.empty() ? unknown : QString::fromStdString(facts.processor);
    const QString cores = facts.logicalCores ? QString::number(facts.logicalCores) : unknown;
    const QString memory =
        facts.memoryBytes
            ? QString::number(static_cast<double>(facts.memoryBytes) / (1024.0 * 1024 * 1024), 'f',
                              1) +
                  " GiB"
            : unknown;
    const QString os =
        QSysInfo::prettyProductName() + " (" + QSysInfo::currentCpuArchitecture() + ")";
    return QStringLiteral("CPU: %1; Cores: %2; RAM: %3; OS: %4")
        .arg(processor, cores, memory, os)
        .toStdString();
}

}  // namespace

std::string GetHardwareInfo() {
    // Read once: the machine does not change while the product runs, and the first call may
    // come from any thread.
    static const std::string text = DescribeMachine();
    return text;
}

}  // namespace Quorvel::Util
