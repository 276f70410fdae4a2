#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;

namespace oruhr {

class DtEn;

// The choice among several accounting documents of one form type and day.
class FormFormIDs : public QDialog {
    Q_OBJECT

public:
    explicit FormFormIDs(DtEn &dtEn, QWidget *parent = nullptr);

    // Lists the documents of the form type on the day (an SQL date text), highest ID first,
    // and returns the chosen one's ID: at once when there is exactly one, otherwise after
    // the user confirms; -1 when nothing was chosen. Throws ComponentError when the
    // database fails; the dialog is emptied either way.
    qint32 getFormID(qint32 inFormTypeID, const QString &datEndDate_EnglishDate);

    QLabel *lblFormType;
    QComboBox *cmbFormIDs;
    QPushButton *cmdOK;

private:
    void loadFormTypeName(qint32 formTypeId);
    void loadDocuments(qint32 formTypeId, const QString &endDate);
    void Form_Unload();
    void updateToolTip();

    DtEn &m_dtEn;
};

} // namespace oruhr
