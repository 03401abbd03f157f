#include <Quorvel/Core/TrackCurrentException.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <stdexcept>

using Quorvel::Core::GetLastTrackedException;
using Quorvel::Core::TrackCurrentException;
using Quorvel::Core::TrackedExceptionCount;

namespace QuorvelTest {
struct CustomError : std::logic_error {
    using std::logic_error::logic_error;
};
struct NotAStdException {};
}  // namespace QuorvelTest

namespace {

// Throws, catches and tracks; the exception is only seen through the record.
void ThrowAndTrack(int kind) {
    try {
        if (kind == 0) throw std::runtime_error("boom");
        if (kind == 1) throw QuorvelTest::CustomError("custom text");
        throw QuorvelTest::NotAStdException{};
    } catch (...) {
        TrackCurrentException();
    }
}

}  // namespace

class TrackCurrentExceptionTest : public QObject {
    Q_OBJECT

private slots:
    // The record names the dynamic type; tracking outside any catch records nothing.
    void recordsTypeAndMessage() {
        const size_t before = TrackedExceptionCount();
        ThrowAndTrack(1);
        const auto custom = GetLastTrackedException().value();
        QCOMPARE(custom.type + ": " + custom.message,
                 std::string("QuorvelTest::CustomError: custom text"));
        TrackCurrentException();
        QCOMPARE(GetLastTrackedException()->message, custom.message);
        ThrowAndTrack(2);
        QCOMPARE(GetLastTrackedException()->type, std::string("QuorvelTest::NotAStdException"));
        QCOMPARE(TrackedExceptionCount(), before + 2);
    }

    void isSafeFromManyThreads() {
        const size_t before = TrackedExceptionCount();
        Quorvel::TestSupport::RunOnThreads(8, [](int t) {
            for (int i = 0; i < 200; ++i) {
                ThrowAndTrack(t % 2);
                // Reading while others write must see whole records.
                const auto last = GetLastTrackedException();
                if (!last || (last->message != "boom" && last->message != "custom text")) {
                    std::abort();
                }
            }
        });
        QCOMPARE(TrackedExceptionCount(), before + size_t{8 * 200});
    }
};

QUORVEL_TEST_MAIN_NOAPP(TrackCurrentExceptionTest)
#include "tst_TrackCurrentException.moc"
