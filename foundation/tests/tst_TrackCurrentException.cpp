#include <Quorvel/Core/TrackCurrentException.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QtTest>

#include <stdexcept>
#include <thread>
#include <vector>

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
    // Kind 3 tracks outside any catch: nothing is recorded, the last record stays.
    void recordsTypeAndMessage_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("record");
        QTest::newRow("std::runtime_error") << 0 << "std::runtime_error: boom";
        QTest::newRow("derived, by dynamic type") << 1 << "QuorvelTest::CustomError: custom text";
        QTest::newRow("not from std::exception")
            << 2 << "QuorvelTest::NotAStdException: unknown exception";
        QTest::newRow("outside a catch") << 3 << "QuorvelTest::CustomError: custom text";
    }
    void recordsTypeAndMessage() {
        QFETCH(int, kind);
        QFETCH(QString, record);
        ThrowAndTrack(1);
        const size_t before = TrackedExceptionCount();
        kind == 3 ? TrackCurrentException() : ThrowAndTrack(kind);
        QCOMPARE(TrackedExceptionCount(), before + (kind == 3 ? 0 : 1));
        const auto last = GetLastTrackedException().value();
        QCOMPARE(QString::fromStdString(last.type + ": " + last.message), record);
    }

    void isSafeFromManyThreads() {
        const size_t before = TrackedExceptionCount();
        std::vector<std::thread> threads;
        for (int t = 0; t < 8; ++t) {
            threads.emplace_back([t] {
                for (int i = 0; i < 200; ++i) {
                    ThrowAndTrack(t % 2);
                    // Reading while others write must see whole records.
                    const auto last = GetLastTrackedException();
                    if (!last || (last->message != "boom" && last->message != "custom text")) {
                        std::abort();
                    }
                }
            });
        }
        for (auto& thread : threads) thread.join();
        QCOMPARE(TrackedExceptionCount(), before + size_t{8 * 200});
    }
};

QUORVEL_TEST_MAIN_NOAPP(TrackCurrentExceptionTest)
#include "tst_TrackCurrentException.moc"
