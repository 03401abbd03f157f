#include <Quorvel/Core/TrackCurrentException.h>

#include <cstdlib>
#include <exception>
#include <memory>
#include <mutex>
#include <typeinfo>

#if __has_include(<cxxabi.h>)
#include <cxxabi.h>
#define QUORVEL_HAVE_CXXABI 1
#endif

namespace Quorvel::Core {

namespace {

struct Record {
    std::mutex mutex;
    std::optional<TrackedException> last;
    std::size_t count = 0;
};

Record& TheRecord() {
    // Never destroyed: exceptions may still be tracked while static objects go away.
    static Record* record = new Record;
    return *record;
}

std::string Demangle(const char* name) {
#ifdef QUORVEL_HAVE_CXXABI
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(name, nullptr, nullptr, &status), std::free);
    if (status == 0 && demangled) {
        return demangled.get();
    }
#endif
    return name;
}

// Only valid inside a handler.
std::string TypeOfCurrentException() {
#ifdef QUORVEL_HAVE_CXXABI
    if (const std::type_info* type = abi::__cxa_current_exception_type()) {
        return Demangle(type->name());
    }
#endif
    return "unknown";
}

}  // namespace

void TrackCurrentException() {
    const std::exception_ptr current = std::current_exception();
    if (!current) {
        return;
    }
    try {
        TrackedException tracked;
        try {
            std::rethrow_exception(current);
        } catch (const std::exception& e) {
            tracked.type = Demangle(typeid(e).name());
            tracked.message = e.what();
        } catch (...) {
            tracked.type = TypeOfCurrentException();
            tracked.message = "unknown exception";
        }
        Record& record = TheRecord();
        std::lock_guard<std::mutex> lock(record.mutex);
        record.last = std::move(tracked);
        ++record.count;
    } catch (...) {
        // Out of memory while recording: the caller's own handling matters more.
    }
}

std::optional<TrackedException> GetLastTrackedException() {
    Record& record = TheRecord();
    std::lock_guard<std::mutex> lock(record.mutex);
    return record.last;
}

std::size_t TrackedExceptionCount() {
    Record& record = TheRecord();
    std::lock_guard<std::mutex> lock(record.mutex);
    return record.count;
}

}  // namespace Quorvel::Core
