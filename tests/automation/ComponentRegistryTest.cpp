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
    int shown = 0;

    Q_INVOKABLE void Show() { ++shown; }
    Q_INVOKABLE QString Greet(const QString &greeting, double times)
    {
        return greeting + QLatin1Char(' ') + name + QLatin1Char(' ') + QString::number(times);
    }
};

const QUuid greeterClass(QStringLiteral("{6f1c2a8e-3c55-4d4f-9a51-6b0b1f1d2e77}"));

} // namespace

TEST(ComponentRegistry, CreatesByProgrammaticOrClassIdentifier)
{
    ScopedComponent registration(QStringLiteral("Test.Greeter"), [] { return std::make_unique<Greeter>(); },
                                 greeterClass);
    auto &registry = ComponentRegistry::instance();
    EXPECT_NE(qobject_cast<Greeter *>(registry.create(QStringLiteral("test.greeter")).get()), nullptr);
    EXPECT_NE(qobject_cast<Greeter *>(registry.create(greeterClass.toString()).get()), nullptr);
    // a fresh component every time
    EXPECT_NE(registry.create(QStringLiteral("Test.Greeter")), registry.create(QStringLiteral("Test.Greeter")));
}

TEST(ComponentRegistry, NothingRegisteredRaises429)
{
    auto &registry = ComponentRegistry::instance();
    EXPECT_EQ(errorNumber([&] { registry.create(QStringLiteral("Nothing.Registered")); }), 429);
    EXPECT_EQ(errorNumber([&] { registry.create(QStringLiteral("{00000000-0000-0000-0000-000000000001}")); }), 429);
    {
        ScopedComponent registration(QStringLiteral("Test.Greeter"), [] { return std::make_unique<Greeter>(); });
        EXPECT_TRUE(registry.isRegistered(QStringLiteral("Test.Greeter")));
    }
    EXPECT_EQ(errorNumber([&] { registry.create(QStringLiteral("Test.Greeter")); }), 429);
    // a factory that gives nothing is as good as none
    ScopedComponent broken(QStringLiteral("Test.Broken"), [] { return std::unique_ptr<QObject>(); });
    EXPECT_EQ(errorNumber([&] { registry.create(QStringLiteral("Test.Broken")); }), 429);
}

TEST(ComponentRegistry, ADoubleGivesWayToWhatWasRegisteredBefore)
{
    auto &registry = ComponentRegistry::instance();
    ScopedComponent real(QStringLiteral("Test.Greeter"), [] { return std::make_unique<Greeter>(); });
    {
        ScopedComponent stand(QStringLiteral("test.greeter"), [] { return std::make_unique<QObject>(); });
        EXPECT_EQ(registry.create(QStringLiteral("Test.Greeter"))->metaObject(), &QObject::staticMetaObject);
    }
    EXPECT_NE(qobject_cast<Greeter *>(registry.create(QStringLiteral("Test.Greeter")).get()), nullptr);
}

TEST(Dispatch, ReachesMembersByName)
{
    Greeter greeter;
    Dispatch::setProperty(greeter, "Name", QStringLiteral("مريم"));
    Dispatch::setProperty(greeter, "Kind", 1);
    EXPECT_EQ(greeter.kind, 1);
    EXPECT_EQ(Dispatch::property(greeter, "Name").toString(), QStringLiteral("مريم"));
    Dispatch::call(greeter, "Show");
    EXPECT_EQ(greeter.shown, 1);
    EXPECT_EQ(Dispatch::call(greeter, "Greet", {QStringLiteral("سلام"), 2}).toString(), QStringLiteral("سلام مريم 2"));
}

TEST(Dispatch, MissingMembersAndWrongTypesRaise)
{
    Greeter greeter;
    EXPECT_EQ(errorNumber([&] { Dispatch::setProperty(greeter, "Resualt", 1); }), ComponentError::MemberNotFound);
    EXPECT_EQ(errorNumber([&] { Dispatch::property(greeter, "Missing"); }), ComponentError::MemberNotFound);
    EXPECT_EQ(errorNumber([&] { Dispatch::call(greeter, "Show", {1}); }), ComponentError::MemberNotFound);
    EXPECT_EQ(errorNumber([&] { Dispatch::call(greeter, "Vanish"); }), ComponentError::MemberNotFound);
    EXPECT_EQ(errorNumber([&] { Dispatch::setProperty(greeter, "Kind", QStringLiteral("many")); }),
              ComponentError::ValueOfWrongType);
}

#include "ComponentRegistryTest.moc"
