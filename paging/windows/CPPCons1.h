#pragma once
// The general page ("Allgemein") of the console settings: where the console
// is fitted, its attributes, passwords and power-on priority, whether it
// takes part in the fault handling, and the queries of its software version
// and user level.

#include <QWidget>

#include <string>

class CConsole;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

class CPPCons1 : public QWidget {
    Q_OBJECT
public:
    static constexpr unsigned kTemplateId = 197;

    explicit CPPCons1(QWidget* parent = nullptr);

    // Writes the page into the current console, takes `console` and loads it.
    void SwitchTo(CConsole* console);
    // Forgets the console without writing the page back.
    void Forget() { m_console = nullptr; }
    CConsole* GetConsole() const { return m_console; }
    void OnSetActive();
    // Writes the page into the console; false (with the reason shown) when a value is out of range.
    bool OnOK();
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified);

    // The device's answer to a query line; tests install another.
    using Query = std::string (*)(const std::string& line);
    static Query SetQuery(Query fn);
    // `failureId` tells that no answer came, `refusedId` that the device refused the query.
    void QueryValue(const char* key, unsigned failureId, unsigned refusedId);
    // The device's line is lost: the queries are greyed.
    void LineLost();

    QLineEdit* GetTypeEdit() const { return m_type; }
    QLineEdit* GetSlotEdit() const { return m_slot; }
    QLineEdit* GetInputEdit() const { return m_input; }
    QLineEdit* GetOnPrioEdit() const { return m_onPrio; }
    QLineEdit* GetUserPassword() const { return m_user; }
    QLineEdit* GetExpertPassword() const { return m_expert; }
    QCheckBox* GetFaultCheck() const { return m_fault; }
    QPushButton* GetVersionButton() const { return m_version; }
    QPushButton* GetUserLevelButton() const { return m_userLevel; }
    QPlainTextEdit* GetStatus() const { return m_status; }

signals:
    void modifiedChanged(bool modified);

private:
    void Load();

    CConsole* m_console = nullptr;
    bool m_modified = false;
    bool m_loading = false;
    QLineEdit* m_type = nullptr;
    QLineEdit* m_address = nullptr;
    QLineEdit* m_slot = nullptr;
    QLineEdit* m_input = nullptr;
    QPlainTextEdit* m_status = nullptr;
    QCheckBox* m_comp = nullptr;
    QCheckBox* m_buzzer = nullptr;
    QCheckBox* m_german = nullptr;
    QCheckBox* m_preChime = nullptr;
    QCheckBox* m_dosChar = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_expert = nullptr;
    QLineEdit* m_onPrio = nullptr;
    QSpinBox* m_onPrioSpin = nullptr;
    QLabel* m_extText = nullptr;
    QRadioButton* m_ext[4] = {};
    QLabel* m_pttLabel = nullptr;
    QComboBox* m_pttPrio = nullptr;
    QCheckBox* m_fault = nullptr;
    QPushButton* m_version = nullptr;
    QPushButton* m_userLevel = nullptr;
    int m_extValue = 0;
};
