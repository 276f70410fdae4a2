#pragma once

#include "platform/components/ReportTemplate.h"

#include <QString>
#include <QTextDocument>

#include <memory>

class QFile;
class QImage;
class QIODevice;
class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace oruhr {

// A filled report laid out on the template's page, right to left in a font with the Persian
// glyphs, and sent to the screen, a printer or a PDF file.
class ReportPrinter {
public:
    ReportPrinter(const QString &html, const ReportTemplate &layout);
    ~ReportPrinter();

    // A modal print preview; returns when the user closes it.
    void preview(const QString &windowTitle);
    // To the named printer, the default printer when the name is empty; to a PDF file when the
    // name is "pdf" or no such printer exists. Returns the PDF file's path, or empty when
    // printed. Throws ComponentError 20553 when the output cannot be written.
    QString print(const QString &printerName, const QString &pdfFile);
    // Every page onto a printer, a PDF writer or a preview; target names it in a failure.
    void paint(QPagedPaintDevice &device, const QString &target);
    // The pages as a PDF document onto a file opened by openPdf.
    void writePdf(QIODevice &file);

    // Whether print goes to a PDF file for this printer name.
    static bool printsToPdf(const QString &printerName);
    // The PDF file created for writing, for the user alone, its folder made when missing.
    // Throws ComponentError 20553 when it cannot be.
    static std::unique_ptr<QFile> openPdf(const QString &pdfFile);

    int pageCount();

private:
    void setUp(QPrinter &printer) const;
    QPageLayout pageLayout() const;
    // One page in layout pixels, onto a painter already scaled for its device.
    void drawPage(QPainter &painter, int index);
    QImage pageImage(int index);

    const ReportTemplate &m_layout;
    std::unique_ptr<QImage> m_layoutDevice;
    QTextDocument m_document;
};

} // namespace oruhr
