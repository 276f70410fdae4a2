#pragma once

#include "common/CheckedRowBatch.h"
#include "payslips/EmployeeListMode.h"
#include "payslips/EmployeeRow.h"

#include <QList>

namespace oruhr {

class FormErrorEmployee;
class FormFormIDs;
class FormPrint;
class ModMain;
class PelikDate;

// What the payslip window's operations need of it, and nothing more.
class EmployeeListWindow {
public:
    virtual ~EmployeeListWindow() = default;

    virtual ModMain &session() const = 0;
    virtual const PelikDate &beginDate() const = 0;
    virtual const PelikDate &endDate() const = 0;
    virtual EmployeeListMode listMode() const = 0;
    // Every row in list order, ticked or not.
    virtual QList<EmployeeRow> employeeRows() const = 0;
    // Whether the ordinances behind the payslips are to be printed instead.
    virtual bool ordinancePrint() const = 0;

    // The run over the ticked rows; false when nothing ran.
    virtual bool runChecked(const CheckedRowBatch::Step &step) = 0;
    virtual void RefreshEmployees() = 0;
    virtual void UpdateListButtons() = 0;

    // The window's dialogs, each made once and kept.
    virtual FormPrint &templateDialog() = 0;
    virtual FormFormIDs &documentChoice() = 0;
    virtual FormErrorEmployee &factorCheck() = 0;
};

} // namespace oruhr
