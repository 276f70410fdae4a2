#include "tests/support/XlsxCells.h"

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

QStringList sharedStrings(const QByteArray &xml)
{
    QStringList strings;
    QXmlStreamReader reader(xml);
    QString current;
    bool inItem = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("si")) {
            inItem = true;
            current.clear();
        } else if (inItem && reader.isStartElement() && reader.name() == QLatin1String("t")) {
            current += reader.readElementText();
        } else if (reader.isEndElement() && reader.name() == QLatin1String("si")) {
            strings << current;
            inItem = false;
        }
    }
    return strings;
}

} // namespace

QMap<QString, QString> readXlsxCells(const QString &file)
{
    QMap<QString, QString> cells;
    unzFile zip = unzOpen(file.toLocal8Bit().constData());
    if (!zip)
        return cells;
    const QStringList strings = sharedStrings(entry(zip, "xl/sharedStrings.xml"));
    QXmlStreamReader reader(entry(zip, "xl/worksheets/sheet1.xml"));
    unzClose(zip);

    QString reference, type, text;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("c")) {
            reference = reader.attributes().value(QLatin1String("r")).toString();
            type = reader.attributes().value(QLatin1String("t")).toString();
            text.clear();
        } else if (reader.isStartElement()
                   && (reader.name() == QLatin1String("v") || reader.name() == QLatin1String("t"))) {
            text += reader.readElementText();
        } else if (reader.isEndElement() && reader.name() == QLatin1String("c")) {
            cells.insert(reference, type == QLatin1String("s") ? strings.value(text.toInt()) : text);
        }
    }
    return cells;
}

} // namespace oruhr::test
