// The Debian package that cpack makes of this build (the package_build test): what it holds,
// what it declares it needs, and whether its host runs from where it puts it.

#include "tests/support/TestKit.h"

using namespace Qt::StringLiterals;

namespace {

// The lines a program prints.
QStringList run(const QString &program, const QStringList &arguments)
{
    return QString::fromUtf8(oruhr::test::outputOf(program, arguments)).split(u'\n', Qt::SkipEmptyParts);
}

QStringList shippedTemplates()
{
    return QDir(QStringLiteral(ORUHR_TEMPLATE_DIR)).entryList({u"*.html"_s}, QDir::Files, QDir::Name);
}

// The installed package that holds a file, of this machine's architecture where there are several.
QString owner(const QString &pattern)
{
    static const QString native = u':' + run(u"dpkg"_s, {u"--print-architecture"_s}).value(0) + u':';
    const QStringList found = run(u"dpkg"_s, {u"-S"_s, pattern});
    const auto line = std::find_if(found.begin(), found.end(), [](const QString &l) { return l.contains(native); });
    return (line != found.end() ? *line : found.value(0)).section(u':', 0, 0);
}

class DebianPackage : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QDir folder(QStringLiteral(ORUHR_PACKAGE_DIR));
        const QStringList packages = folder.entryList({u"*.deb"_s}, QDir::Files);
        ASSERT_EQ(packages.size(), 1) << "not exactly one package in " ORUHR_PACKAGE_DIR;
        deb = folder.filePath(packages.first());
    }
    QString deb;
};

} // namespace

TEST_F(DebianPackage, HoldsTheProgramsTemplatesAndMenuEntryAndDependsOnWhatTheyLoad)
{
    QStringList files;
    for (const QString &line : run(u"dpkg-deb"_s, {u"--contents"_s, deb}))
        if (!line.startsWith(u'd'))
            files << line.section(u' ', -1);
    QStringList expected = {u"./usr/bin/oruhr-host"_s, u"./usr/bin/oruhr-seed"_s, u"./usr/bin/oruhr-admin"_s,
                            u"./usr/bin/oruhr-payroll"_s,
                            u"./usr/share/applications/oruhr-host.desktop"_s,
                            u"./usr/share/icons/hicolor/scalable/apps/oruhr-host.svg"_s};
    for (const QString &name : shippedTemplates())
        expected << u"./usr/share/oruhr/templates/"_s + name;
    files.sort();
    expected.sort();
    EXPECT_EQ(files, expected);

    // Declared: every library the programs link, and what Qt loads by name: the database
    // drivers and the fonts the reports and the windows ask for. Each is installed here.
    QTemporaryDir root;
    run(u"dpkg"_s, {u"-x"_s, deb, root.path()});
    QStringList required;
    for (const QString &program : {u"oruhr-host"_s, u"oruhr-seed"_s, u"oruhr-admin"_s, u"oruhr-payroll"_s})
        for (const QString &line : run(u"readelf"_s, {u"-d"_s, root.filePath(u"usr/bin/"_s + program)}))
            if (line.contains(u"(NEEDED)"_s))
                required << u"*/"_s + line.section(u'[', 1).section(u']', 0, 0);
    EXPECT_FALSE(required.isEmpty());
    for (const QString &family : {u"Noto Sans Arabic"_s, u"Noto Sans Arabic UI"_s}) {
        const QString font = run(u"fc-list"_s, {family, u"file"_s}).value(0).section(u':', 0, 0);
        ASSERT_FALSE(font.isEmpty()) << qPrintable(family) << " is not installed";
        required << font;
    }
    required << u"*/sqldrivers/libqsqlite.so"_s << u"*/sqldrivers/libqsqlodbc.so"_s << u"*/sqldrivers/libqsqlpsql.so"_s;
    QStringList depends;
    for (const QString &entry : run(u"dpkg-deb"_s, {u"--field"_s, deb, u"Depends"_s}).join(u' ').split(u','))
        depends << entry.trimmed().section(QRegularExpression(u"[ (:]"_s), 0, 0);
    for (const QString &file : required)
        EXPECT_TRUE(depends.contains(owner(file))) << qPrintable(file);
    // Nothing that only builds: each dependency is a run-time package, installed here.
    for (const QString &name : depends)
        EXPECT_EQ(run(u"dpkg-query"_s, {u"-W"_s, u"-f=${Status}"_s, name}).value(0), u"install ok installed"_s) << qPrintable(name);
}

TEST_F(DebianPackage, UnpackedTheHostMakesTheDemoDatabaseAndTemplatesAndStaysOpen)
{
    QTemporaryDir root, home;
    run(u"dpkg"_s, {u"-x"_s, deb, root.path()});
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, home.path());
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"ORUHR_SYSTEM_CONNECTIONS"_s, home.filePath(u"no-connections.ini"_s)); // not this machine's
    environment.remove(u"XDG_DATA_HOME"_s);
    environment.remove(u"XDG_CONFIG_HOME"_s);
    QProcess host;
    host.setProcessEnvironment(environment);
    host.start(root.filePath(u"usr/bin/oruhr-host"_s));
    const QString demo = home.filePath(u".local/share/OruHR/oruhr-host/"_s);
    const auto written = [&] {
        const QStringList names = shippedTemplates();
        return std::all_of(names.begin(), names.end(),
                           [&](const QString &name) { return QFileInfo(demo + u"app/Reports/"_s + name).size() > 0; });
    };
    for (QDeadlineTimer deadline(60000); !written() && !deadline.hasExpired() && !host.waitForFinished(100);) {
    }
    EXPECT_TRUE(written());
    EXPECT_FALSE(host.waitForFinished(1000)) << "the host ended: " << host.readAllStandardError().constData();
    host.kill();
    host.waitForFinished();
    EXPECT_GT(QFileInfo(demo + u"demo.db"_s).size(), 0);
}
