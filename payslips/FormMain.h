#pragma once

#include <QDialog>
#include <QString>

namespace oruhr {

class PelikDate;

// The payslip batch window: registration mode, or print mode when opened by ClearShow.
class FormMain : public QDialog {
    Q_OBJECT

public:
    explicit FormMain(QWidget *parent = nullptr);

    // Set by the opening call before the window loads.
    bool IsPrintMode = false;

    // Initialises the window afresh; throws ComponentError, and the window is then not shown.
    void Form_Load();
    // Loads, then shows the window modally; returns when it is closed.
    void showModal();

    QString StartDateText;
    PelikDate *datBeginDate;
    PelikDate *datEndDate;
    PelikDate *datTempDate;
};

} // namespace oruhr
