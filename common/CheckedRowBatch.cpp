#include "common/CheckedRowBatch.h"

#include "common/CheckedRowRun.h"
#include "common/ListWindow.h"
#include "common/MessageText.h"
#include "common/Messages.h"
#include "platform/automation/ComponentError.h"
#include "platform/controls/KeyedListModel.h"
#include "shell/ModMain.h"

#include <QLoggingCategory>

namespace oruhr {

bool CheckedRowBatch::run(ListWindow &window, const Step &step)
{
    if (step.needsBeginDate && !window.hasBeginDate()) {
        ShowMessage(window.session().components(), MessageText::TitleProblem, MessageText::BeginDateMissing);
        return false;
    }
    bool ticked = false;
    {
        const std::unique_ptr<CheckedRowRun> run = window.beginRun();
        ticked = window.rows().checkedCount() > 0;
        if (!ticked)
            ShowMessage(window.session().components(), MessageText::TitleProblem, MessageText::NoEmployeeChecked);
        else
            runRows(window, step, *run);
    }
    if (!step.countTail.isEmpty())
        window.UpdateListButtons();
    return ticked;
}

void CheckedRowBatch::runRows(ListWindow &window, const Step &step, CheckedRowRun &run)
{
    const KeyedListModel &list = window.rows();
    try {
        run.progress().start(list.checkedCount());
        for (int row = 0; row < list.rowCount(); ++row) {
            if (list.item(row).checked)
                step.eachRow(run, list.item(row));
            if (step.letsMessagesThrough)
                run.letMessagesThrough();
        }
        run.progress().paint();
        if (step.afterRows)
            step.afterRows(run);
        finish(window, step, run);
    } catch (const ComponentError &error) {
        fail(step, run, error);
    }
}

void CheckedRowBatch::finish(ListWindow &window, const Step &step, CheckedRowRun &run)
{
    if (!step.countTail.isEmpty()) {
        run.restoreCursor();
        ShowMessage(window.session().components(), MessageText::TitleSuccess, MessageText::countMessage(run.progress().value(), step.countTail));
        if (step.afterCount)
            step.afterCount();
    }
    run.progress().hide();
    if (!step.countTail.isEmpty())
        window.RefreshEmployees();
}

void CheckedRowBatch::fail(const Step &step, CheckedRowRun &run, const ComponentError &error)
{
    if (step.failed) {
        step.failed(run, error);
        return;
    }
    // What was done before the failing row stays done; the progress shows where it stopped.
    run.progress().paint();
    qCWarning(step.log) << "run stopped at row" << run.progress().value() << ":" << error.number()
                        << error.description();
}

} // namespace oruhr
