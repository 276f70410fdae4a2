#pragma once

#include "platform/components/BidiText.h"

#include <QString>

namespace oruhr::MessageText {

// Titles.
inline const QString TitleProblem = QStringLiteral("اشکال");
inline const QString TitleError = QStringLiteral("خطا");
inline const QString TitleSuccess = QStringLiteral("موفقيت");
inline const QString TitleWarning = QStringLiteral("هشدار");
inline const QString TitleExcelFailure = QStringLiteral("اشکال در انتقال به اکسل");
// "خطا " and the error number, for an unexpected failure while printing.
inline QString errorTitle(int number) { return QStringLiteral("خطا ") + QString::number(number); }

// Messages and questions.
inline const QString BeginAfterEnd = QStringLiteral("تاريخ شروع بايد از تاريخ پايان نابيشتر باشد.");
inline const QString BeginDateEmpty = QStringLiteral("تاريخ شروع نمي تواند خالي باشد.");
inline const QString EndDateEmpty = QStringLiteral("تاريخ پايان نمي تواند خالي باشد.");
inline const QString BeginDateMissing = QStringLiteral("تاريخ شروع مشخص نشده است.");
inline const QString NoEmployeeChecked = QStringLiteral("کارمندي انتخاب نشده است!");
inline const QString ConfirmBackToTemp = QStringLiteral("در صورت بازگشت از حالت قطعي، اسناد حسابداري پاک خواهند شد، آيا قصد بازگشت داريد؟");
inline const QString ConfirmBatchDelete = QStringLiteral("آيا براي حذف گروهي مطمئن هستيد؟");
inline const QString NoPayrollAccountDocument = QStringLiteral("سند حسابداري مربوط به حقوق و دستمزد در اين ماه صادر نشده است.");
inline const QString AccountDocumentMissing = QStringLiteral("سند حسابداري وجود ندارد.");
inline const QString ComponentUnavailable = QStringLiteral("اجراي اين قسمت با مشکل مواجه شد. به نگهدارنده سيستم مراجعه نماييد.");
inline const QString TemplateNotChosen = QStringLiteral("قالب گزارش مشخص نيست، آنرا مشخص سازيد.");
inline const QString TempFolderMissing = QStringLiteral("شاخه موقت ويندوز پيدا نشد.") + QStringLiteral("\r\n") + QStringLiteral("C:\\Windows\\Temp");

// A failed read of the database: what could not be done, then the driver's own text.
inline const QString ListNotRead = QStringLiteral("فهرست از پايگاه داده خوانده نشد.");
inline const QString AccountDocumentNotRead = QStringLiteral("سند حسابداري حقوق و دستمزد اين ماه خوانده نشد.");
inline const QString FactorCheckNotDone = QStringLiteral("کنترل ورود عوامل حقوقي کارمندان انجام نشد.");
inline QString databaseFailure(const QString &what, const QString &driverText)
{
    return what + QLatin1Char('\n') + driverText;
}

// Completion counts: "تعداد ", the count, and the operation's tail.
inline const QString CalculatedTail = QStringLiteral(" فيش حقوقي محاسبه مجدد شد.");
inline const QString TempSavedTail = QStringLiteral(" فيش حقوقي ثبت موقت شد.");
inline const QString FinalizedTail = QStringLiteral(" فيش حقوقي ثبت قطعي شد.");
inline const QString BackToTempTail = QStringLiteral(" فيش حقوقي بازگشت داده شد.");
inline const QString DeletedTail = QStringLiteral(" فيش حقوقي حذف شد.");
inline const QString DocumentsFinalizedTail = QStringLiteral(" سند ثبت قطعي شد.");
inline QString countMessage(int count, const QString &tail)
{
    return QStringLiteral("تعداد ") + QString::number(count) + tail;
}

inline QString accountDocumentIssued(qint32 number)
{
    return QStringLiteral("سند حسابداري با شماره رايانه اي (") + QString::number(number) + QStringLiteral(") ايجاد شد.");
}

// No printer: the reports of a run went to PDF files in this folder.
inline QString reportsSavedIn(const QString &folder)
{
    return QStringLiteral("چاپگري تعريف نشده است؛ گزارش‌ها در پوشه «") + isolatedLeftToRight(folder)
         + QStringLiteral("» ذخيره شد.");
}
inline const QString NoPayslipToPrint = QStringLiteral("کارمندان انتخاب شده فيش حقوقي ندارند؛ گزارشي چاپ نشد.");

inline QString tempFolderNotOwn(const QString &folder)
{
    return QStringLiteral("پوشه موقت «") + isolatedLeftToRight(folder)
         + QStringLiteral("» از آن کاربر ديگري است يا ديگران به آن دسترسي دارند؛ نسخه موقت قالب گزارش ساخته نشد.");
}

inline QString reportFileMissing(const QString &path)
{
    return QStringLiteral("فايل چاپي در مسير مورد نظر «") + path + QStringLiteral("» وجود ندارد.");
}

} // namespace oruhr::MessageText
