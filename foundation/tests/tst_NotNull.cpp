#include <Quorvel/NotNull.h>
#include <Quorvel/TestSupport/TestEnvironment.h>

#include <memory>
#include <stdexcept>

using Quorvel::NotNull;

namespace {
struct Base {
    virtual ~Base() = default;
    int id = 1;
};
struct Derived : Base {};
}  // namespace

static_assert(!std::is_constructible<NotNull<int*>, std::nullptr_t>::value,
              "a literal null must not compile");
static_assert(!std::is_convertible<std::shared_ptr<Base>, NotNull<std::shared_ptr<Derived>>>::value,
              "no implicit downcast");

class NotNullTest : public QObject {
    Q_OBJECT

private slots:
    void rejectsNullAndConverts() {
        QVERIFY_EXCEPTION_THROWN(NotNull<std::shared_ptr<Base>>(std::shared_ptr<Derived>()),
                                 std::logic_error);
        auto derived = std::make_shared<Derived>();
        NotNull<std::shared_ptr<Base>> value = NotNull<std::shared_ptr<Derived>>(derived);
        const std::shared_ptr<Base>& back = value;  // implicit conversion back
        QCOMPARE(back.get(), static_cast<Base*>(derived.get()));
        QVERIFY(&value->id == &derived->id && &(*value).id == &derived->id);
        QCOMPARE(derived.use_count(), 2L);
    }
};

QUORVEL_TEST_MAIN_NOAPP(NotNullTest)
#include "tst_NotNull.moc"
