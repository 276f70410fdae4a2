#pragma once

#include <QDialog>
#include <QVariant>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace oruhr {

class ComponentRegistry;
class DtEn;
class ModMain;

// The template dialog of a print run: the caller sets the form type, fills the list, shows
// the dialog modally and reads FilePath, which is empty unless a template was confirmed
// since the form type was set.
class FormPrint : public QDialog {
    Q_OBJECT

public:
    explicit FormPrint(ModMain &session, QWidget *parent = nullptr);

    DtEn &dataEnvironment() const { return m_dtEn; }
    qint32 FormTypeID() const { return m_formTypeId; }
    // Also empties FilePath, so that an earlier run's choice never counts.
    void setFormTypeID(qint32 formTypeId);
    QVariant FilePath() const { return m_filePath; }

    QComboBox *cmbReport;
    QLineEdit *txtDescription;
    QPushButton *cmdPrint;
    QPushButton *cmdOk;
    QLabel *SvoMessage;

protected:
    // Closing unloads the dialog: the list and the description start empty next time.
    void done(int result) override;

private:
    void confirm();

    DtEn &m_dtEn;
    const ComponentRegistry &m_components;
    qint32 m_formTypeId = 0;
    QVariant m_filePath;
};

// Fills the dialog's list with the templates of its form type and of 1406, the first one
// selected; false when there is none. Does not show the dialog. Throws ComponentError.
bool FillReportTemplates(FormPrint &form);

} // namespace oruhr
