#include <Quorvel/Core/TrackCurrentException.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QtTest>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using Quorvel::Core::GetLastTrackedException;
using Quorvel::Core::TrackCurrentException;
using Quorvel::Core::TrackedExceptionCount;

namespace QuorvelTest {
class CustomError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};
struct NotAStdException {
    int code;
};
}  // namespace QuorvelTest

namespace {

void Throw(int kind) {
    switch (kind) {
        case 0:
            throw std::runtime_error("boom");
        case 1:
            throw QuorvelTest::CustomError("custom text");
        case 2:
            throw 42;
        case 3:
            throw QuorvelTest::NotAStdException{7};
        case 4:
            throw "a C string";
        default:
            throw std::bad_alloc();
    }
}

// Throws, catches and tracks; the caught exception is only seen through the record.
void ThrowAndTrack(int kind) {
    try {
        Throw(kind);
    } catch (...) {
        TrackCurrentException();
    }
}

QString LastType() { return QString::fromStdString(GetLastTrackedException().value().type); }
QString LastMessage() { return QString::fromStdString(GetLastTrackedException().value().message); }

}  // namespace

class TrackCurrentExceptionTest : public QObject {
    Q_OBJECT

private slots:
    void recordsTypeAndMessage_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("message");

        QTest::newRow("std::runtime_error") << 0 << "std::runtime_error"
                                            << "boom";
        QTest::newRow("derived, by dynamic type") << 1 << "QuorvelTest::CustomError"
                                                  << "custom text";
        QTest::newRow("int") << 2 << "int"
                             << "unknown exception";
        QTest::newRow("class not from std::exception") << 3 << "QuorvelTest::NotAStdException"
                                                       << "unknown exception";
        QTest::newRow("C string") << 4 << "char const*"
                                  << "unknown exception";
        QTest::newRow("std::bad_alloc") << 5 << "std::bad_alloc"
                                        << "std::bad_alloc";
    }
    void recordsTypeAndMessage() {
        QFETCH(int, kind);
        QFETCH(QString, type);
        QFETCH(QString, message);
        const size_t before = TrackedExceptionCount();
        ThrowAndTrack(kind);
        QCOMPARE(TrackedExceptionCount(), before + 1);
        QCOMPARE(LastType(), type);
        QCOMPARE(LastMessage(), message);
    }

    void outsideCatchRecordsNothing() {
        ThrowAndTrack(0);
        const size_t before = TrackedExceptionCount();
        TrackCurrentException();
        QCOMPARE(TrackedExceptionCount(), before);
        QCOMPARE(LastMessage(), QStringLiteral("boom"));
    }

    void rethrownExceptionKeepsItsIdentity() {
        try {
            try {
                Throw(1);
            } catch (const std::exception&) {
                throw;
            }
        } catch (...) {
            TrackCurrentException();
        }
        QCOMPARE(LastType(), QStringLiteral("QuorvelTest::CustomError"));
        QCOMPARE(LastMessage(), QStringLiteral("custom text"));
    }

    void recordsTheInnermostHandledException() {
        try {
            Throw(0);
        } catch (...) {
            try {
                Throw(3);
            } catch (...) {
                TrackCurrentException();
                QCOMPARE(LastType(), QStringLiteral("QuorvelTest::NotAStdException"));
            }
            // Back in the outer handler: the outer exception is the current one again.
            TrackCurrentException();
            QCOMPARE(LastType(), QStringLiteral("std::runtime_error"));
            QCOMPARE(LastMessage(), QStringLiteral("boom"));
        }
    }

    void nestedExceptionIsTrackedByItsOuterMessage() {
        try {
            try {
                Throw(0);
            } catch (...) {
                std::throw_with_nested(std::invalid_argument("while loading"));
            }
        } catch (...) {
            TrackCurrentException();
        }
        QVERIFY2(LastType().contains("std::invalid_argument"), qPrintable(LastType()));
        QCOMPARE(LastMessage(), QStringLiteral("while loading"));
    }

    void isSafeFromManyThreads() {
        const size_t before = TrackedExceptionCount();
        constexpr int kThreads = 8;
        constexpr int kRounds = 200;
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
        for (auto& thread : threads) {
            thread.join();
        }
        QCOMPARE(TrackedExceptionCount(), before + size_t{kThreads} * kRounds);
    }
};

QUORVEL_TEST_MAIN_NOAPP(TrackCurrentExceptionTest)
#include "tst_TrackCurrentException.moc"
