#include "payslips/FormErrorEmployee.h"

#include "common/BusyCursor.h"
#include "common/DesignedWindow.h"
#include "common/TwipPlacement.h"
#include "payslips/PayslipSql.h"
#include "platform/automation/ComponentError.h"
#include "platform/controls/FlexGrid.h"
#include "shell/DtEn.h"

#include <QPushButton>
#include <QResizeEvent>

#include <iterator>

namespace oruhr {
namespace {

const QString notEntered = QStringLiteral("وارد نشده");
constexpr int twipsPerHeaderCharacter = 100;
constexpr int employeeIdColumn = 4;

struct FixedColumn {
    const char16_t *header;
    int width;
    int alignment;
};

const FixedColumn fixedColumns[] = {
    {u"رديف", 800, FlexGridModel::AlignCenterCenter},
    {u"کد", 1200, FlexGridModel::AlignCenterCenter},
    {u"نام", 1800, FlexGridModel::AlignLeftCenter},
    {u"نام خانوادگي", 2500, FlexGridModel::AlignLeftCenter},
    {u"شماره کارمند", 0, FlexGridModel::AlignLeftCenter},
};

} // namespace

FormErrorEmployee::FormErrorEmployee(DtEn &dtEn, QWidget *parent)
    : QDialog(parent)
    , m_dtEn(dtEn)
{
    prepareDesignedWindow(*this, "FormErrorEmployee");
    flxError = new FlexGrid(this);
    flxError->setObjectName(QStringLiteral("flxError"));
    cmdOK = new QPushButton(QStringLiteral("تاييد"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);
}

void FormErrorEmployee::Form_Load()
{
    FactorColumns = {FactorColumn{}};
    SetupErrorGrid();
    clearRows();
    m_places = FormErrorEmployeeLayout::designedPlaces();
    TwipPlacement::resize(*this, FormErrorEmployeeLayout::designedWidth, FormErrorEmployeeLayout::designedHeight);
    placeControls();
    m_loaded = true;
}

void FormErrorEmployee::Form_Unload()
{
    m_loaded = false;
    clearRows();
}

void FormErrorEmployee::SetupErrorGrid()
{
    flxError->setCols(int(std::size(fixedColumns)));
    int col = 0;
    for (const FixedColumn &column : fixedColumns) {
        flxError->setTextMatrix(0, col, QString::fromUtf16(column.header));
        flxError->setColAlignment(col, column.alignment);
        flxError->setColWidth(col, column.width);
        ++col;
    }
}

bool FormErrorEmployee::ShowErrorEmployee(const QString &inBeginDate, const QString &inFarsiBeginDate,
                                          const QString &inEndDate, const QString &inFarsiEndDate,
                                          QString &ListOfEmployeeIDs, bool isSilent)
{
    if (!m_loaded)
        Form_Load();
    setWindowTitle(QStringLiteral("اشکال عدم ورود مستقيم عوامل حقوقي کارمندان") + QStringLiteral(" از ")
                   + inFarsiBeginDate + QStringLiteral(" تا ") + inFarsiEndDate);
    if (ListOfEmployeeIDs.isEmpty())
        ListOfEmployeeIDs = QStringLiteral("-1");
    clearRows();
    try {
        BusyCursor busy;
        fillGrid(PayslipSql::missingFactors(inBeginDate, inEndDate, ListOfEmployeeIDs));
    } catch (const ComponentError &) {
        // The next check that is shown starts from a fresh grid, not from this one's columns.
        if (!isSilent)
            Form_Unload();
        throw;
    }
    if (isSilent)
        return flxError->rows() == 1;
    exec();
    Form_Unload();
    return false;
}

void FormErrorEmployee::fillGrid(const QString &sql)
{
    db::Recordset recordset = m_dtEn.query(sql);
    const int id = recordset.fieldIndex(QStringLiteral("ID"));
    const int code = recordset.fieldIndex(QStringLiteral("Code"));
    const int firstName = recordset.fieldIndex(QStringLiteral("FirstName"));
    const int sureName = recordset.fieldIndex(QStringLiteral("SureName"));
    const int parameterName = recordset.fieldIndex(QStringLiteral("ParameterName"));
    const int functionId = recordset.fieldIndex(QStringLiteral("FunctionID"));
    for (recordset.moveFirst(); !recordset.eof(); recordset.moveNext()) {
        const qint32 factor = recordset.field(functionId).toInt();
        int column = FindFactorColumn(factor);
        if (column == -1)
            column = addFactorColumn(factor, recordset.field(parameterName).toString());
        const qint32 employee = recordset.field(id).toInt();
        int row = FindEmployeeRow(employee);
        if (row == -1)
            row = addEmployeeRow(employee, {recordset.field(code).toString(), recordset.field(firstName).toString(),
                                            recordset.field(sureName).toString(), recordset.field(id).toString()});
        flxError->setTextMatrix(row, column, notEntered);
    }
}

int FormErrorEmployee::addFactorColumn(qint32 factorId, const QString &name)
{
    flxError->setCols(flxError->cols() + 1);
    const int column = flxError->cols() - 1;
    FactorColumns.append({factorId, column});
    flxError->setTextMatrix(0, column, name);
    flxError->setColWidth(column, twipsPerHeaderCharacter * int(name.size()));
    flxError->setColAlignment(column, FlexGridModel::AlignCenterCenter);
    return column;
}

int FormErrorEmployee::addEmployeeRow(qint32 employeeId, const QStringList &texts)
{
    flxError->addItem();
    const int row = flxError->rows() - 1;
    flxError->setTextMatrix(row, 0, QString::number(row));
    for (int i = 0; i < texts.size(); ++i)
        flxError->setTextMatrix(row, i + 1, texts[i]);
    m_employeeRows.insert(employeeId, row);
    return row;
}

void FormErrorEmployee::clearRows()
{
    flxError->setRows(1);
    m_employeeRows.clear();
}

int FormErrorEmployee::FindFactorColumn(qint32 factorId) const
{
    for (qsizetype i = 1; i < FactorColumns.size(); ++i)
        if (FactorColumns[i].factorId == factorId)
            return FactorColumns[i].column;
    return -1;
}

int FormErrorEmployee::FindEmployeeRow(qint32 employeeId) const
{
    return m_employeeRows.value(employeeId, -1);
}

void FormErrorEmployee::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    const QSizeF size = TwipPlacement::size(*this);
    FormErrorEmployeeLayout::resize(m_places, size.width(), size.height());
    placeControls();
}

void FormErrorEmployee::placeControls()
{
    TwipPlacement::place(*this, {{QStringLiteral("flxError"), m_places.flxError}, {QStringLiteral("cmdOK"), m_places.cmdOK}});
}

} // namespace oruhr
