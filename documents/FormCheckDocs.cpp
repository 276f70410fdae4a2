#include "documents/FormCheckDocs.h"

#include "common/PayrollMonth.h"
#include "platform/controls/PelikDate.h"

namespace oruhr {

FormCheckDocs::FormCheckDocs(QWidget *parent)
    : QDialog(parent)
    , datBeginDate(new PelikDate(this))
    , datEndDate(new PelikDate(this))
    , datTempDate(new PelikDate(this))
{
    setObjectName(QStringLiteral("FormCheckDocs"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(QString());
    datTempDate->hide();
}

void FormCheckDocs::Form_Load()
{
    PayrollMonth::readApplicationFolder();
    StartDateText = PayrollMonth::readStartDateText(*datTempDate);
    PayrollMonth::setDefaultPeriod(*datBeginDate, *datEndDate, StartDateText);
    datBeginDate->setEnabled(false);
    datEndDate->setEnabled(false);
}

void FormCheckDocs::showModal()
{
    Form_Load();
    exec();
}

} // namespace oruhr
