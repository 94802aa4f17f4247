#pragma once
// The login to a password-protected device (mode 1) and the setting of a new
// password (mode 2). OK asks the device through the link and keeps the dialog
// open while the device refuses.

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class CCommLink;

class CLoginDlg : public QDialog {
    Q_OBJECT
public:
    enum Mode { Login = 1, SetPassword = 2 };

    CLoginDlg(CCommLink& link, int mode, QWidget* parent = nullptr);

    QLineEdit* PasswordEdit() const { return m_password; }
    QLineEdit* ConfirmationEdit() const { return m_confirmation; }
    QCheckBox* RemoveProtectionBox() const { return m_remove; }

    void accept() override;

private:
    CCommLink& m_link;
    int m_mode;
    QCheckBox* m_remove;        // 1422
    QLineEdit* m_password;      // 1419
    QLabel* m_confirmLabel;
    QLineEdit* m_confirmation;
};
