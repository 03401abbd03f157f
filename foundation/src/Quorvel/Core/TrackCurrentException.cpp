#include <Quorvel/Core/TrackCurrentException.h>

#include <boost/core/demangle.hpp>

#include <exception>
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

// Only valid inside a handler.
std::string TypeOfCurrentException() {
#ifdef QUORVEL_HAVE_CXXABI
    if (const std::type_info* type = abi::__cxa_current_exception_type()) {
        return boost::core::demangle(type->name());
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
            tracked.type = boost::core::demangle(typeid(e).name());
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
