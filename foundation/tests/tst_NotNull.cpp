#include <Quorvel/NotNull.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <QtTest>

#include <memory>
#include <stdexcept>

using Quorvel::NotNull;

namespace {

struct Base {
    virtual ~Base() = default;
    int id = 1;
};
struct Derived : Base {};

template <class T, class U>
QString Rejection(U value) {
    try {
        NotNull<T> notNull(std::move(value));
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
    void rejectsNull() {
        const QString message = "NotNull can not initialized by null";
        QCOMPARE(Rejection<int*>(static_cast<int*>(nullptr)), message);
        QCOMPARE(Rejection<std::shared_ptr<Base>>(std::shared_ptr<Base>()), message);
        QCOMPARE(Rejection<std::shared_ptr<Base>>(std::shared_ptr<Derived>()), message);
    }

    void givesAccessAndConverts() {
        auto derived = std::make_shared<Derived>();
        NotNull<std::shared_ptr<Derived>> strict = derived;
        NotNull<std::shared_ptr<Base>> value = strict;
        QCOMPARE(value.get().get(), static_cast<Base*>(derived.get()));
        QCOMPARE(&value->id, &derived->id);
        QCOMPARE(&(*value).id, &derived->id);
        const std::shared_ptr<Base>& back = value;  // implicit conversion back
        QCOMPARE(back.get(), static_cast<Base*>(derived.get()));
        QCOMPARE(derived.use_count(), 3L);
        value = NotNull<std::shared_ptr<Base>>(std::make_shared<Base>());
        QCOMPARE(derived.use_count(), 2L);

        int number = 7;
        NotNull<int*> pointer = &number;
        *pointer = 8;
        QCOMPARE(number, 8);
        QCOMPARE(static_cast<int*>(pointer), &number);
    }
};

QUORVEL_TEST_MAIN_NOAPP(NotNullTest)
#include "tst_NotNull.moc"
