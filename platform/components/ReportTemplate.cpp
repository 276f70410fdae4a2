#include "platform/components/ReportTemplate.h"

#include "platform/automation/ComponentError.h"
#include "platform/components/BidiText.h"
#include "platform/components/ReportErrors.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextDocumentFragment>

namespace oruhr {
namespace {

const QRegularExpression sqlBlock(QStringLiteral(R"(<script\b([^>]*)>(.*?)</script\s*>)"),
                                  QRegularExpression::CaseInsensitiveOption
                                      | QRegularExpression::DotMatchesEverythingOption);

QString attribute(const QString &attributes, const QString &name)
{
    const QRegularExpression pattern(QStringLiteral(R"(\b%1\s*=\s*["']([^"']*)["'])").arg(name),
                                     QRegularExpression::CaseInsensitiveOption);
    return pattern.match(attributes).captured(1).trimmed();
}

QString metaContent(const QString &html, const QString &name)
{
    const QRegularExpression meta(QStringLiteral(R"(<meta\b[^>]*>)"), QRegularExpression::CaseInsensitiveOption);
    for (auto it = meta.globalMatch(html); it.hasNext();) {
        const QString tag = it.next().captured(0);
        if (attribute(tag, QStringLiteral("name")).compare(name, Qt::CaseInsensitive) == 0)
            return attribute(tag, QStringLiteral("content"));
    }
    return {};
}

void readPage(const QString &page, ReportTemplate &report)
{
    static const std::pair<const char *, QPageSize::PageSizeId> sizes[] = {
        {"A3", QPageSize::A3}, {"A4", QPageSize::A4},         {"A5", QPageSize::A5},
        {"A6", QPageSize::A6}, {"Letter", QPageSize::Letter}, {"Legal", QPageSize::Legal},
    };
    for (const QString &word : page.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (word.compare(QLatin1String("landscape"), Qt::CaseInsensitive) == 0)
            report.orientation = QPageLayout::Landscape;
        for (const auto &[name, id] : sizes) {
            if (word.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                report.pageSize = QPageSize(id);
        }
    }
}

} // namespace

ReportTemplate ReportTemplate::read(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        throw ComponentError(ComponentError::ReportFileCannotBeOpened,
                             QStringLiteral("فايل قالب گزارش باز نمي شود: ") + leftToRight(path));
    return parse(QString::fromUtf8(file.readAll()), path);
}

ReportTemplate ReportTemplate::parse(const QString &html, const QString &path)
{
    ReportTemplate report;
    report.body = html;
    // Backwards, so that the positions of the blocks not yet removed stay valid.
    QList<QRegularExpressionMatch> blocks;
    for (auto it = sqlBlock.globalMatch(html); it.hasNext();)
        blocks.prepend(it.next());
    for (const QRegularExpressionMatch &block : blocks) {
        const QString attributes = block.captured(1);
        if (attribute(attributes, QStringLiteral("type")).compare(QLatin1String("text/x-sql"), Qt::CaseInsensitive))
            continue;
        const QString role = attribute(attributes, QStringLiteral("id"));
        const QString sql = block.captured(2).trimmed();
        if (role.compare(QLatin1String("main"), Qt::CaseInsensitive) == 0)
            report.mainSql = sql;
        else if (role.compare(QLatin1String("detail"), Qt::CaseInsensitive) == 0)
            report.detailSql.insert(QString(), sql);
        else if (role.startsWith(QLatin1String("detail:"), Qt::CaseInsensitive))
            report.detailSql.insert(role.mid(7), sql);
        report.body.remove(block.capturedStart(0), block.capturedLength(0));
    }
    if (report.mainSql.isEmpty())
        throw ComponentError(ReportErrors::InvalidTemplate,
                             QStringLiteral("قالب گزارش SQL رکورد اصلي را ندارد: ") + leftToRight(path));

    const QRegularExpression title(QStringLiteral(R"(<title\b[^>]*>(.*?)</title\s*>)"),
                                   QRegularExpression::CaseInsensitiveOption
                                       | QRegularExpression::DotMatchesEverythingOption);
    report.title = QTextDocumentFragment::fromHtml(title.match(html).captured(1)).toPlainText().trimmed();
    readPage(metaContent(html, QStringLiteral("page")), report);
    return report;
}

} // namespace oruhr
