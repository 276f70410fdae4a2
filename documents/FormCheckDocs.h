#pragma once

#include <QDialog>
#include <QString>

namespace oruhr {

class PelikDate;

// The HR document finalisation window.
class FormCheckDocs : public QDialog {
    Q_OBJECT

public:
    explicit FormCheckDocs(QWidget *parent = nullptr);

    // Initialises the window afresh; throws ComponentError, and the window is then not shown.
    void Form_Load();
    void showModal();

    QString StartDateText;
    PelikDate *datBeginDate;
    PelikDate *datEndDate;
    PelikDate *datTempDate;
};

} // namespace oruhr
