#pragma once
// Edits the descriptive data of a project and its device variant. The caller
// fills the public fields, runs the dialog modally and reads them after OK.

#include <QDateTime>
#include <QDialog>
#include <QString>
#include <ctime>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
struct ProjectData;

class CProjectDataDlg : public QDialog {
    Q_OBJECT
public:
    explicit CProjectDataDlg(QWidget* parent = nullptr);

    // Fields (exchanged with the controls by UpdateData).
    QString m_strProjectName;
    QString m_strProjectNumber;
    QString m_strCompany;
    QString m_strAddress;
    QString m_strSystemNumber;
    QString m_strEditor;
    QString m_strDate;
    QString m_strFileName;
    int m_bPassword = 0;
    QString m_strPassword;
    QString m_strDescription;
    int m_nDeviceVariant = -1;   // 0 "KVT 7000", 1 "KVT 7000 Upgrade", -1 none
    std::time_t m_timeDate = 0;  // set by OK from the date text

    QLineEdit* m_editPassword = nullptr;

    // Fields to controls (false) or controls to fields (true).
    void UpdateData(bool saveAndValidate);

    // Fills the fields from the project data, and the project data from the
    // fields (the password only while its check box is on).
    void SetFromProjectData(const ProjectData& data);
    void GetProjectData(ProjectData& data) const;


    void OnPasswordCheck();
    void OnVariantClicked();
    void OnOK();

    // Controls, for tests.
    QLineEdit* ProjectNameEdit() const { return m_name; }
    QLineEdit* DateEdit() const { return m_date; }
    QCheckBox* PasswordCheck() const { return m_check; }
    QRadioButton* VariantButton(int variant) const { return variant ? m_upgrade : m_standard; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool OnInitDialog();
    // Whether the text is a date in the German or the English form.
    static bool IsDateOfEitherLanguage(const QString& text);

    QLineEdit* m_name;
    QLineEdit* m_number;
    QLineEdit* m_company;
    QLineEdit* m_address;
    QLineEdit* m_system;
    QLineEdit* m_editor;
    QLineEdit* m_date;
    QLineEdit* m_file;
    QCheckBox* m_check;
    QPlainTextEdit* m_description;
    QRadioButton* m_standard;
    QRadioButton* m_upgrade;
    bool m_initialised = false;
    QString m_strDateShown;  // the date text the dialog opened with
};
