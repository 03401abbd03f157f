// A theme's compiled resource file (.rcc). The reading layer decides whether Qt may have it;
// a file it passes is registered, and every entry listed and read, without Qt reading
// outside the file or unpacking more than the limit.

#include "FuzzSupport.h"

#include <Quorvel/Reading/ResourceFile.h>

#include <QDirIterator>
#include <QFile>
#include <QResource>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Quorvel::Fuzz::Prepare();
    // Qt reads a registered file in place, past its end too when the file says so: a copy of
    // exactly its size lets AddressSanitizer see that.
    const QByteArray bytes = Quorvel::Fuzz::Bytes(data, size);
    if (!Quorvel::Reading::ResourceFileProblem(bytes).isEmpty()) {
        return 0;
    }
    const auto* rcc = reinterpret_cast<const uchar*>(bytes.constData());
    if (!QResource::registerResource(rcc, "/fuzzed")) {
        return 0;  // Qt's own checks of the header (format flags it does not know)
    }
    {
        // Gone before the file is unregistered: its entries keep the file in use.
        QDirIterator entries(":/fuzzed", QDirIterator::Subdirectories);
        while (entries.hasNext()) {
            QFile entry(entries.next());
            if (entry.open(QIODevice::ReadOnly)) {
                entry.readAll();
            }
        }
    }
    FUZZ_CHECK(QResource::unregisterResource(rcc, "/fuzzed"));
    return 0;
}
