#pragma once

// Plain C++ on purpose: the Windows backend is also built without Qt by the mingw check.

#include <algorithm>
#include <cstdint>
#include <string>

namespace Quorvel::Reading::Platform {

struct RegularFile {
    enum class Outcome { Read, Missing, Refused };
    Outcome outcome = Outcome::Refused;
    std::string bytes;    // the whole file, when it was read
    std::string problem;  // why it was not, for a message after the file's name
};

// Opens `utf8Path` without waiting on anything that is not a regular file (a FIFO without a
// writer, a device) and checks what it opened, not what the path named a moment before.
// A regular file of at most `limit` bytes is read whole when `read` is true.
RegularFile OpenRegularFile(const std::string& utf8Path, std::uint64_t limit, bool read);

struct WritableFile {
    int descriptor = -1;  // POSIX, or a C runtime descriptor on Windows; the caller's to close
    std::string problem;  // why it was not opened, for a message after the file's name
};

// Opens `utf8Path` for writing, creating it and emptying it, and takes only a regular file,
// without waiting on anything else. In a folder that other users can write to (the temp
// folder), a link in the file's place is not followed and only a file of this user is taken,
// so that nobody can point the output at another file. Windows follows no link at all.
WritableFile OpenRegularFileForWriting(const std::string& utf8Path);

// Replaces `utf8Path` (the file a link there points to, on POSIX) by a file holding `bytes`,
// whole or not at all: they go to a new file beside it, which reaches the disk before it takes
// the old one's name. The old file keeps every byte when anything fails (a full disk, a
// folder that takes no new file), and nothing is left behind. Empty when done, else why not.
std::string ReplaceRegularFile(const std::string& utf8Path, const std::string& bytes);

inline RegularFile Refused(std::string problem) {
    return {RegularFile::Outcome::Refused, {}, std::move(problem)};
}

inline RegularFile TooLarge(std::uint64_t size, std::uint64_t limit) {
    return Refused("the file has " + std::to_string(size) + " bytes, more than the " +
                   std::to_string(limit) + " it may have");
}

// Reads to the end rather than to the size seen when it was opened: the file may change
// meanwhile, and one byte past the limit is enough to know that it grew too far.
// `readSome(buffer, room)` returns the bytes read, 0 at the end, or -1 after `lastError()`.
template <class ReadSome, class LastError>
RegularFile ReadToEnd(std::uint64_t size, std::uint64_t limit, ReadSome readSome,
                      LastError lastError) {
    RegularFile result{RegularFile::Outcome::Read, {}, {}};
    result.bytes.resize(static_cast<size_t>(size) + 1);
    size_t total = 0;
    while (true) {
        if (total == result.bytes.size()) {
            if (total > limit) {
                return TooLarge(total, limit);
            }
            result.bytes.resize(
                static_cast<size_t>(std::min<std::uint64_t>(limit + 1, total * 2 + 4096)));
        }
        const long long count = readSome(&result.bytes[total], result.bytes.size() - total);
        if (count < 0) {
            return Refused("the file cannot be read: " + lastError());
        }
        if (count == 0) {
            break;
        }
        total += static_cast<size_t>(count);
    }
    result.bytes.resize(total);
    return result;
}

}  // namespace Quorvel::Reading::Platform
