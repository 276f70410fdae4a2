#pragma once

#include <QString>

#include <functional>

class QLoggingCategory;

namespace oruhr {

class CheckedRowRun;
class ComponentError;
class ListWindow;
struct ListItem;

// The one run over the ticked rows of a list window: the begin date checked, the window
// disabled under the hourglass, the ticked rows counted ("nothing ticked" told under the
// hourglass), the progress, one step a row, a failure caught, then the count told and the
// list rebuilt. Each caller supplies its step and its texts.
class CheckedRowBatch {
public:
    struct Step {
        // One ticked row, in list order; a ComponentError stops the run.
        std::function<void(CheckedRowRun &, const ListItem &)> eachRow;
        // After the last row, still under the run; may fail as a row does.
        std::function<void(CheckedRowRun &)> afterRows;
        // Ends the count message; without one the count is not told, the list not rebuilt
        // and the buttons not updated.
        QString countTail;
        // Told after the count.
        std::function<void()> afterCount;
        // A failure's handling; without one the progress stays where it stopped and the
        // failure is logged here.
        std::function<void(CheckedRowRun &, const ComponentError &)> failed;
        const QLoggingCategory &(*log)() = nullptr;
        bool needsBeginDate = true;
        // Pending paints and timers run between rows.
        bool letsMessagesThrough = true;
    };

    // False when nothing ran: no begin date, or no row ticked.
    static bool run(ListWindow &window, const Step &step);

private:
    static void runRows(ListWindow &window, const Step &step, CheckedRowRun &run);
    static void finish(ListWindow &window, const Step &step, CheckedRowRun &run);
    static void fail(const Step &step, CheckedRowRun &run, const ComponentError &error);
};

} // namespace oruhr
