#include "payslips/FormMain.h"

#include "common/PayrollMonth.h"
#include "platform/controls/PelikDate.h"

namespace oruhr {

FormMain::FormMain(QWidget *parent)
    : QDialog(parent)
    , datBeginDate(new PelikDate(this))
    , datEndDate(new PelikDate(this))
    , datTempDate(new PelikDate(this))
{
    setObjectName(QStringLiteral("FormMain"));
    setLayoutDirection(Qt::RightToLeft);
    datTempDate->hide();
}

void FormMain::Form_Load()
{
    setWindowTitle(IsPrintMode ? QStringLiteral("چاپ گروهي فيش حقوقي") : QStringLiteral("ثبت گروهي فيش حقوقي"));
    PayrollMonth::readApplicationFolder();
    StartDateText = PayrollMonth::readStartDateText(*datTempDate);
    PayrollMonth::setDefaultPeriod(*datBeginDate, *datEndDate, StartDateText);
    datBeginDate->setEnabled(false);
    datEndDate->setEnabled(false);
}

void FormMain::showModal()
{
    Form_Load();
    exec();
}

} // namespace oruhr
