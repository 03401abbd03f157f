#pragma once

// What every fuzz target shares. A target reads one input the way the product reads that
// kind of outside input, then checks what must hold for any input; a check that fails ends
// the run as a finding, like a sanitizer report.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace Quorvel::Fuzz {

// Once per process: glog and Qt's own messages silenced (every rejected input would log its
// reason, which is the product's business, not a finding), settings and data paths in Qt's
// test mode under the scratch folder.
void Prepare();

// A folder of this process, below the system's temporary folder; removed at exit.
const QString& ScratchFolder();

// A product data folder below the scratch folder, with `locales` installed; its path.
QString DataFolder(const QStringList& locales);

// Writes `bytes` to `name` below the scratch folder, creating folders on the way; the path.
QString WriteScratchFile(const QString& name, const QByteArray& bytes);

inline QByteArray Bytes(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size));
}

[[noreturn]] void Fail(const char* condition, const char* file, int line);

}  // namespace Quorvel::Fuzz

// Ends the run as a finding when `condition` does not hold.
#define FUZZ_CHECK(condition) \
    ((condition) ? (void)0 : ::Quorvel::Fuzz::Fail(#condition, __FILE__, __LINE__))
