#include "platform/components/ReportPrinter.h"

#include "platform/components/ComponentsLog.h"

#include "platform/automation/ComponentError.h"
#include "platform/components/BidiText.h"
#include "platform/components/ReportErrors.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextOption>

namespace oruhr {
namespace {

// The document is laid out in 96-dpi pixels whatever the screen, so that a report looks the
// same on paper from every desk, and drawn scaled to the printer's resolution.
constexpr double LayoutDpi = 96.0;
constexpr double MarginMillimetres = 12.0;

QFont reportFont()
{
    QFont font;
    // Noto Sans Arabic keeps the Persian digits findable in the PDF's text; Noto Naskh's 4, 6
    // and 7 come out of a PDF as nothing.
    font.setFamilies({QStringLiteral("Noto Sans Arabic"), QStringLiteral("Noto Naskh Arabic"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(10);
    // Paper needs no hinting for the screen's pixels; it also spares most of the layout's time.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

ReportPrinter::ReportPrinter(const QString &html, const ReportTemplate &layout)
    : m_layout(layout)
    , m_layoutDevice(std::make_unique<QImage>(1, 1, QImage::Format_ARGB32))
{
    const int dotsPerMetre = qRound(LayoutDpi / 0.0254);
    m_layoutDevice->setDotsPerMeterX(dotsPerMetre);
    m_layoutDevice->setDotsPerMeterY(dotsPerMetre);
    m_document.documentLayout()->setPaintDevice(m_layoutDevice.get());
    m_document.setDefaultFont(reportFont());
    QTextOption option = m_document.defaultTextOption();
    option.setTextDirection(Qt::RightToLeft);
    option.setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
    m_document.setDefaultTextOption(option);
    m_document.setDocumentMargin(0);
    // The page first: the HTML is then laid out once, on it.
    m_document.setPageSize(pageLayout().paintRectPixels(int(LayoutDpi)).size());
    m_document.setHtml(html);
}

ReportPrinter::~ReportPrinter() = default;

int ReportPrinter::pageCount()
{
    return m_document.pageCount();
}

QPageLayout ReportPrinter::pageLayout() const
{
    return QPageLayout(m_layout.pageSize, m_layout.orientation,
                       QMarginsF(MarginMillimetres, MarginMillimetres, MarginMillimetres, MarginMillimetres),
                       QPageLayout::Millimeter);
}

void ReportPrinter::setUp(QPrinter &printer) const
{
    printer.setPageLayout(pageLayout());
    printer.setDocName(m_layout.title);
    printer.setCreator(QStringLiteral("OruHR"));
}

void ReportPrinter::paint(QPagedPaintDevice &device, const QString &target)
{
    QPainter painter;
    if (!painter.begin(&device))
        throw ComponentError(ReportErrors::OutputFailed,
                             QStringLiteral("چاپگر يا فايل خروجي آماده نيست: ") + leftToRight(target));
    // The print preview records its pages as pictures, which replay each run of text left to
    // right: the colons, blanks and brackets of Persian text would land on the wrong side.
    // The preview gets each page as an image instead; printing from it draws the text itself.
    const bool preview = painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Picture;
    const double scale = device.logicalDpiX() / LayoutDpi;
    const int pages = m_document.pageCount();
    for (int index = 0; index < pages; ++index) {
        if (index > 0)
            device.newPage();
        if (preview) {
            const QSizeF page = m_document.pageSize();
            painter.drawImage(QRectF(0, 0, page.width() * scale, page.height() * scale), pageImage(index));
        } else {
            painter.save();
            painter.scale(scale, scale);
            drawPage(painter, index);
            painter.restore();
        }
    }
    if (!painter.end())
        throw ComponentError(ReportErrors::OutputFailed,
                             QStringLiteral("چاپگر يا فايل خروجي آماده نيست: ") + leftToRight(target));
}

void ReportPrinter::drawPage(QPainter &painter, int index)
{
    const QSizeF page = m_document.pageSize();
    painter.translate(0, -page.height() * index);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, page.height() * index, page.width(), page.height());
    painter.setClipRect(context.clip);
    m_document.documentLayout()->draw(&painter, context);
}

QImage ReportPrinter::pageImage(int index)
{
    constexpr double PreviewDpi = 200.0;
    const double scale = PreviewDpi / LayoutDpi;
    const QSizeF page = m_document.pageSize();
    QImage image(QSizeF(page.width() * scale, page.height() * scale).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.scale(scale, scale);
    drawPage(painter, index);
    return image;
}

void ReportPrinter::preview(const QString &windowTitle)
{
    QPrinter printer(QPrinter::HighResolution);
    setUp(printer);
    QPrintPreviewDialog dialog(&printer);
    dialog.setObjectName(QStringLiteral("reportPreview"));
    dialog.setWindowTitle(windowTitle);
    dialog.setLayoutDirection(Qt::RightToLeft);
    dialog.resize(900, 820);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter *target) {
        try {
            paint(*target, target->printerName());
        } catch (const ComponentError &error) {
            // The preview shows what it could draw; printing from it reports its own failure.
            qCWarning(lcComponents) << "report preview incomplete:" << error.number() << error.description();
        }
    });
    if (auto *view = dialog.findChild<QPrintPreviewWidget *>())
        view->fitToWidth();
    dialog.exec();
}

bool ReportPrinter::printsToPdf(const QString &printerName)
{
    if (printerName.compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0)
        return true;
    return (printerName.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(printerName)).isNull();
}

QString ReportPrinter::print(const QString &printerName, const QString &pdfFile)
{
    if (!printsToPdf(printerName)) {
        const QPrinterInfo info = printerName.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                        : QPrinterInfo::printerInfo(printerName);
        QPrinter printer(info, QPrinter::HighResolution);
        setUp(printer);
        paint(printer, printer.printerName());
        return {};
    }
    writePdf(*openPdf(pdfFile));
    return pdfFile;
}

std::unique_ptr<QFile> ReportPrinter::openPdf(const QString &pdfFile)
{
    // Payslips are the employees' own business: the folder the report makes and its files
    // are for the user alone. A folder that was there already keeps its mode.
    const QString folder = QFileInfo(pdfFile).absolutePath();
    const bool made = !QFileInfo::exists(folder);
    if (!QDir().mkpath(folder))
        throw ComponentError(ReportErrors::OutputFailed,
                             QStringLiteral("شاخه فايلهاي PDF ساخته نمي شود: ") + leftToRight(folder));
    if (made)
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    auto file = std::make_unique<QFile>(pdfFile);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw ComponentError(ReportErrors::OutputFailed,
                             QStringLiteral("چاپگر يا فايل خروجي آماده نيست: ") + leftToRight(pdfFile));
    file->setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return file;
}

// A PDF writer, not a PDF printer: it needs no printing system and may write on any thread.
void ReportPrinter::writePdf(QIODevice &file)
{
    QPdfWriter writer(&file);
    writer.setResolution(1200);
    writer.setPageLayout(pageLayout());
    writer.setTitle(m_layout.title);
    writer.setCreator(QStringLiteral("OruHR"));
    const QFile *named = qobject_cast<const QFile *>(&file);
    paint(writer, named ? named->fileName() : QString());
}

} // namespace oruhr
