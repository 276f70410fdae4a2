// The Debian package that cpack makes of this build (the package_build test): what it holds,
// what it declares it needs, and whether its programs run from where it puts them.

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

// The lines a program prints; the test fails when it does not end well.
QStringList run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(120000);
    EXPECT_TRUE(finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        << qPrintable(program + u' ' + arguments.join(u' ')) << ": " << process.readAllStandardError().constData();
    return QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

QByteArray contents(const QString &file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

QStringList shippedTemplates()
{
    return QDir(QStringLiteral(ORUHR_TEMPLATE_DIR)).entryList({u"*.html"_s}, QDir::Files, QDir::Name);
}

// The package unpacked into a temporary root.
class DebianPackage : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QDir folder(QStringLiteral(ORUHR_PACKAGE_DIR));
        const QStringList packages = folder.entryList({u"*.deb"_s}, QDir::Files);
        ASSERT_EQ(packages.size(), 1) << "not exactly one package in " ORUHR_PACKAGE_DIR;
        deb = folder.filePath(packages.first());
        run(u"dpkg"_s, {u"-x"_s, deb, root.path()});
        usr = root.filePath(u"usr/"_s);
    }

    // The package's share copy and a demo's Reports folder both hold the source tree's templates.
    void expectShippedTemplates(const QString &reports) const
    {
        for (const QString &name : shippedTemplates()) {
            const QByteArray source = contents(QStringLiteral(ORUHR_TEMPLATE_DIR "/") + name);
            EXPECT_EQ(contents(usr + u"share/oruhr/templates/"_s + name), source) << qPrintable(name);
            EXPECT_EQ(contents(reports + u'/' + name), source) << qPrintable(reports + u'/' + name);
        }
    }

    QString deb, usr;
    QTemporaryDir root;
};

// The package names of the Depends field, without versions and architectures.
QStringList dependsOf(const QString &deb)
{
    QStringList names;
    const QString field = run(u"dpkg-deb"_s, {u"--field"_s, deb, u"Depends"_s}).join(u' ');
    for (const QString &entry : field.split(QRegularExpression(u"[,|]"_s), Qt::SkipEmptyParts))
        names << entry.trimmed().section(QRegularExpression(u"[ (:]"_s), 0, 0);
    return names;
}

// The installed package that holds a file, of this machine's architecture where there are several.
QString owner(const QString &pattern)
{
    static const QString native = u':' + run(u"dpkg"_s, {u"--print-architecture"_s}).value(0) + u':';
    const QStringList found = run(u"dpkg"_s, {u"-S"_s, pattern});
    const auto nativeLine = std::find_if(found.begin(), found.end(),
                                         [](const QString &line) { return line.section(u' ', 0, 0).contains(native); });
    return (nativeLine != found.end() ? *nativeLine : found.value(0)).section(u':', 0, 0);
}

} // namespace

TEST_F(DebianPackage, HoldsTheProgramsTemplatesAndMenuEntryAndDependsOnWhatTheyLoad)
{
    QStringList files;
    for (const QString &line : run(u"dpkg-deb"_s, {u"--contents"_s, deb}))
        if (!line.startsWith(u'd'))
            files << line.section(u' ', -1);
    QStringList expected = {u"./usr/bin/oruhr-host"_s, u"./usr/bin/oruhr-seed"_s,
                            u"./usr/share/applications/oruhr-host.desktop"_s,
                            u"./usr/share/icons/hicolor/scalable/apps/oruhr-host.svg"_s};
    for (const QString &name : shippedTemplates())
        expected << u"./usr/share/oruhr/templates/"_s + name;
    files.sort();
    expected.sort();
    EXPECT_EQ(files, expected);

    // Declared: every library the programs link, and what Qt loads by name: the SQLite and
    // ODBC drivers and the font the reports ask for.
    QStringList required;
    for (const QString &program : {u"oruhr-host"_s, u"oruhr-seed"_s})
        for (const QString &line : run(u"readelf"_s, {u"-d"_s, usr + u"bin/"_s + program}))
            if (line.contains(u"(NEEDED)"_s))
                required << u"*/"_s + line.section(u'[', 1).section(u']', 0, 0);
    required.removeDuplicates();
    EXPECT_FALSE(required.isEmpty());
    const QString font = run(u"fc-list"_s, {u"Noto Sans Arabic"_s, u"file"_s}).value(0).section(u':', 0, 0);
    ASSERT_FALSE(font.isEmpty()) << "Noto Sans Arabic is not installed";
    required << u"*/sqldrivers/libqsqlite.so"_s << u"*/sqldrivers/libqsqlodbc.so"_s << font;
    const QStringList depends = dependsOf(deb);
    for (const QString &file : required) {
        const QString package = owner(file);
        EXPECT_TRUE(depends.contains(package)) << qPrintable(file + u" from "_s + package);
    }
    // Nothing that only builds: each dependency is a run-time package, installed here.
    for (const QString &name : depends) {
        EXPECT_FALSE(name.endsWith(u"-dev"_s)) << qPrintable(name);
        EXPECT_EQ(run(u"dpkg-query"_s, {u"-W"_s, u"-f=${Status}"_s, name}).value(0), u"install ok installed"_s);
    }
}

TEST_F(DebianPackage, UnpackedTheHostStartsOffscreenAndBothProgramsWriteTheShippedTemplates)
{
    // The menu entry starts a program of the package and shows its icon.
    const QString entry = QString::fromUtf8(contents(usr + u"share/applications/oruhr-host.desktop"_s));
    const auto key = [&](const QString &name) {
        return QRegularExpression(u"^"_s + name + u"=(\\S+)"_s, QRegularExpression::MultilineOption)
            .match(entry).captured(1);
    };
    EXPECT_TRUE(QFileInfo(usr + u"bin/"_s + key(u"Exec"_s)).isExecutable()) << qPrintable(entry);
    EXPECT_TRUE(QFileInfo::exists(usr + u"share/icons/hicolor/scalable/apps/"_s + key(u"Icon"_s) + u".svg"_s));

    // With no stored connection the host makes the demo database and its templates, then shows its window.
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, home.path());
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.remove(u"XDG_DATA_HOME"_s);
    environment.remove(u"XDG_CONFIG_HOME"_s);
    QProcess host;
    host.setProcessEnvironment(environment);
    host.start(usr + u"bin/oruhr-host"_s);
    const QString demo = home.filePath(u".local/share/OruHR/oruhr-host/"_s);
    const auto written = [&] {
        const QStringList names = shippedTemplates();
        return std::all_of(names.begin(), names.end(),
                           [&](const QString &name) { return QFileInfo(demo + u"app/Reports/"_s + name).size() > 0; });
    };
    for (QDeadlineTimer deadline(60000); !written() && !deadline.hasExpired() && !host.waitForFinished(100);) {
    }
    EXPECT_FALSE(host.waitForFinished(1000)) << "the host ended: " << host.readAllStandardError().constData();
    host.kill();
    host.waitForFinished();
    EXPECT_GT(QFileInfo(demo + u"demo.db"_s).size(), 0);
    expectShippedTemplates(demo + u"app/Reports"_s);

    const QString seeded = home.filePath(u"seeded/"_s);
    run(usr + u"bin/oruhr-seed"_s, {u"--employees"_s, u"3"_s, u"--out"_s, seeded + u"demo.db"_s, u"--app-folder"_s, seeded});
    expectShippedTemplates(seeded + u"Reports"_s);
}
