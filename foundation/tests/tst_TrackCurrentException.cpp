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

// "type: message" of the last record.
QString Last() {
    const auto last = GetLastTrackedException().value();
    return QString::fromStdString(last.type + ": " + last.message);
}

}  // namespace

class TrackCurrentExceptionTest : public QObject {
    Q_OBJECT

private slots:
    void recordsTypeAndMessage_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("record");
        QTest::newRow("std::runtime_error") << 0 << "std::runtime_error: boom";
        QTest::newRow("derived, by dynamic type") << 1 << "QuorvelTest::CustomError: custom text";
        QTest::newRow("not from std::exception")
            << 2 << "QuorvelTest::NotAStdException: unknown exception";
    }
    void recordsTypeAndMessage() {
        QFETCH(int, kind);
        QFETCH(QString, record);
        const size_t before = TrackedExceptionCount();
        ThrowAndTrack(kind);
        QCOMPARE(TrackedExceptionCount(), before + 1);
        QCOMPARE(Last(), record);
    }

    void outsideCatchRecordsNothing() {
        ThrowAndTrack(0);
        const size_t before = TrackedExceptionCount();
        TrackCurrentException();
        QCOMPARE(TrackedExceptionCount(), before);
        QCOMPARE(Last(), QStringLiteral("std::runtime_error: boom"));
    }

    void isSafeFromManyThreads() {
        const size_t before = TrackedExceptionCount();
        constexpr int kThreads = 8, kRounds = 200;
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([t] {
                for (int i = 0; i < kRounds; ++i) {
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
        QCOMPARE(TrackedExceptionCount(), before + size_t{kThreads} * kRounds);
    }
};

QUORVEL_TEST_MAIN_NOAPP(TrackCurrentExceptionTest)
#include "tst_TrackCurrentException.moc"
