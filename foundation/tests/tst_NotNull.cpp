#include <Quorvel/NotNull.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QtTest>

#include <memory>
#include <stdexcept>
#include <string>

using Quorvel::NotNull;

namespace {

struct Base {
    virtual ~Base() = default;
    virtual std::string Name() const { return "base"; }
};
struct Derived : Base {
    std::string Name() const override { return "derived"; }
};

std::string NameOf(const std::shared_ptr<Base>& base) { return base->Name(); }

template <class Make>
std::string MessageOf(Make make) {
    try {
        make();
    } catch (const std::logic_error& e) {
        return e.what();
    }
    return "<no exception>";
}

}  // namespace

static_assert(!std::is_constructible<NotNull<int*>, std::nullptr_t>::value,
              "a literal null must not compile");
static_assert(!std::is_convertible<std::shared_ptr<Base>, NotNull<std::shared_ptr<Derived>>>::value,
              "no implicit downcast");

class NotNullTest : public QObject {
    Q_OBJECT

private slots:
    void rejectsNull_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("empty shared_ptr") << 0;
        QTest::newRow("null raw pointer") << 1;
        QTest::newRow("empty shared_ptr<Derived> into NotNull<shared_ptr<Base>>") << 2;
        QTest::newRow("moved-from shared_ptr") << 3;
    }
    void rejectsNull() {
        QFETCH(int, kind);
        const std::string message = MessageOf([kind] {
            switch (kind) {
                case 0: {
                    std::shared_ptr<Base> empty;
                    NotNull<std::shared_ptr<Base>> value(empty);
                    break;
                }
                case 1: {
                    int* null = nullptr;
                    NotNull<int*> value(null);
                    break;
                }
                case 2: {
                    NotNull<std::shared_ptr<Base>> value{std::shared_ptr<Derived>()};
                    break;
                }
                default: {
                    auto source = std::make_shared<Base>();
                    auto moved = std::move(source);
                    NotNull<std::shared_ptr<Base>> value(source);
                    break;
                }
            }
        });
        QCOMPARE(QString::fromStdString(message),
                 QStringLiteral("NotNull can not initialized by null"));
    }

    void holdsAndGivesAccess() {
        auto derived = std::make_shared<Derived>();
        NotNull<std::shared_ptr<Base>> value = derived;
        QCOMPARE(value.get().get(), static_cast<Base*>(derived.get()));
        QCOMPARE(QString::fromStdString(value->Name()), QStringLiteral("derived"));
        QCOMPARE(QString::fromStdString((*value).Name()), QStringLiteral("derived"));
        // Implicit conversion back to the held type.
        QCOMPARE(QString::fromStdString(NameOf(value)), QStringLiteral("derived"));
        QCOMPARE(derived.use_count(), 2L);
    }

    void convertsBetweenNotNulls() {
        NotNull<std::shared_ptr<Derived>> derived = std::make_shared<Derived>();
        NotNull<std::shared_ptr<Base>> base = derived;
        QCOMPARE(base.get().get(), static_cast<Base*>(derived.get().get()));
        NotNull<std::shared_ptr<Base>> copy = base;
        copy = NotNull<std::shared_ptr<Base>>(std::make_shared<Base>());
        QCOMPARE(QString::fromStdString(copy->Name()), QStringLiteral("base"));
        QCOMPARE(QString::fromStdString(base->Name()), QStringLiteral("derived"));
    }

    void rawPointer() {
        int number = 7;
        NotNull<int*> pointer = &number;
        *pointer = 8;
        QCOMPARE(number, 8);
        int* raw = pointer;
        QCOMPARE(raw, &number);
    }
};

QUORVEL_TEST_MAIN_NOAPP(NotNullTest)
#include "tst_NotNull.moc"
