// A settings INI file as the settings stores read and write it. Read and written back
// untouched it keeps every byte; a value set is read back as it was set, from the document
// and from its bytes, and changes no other key; a key removed is gone.

#include "FuzzSupport.h"

#include "internal/IniDocument.h"

#include <iterator>
#include <optional>

namespace {

using Quorvel::App::Internal::IniDocument;

// Keys that real stores use, and keys that need escaping or name a section.
const QString kKeys[] = {"LaunchType",      "Browser", "LookAndFeel/Locale", "confirm/quit_answer",
                         "General/General", "a b;c=d", "\xC3\xBC/%41\\x",    "x/y/z"};

// Texts that need quotes, escapes or a doubled "@".
const QString kTexts[] = {"",
                          "install",
                          " a, b ",
                          "@String(x)",
                          "\"quoted\" ; not a comment",
                          "a\\b\tc",
                          "\n\r\x01",
                          "\xD1\x8F\xE2\x82\xAC"};

std::optional<QString> ValueIn(const QByteArray& bytes, const QString& key) {
    return IniDocument(bytes).Value(key);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Quorvel::Fuzz::Prepare();
    const QByteArray bytes = Quorvel::Fuzz::Bytes(data, size);
    IniDocument document(bytes);
    FUZZ_CHECK(document.Bytes() == bytes);

    std::optional<QString> before[std::size(kKeys)];
    for (std::size_t i = 0; i < std::size(kKeys); ++i) {
        before[i] = document.Value(kKeys[i]);
        FUZZ_CHECK(!before[i] || document.Contains(kKeys[i]));
    }

    // One key and one text, chosen by the input so that every pair gets its turn.
    const std::size_t changed = size % std::size(kKeys);
    const QString& text = kTexts[(size / std::size(kKeys)) % std::size(kTexts)];
    document.SetValue(kKeys[changed], text);
    FUZZ_CHECK(document.Value(kKeys[changed]) == text);
    const QByteArray written = document.Bytes();
    FUZZ_CHECK(ValueIn(written, kKeys[changed]) == text);
    for (std::size_t i = 0; i < std::size(kKeys); ++i) {
        if (i != changed) {
            FUZZ_CHECK(ValueIn(written, kKeys[i]) == before[i]);
        }
    }

    document.Remove(kKeys[changed]);
    FUZZ_CHECK(!document.Contains(kKeys[changed]));
    FUZZ_CHECK(!IniDocument(document.Bytes()).Contains(kKeys[changed]));
    return 0;
}
