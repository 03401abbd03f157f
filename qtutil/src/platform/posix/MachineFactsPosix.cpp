#include "MachineFacts.h"

#include <unistd.h>

#include <fstream>
#include <thread>

namespace Quorvel::Util::Platform {

namespace {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// x86 kernels write "model name", ARM ones often only "Hardware" or "Processor".
std::string ReadProcessorName() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    std::string fallback;
    while (std::getline(cpuinfo, line)) {
        const auto colon = line.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        const std::string key = Trim(line.substr(0, colon));
        const std::string value = Trim(line.substr(colon + 1));
        if (key == "model name" && !value.empty()) {
            return value;
        }
        if ((key == "Hardware" || key == "Processor") && fallback.empty()) {
            fallback = value;
        }
    }
    return fallback;
}

}  // namespace

MachineFacts ReadMachineFacts() {
    MachineFacts facts;
    facts.processor = ReadProcessorName();
    facts.logicalCores = std::thread::hardware_concurrency();
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    if (pages > 0 && pageSize > 0) {
        facts.memoryBytes =
            static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
    }
    return facts;
}

}  // namespace Quorvel::Util::Platform
