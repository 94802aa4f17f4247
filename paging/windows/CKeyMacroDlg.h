#pragma once
// "Makro-Aktivierung einstellen": the modeless child of the key properties
// that sets how a macro key runs its macros (its macro function) and its
// second value: macro B, repetitions per second or radio key field number.

#include <QDialog>

class CConsKey;
class CKeyPropDlg;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;

class CKeyMacroDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr unsigned kTemplateId = 300;
    enum Activation { Trigger = 0, Button = 1, Switch = 2, Repeat = 3, Radio = 4 };

    CKeyMacroDlg(CKeyPropDlg* owner, CConsKey* key);

    void SetKey(CConsKey* key);
    // What the user does (also for tests).
    void ChooseActivation(int type);
    void ChooseMacroB(int index);
    void StepSpin(bool repetitions, int delta);

    QComboBox* GetActivationCombo() const { return m_type; }
    QComboBox* GetMacroBCombo() const { return m_macroB; }
    QSpinBox* GetRepetitions() const { return m_repeat; }
    QSpinBox* GetRadioField() const { return m_radio; }
    QGroupBox* GetMacroBGroup() const { return m_macroBGroup; }
    QGroupBox* GetRepeatGroup() const { return m_repeatGroup; }
    QGroupBox* GetRadioGroup() const { return m_radioGroup; }

private:
    void ShowKey();

    CKeyPropDlg* m_owner;
    CConsKey* m_key;
    bool m_showing = false;
    QLineEdit* m_macroA = nullptr;
    QComboBox* m_type = nullptr;
    QGroupBox* m_macroBGroup = nullptr;
    QComboBox* m_macroB = nullptr;
    QGroupBox* m_repeatGroup = nullptr;
    QSpinBox* m_repeat = nullptr;
    QGroupBox* m_radioGroup = nullptr;
    QSpinBox* m_radio = nullptr;
};
