#include "tests/support/XlsxCells.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

#include <unzip.h>

namespace oruhr::test {
namespace {

QByteArray entry(unzFile zip, const char *name)
{
    QByteArray data;
    if (unzLocateFile(zip, name, 0) != UNZ_OK || unzOpenCurrentFile(zip) != UNZ_OK)
        return data;
    char buffer[16384];
    for (int read; (read = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0;)
        data.append(buffer, read);
    unzCloseCurrentFile(zip);
    return data;
}

// The text of each element of the name, in order, markup entities resolved.
QStringList texts(const QByteArray &xml, QLatin1StringView name)
{
    QStringList result;
    for (QXmlStreamReader reader(xml); !reader.atEnd();)
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == name)
            result << reader.readElementText(QXmlStreamReader::IncludeChildElements);
    return result;
}

} // namespace

QMap<QString, QString> readXlsxCells(const QString &file)
{
    QMap<QString, QString> cells;
    unzFile zip = unzOpen(file.toLocal8Bit().constData());
    if (!zip)
        return cells;
    const QStringList strings = texts(entry(zip, "xl/sharedStrings.xml"), QLatin1StringView("si"));
    const QByteArray sheet = entry(zip, "xl/worksheets/sheet1.xml");
    unzClose(zip);
    static const QRegularExpression cell(QStringLiteral("<c r=\"(\\w+)\"([^>/]*)>(.*?)</c>"));
    for (const QRegularExpressionMatch &match : cell.globalMatch(QString::fromUtf8(sheet))) {
        const QString value = texts(match.captured(3).toUtf8().prepend("<c>").append("</c>"), QLatin1StringView("c")).value(0);
        cells.insert(match.captured(1), match.captured(2).contains(QLatin1StringView(" t=\"s\"")) ? strings.value(value.toInt()) : value);
    }
    return cells;
}

} // namespace oruhr::test
