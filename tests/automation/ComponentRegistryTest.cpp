#include "platform/automation/ComponentError.h"
#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/Dispatch.h"
#include "tests/support/ErrorNumber.h"

#include <gtest/gtest.h>

using namespace oruhr;
using oruhr::test::errorNumber;

namespace {

class Greeter : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name MEMBER name)
    Q_PROPERTY(qint16 Kind MEMBER kind)

public:
    QString name;
    qint16 kind = 0;
    Q_INVOKABLE QString Greet(const QString &greeting, double times) { return greeting + ' ' + name + ' ' + QString::number(times); }
};

} // namespace

TEST(ComponentRegistry, CreatesAFreshComponentByEitherIdentifierOrRaises429)
{
    auto &registry = ComponentRegistry::instance();
    const QUuid id(QStringLiteral("{6f1c2a8e-3c55-4d4f-9a51-6b0b1f1d2e77}"));
    {
        ScopedComponent registration(QStringLiteral("Test.Greeter"), [] { return std::make_unique<Greeter>(); }, id);
        EXPECT_NE(qobject_cast<Greeter *>(registry.create(QStringLiteral("test.greeter")).get()), nullptr);
        EXPECT_NE(qobject_cast<Greeter *>(registry.create(id.toString()).get()), nullptr);
    }
    EXPECT_EQ(errorNumber([&] { registry.create(id.toString()); }), 429);
    ScopedComponent broken(QStringLiteral("Test.Broken"), [] { return std::unique_ptr<QObject>(); });
    EXPECT_EQ(errorNumber([&] { registry.create(QStringLiteral("Test.Broken")); }), 429);
}

TEST(Dispatch, ReachesMembersByNameAndRaisesOnMissingMembersAndWrongTypes)
{
    Greeter target;
    Dispatch::setProperty(target, "Name", QStringLiteral("مريم"));
    EXPECT_EQ(Dispatch::call(target, "Greet", {QStringLiteral("سلام"), 2}).toString(), QStringLiteral("سلام مريم 2"));
    EXPECT_EQ(errorNumber([&] { Dispatch::property(target, "Missing"); }), ComponentError::MemberNotFound);
    EXPECT_EQ(errorNumber([&] { Dispatch::call(target, "Greet", {1}); }), ComponentError::MemberNotFound);
    EXPECT_EQ(errorNumber([&] { Dispatch::setProperty(target, "Kind", QStringLiteral("many")); }),
              ComponentError::ValueOfWrongType);
}

#include "ComponentRegistryTest.moc"
