#pragma once
// The common ground of the macro editor views (the right pane of the macro
// window): the form with its "Funktion" description and "Parameter" box, the
// way a view finds its macro and the macro's counterpart, and the lists,
// pair names, zone choice and mode renames that several views share.
//
// A view keeps no copy of a value: it reads the macro once when it is filled
// and writes every change of a control into the macro at once. While it is
// filled nothing is written.

#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class CBaseDevice;
class CEllipsisStatic;
class CMacro;
class CMacroDlgFrm;
class CQuillomerDoc;
class QCheckBox;
class QComboBox;
class QDialog;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CMacroEditorView : public QWidget {
    Q_OBJECT
public:
    // Runs a modal dialog of a view (or of the list); replaceable so that the
    // dialogs can be answered without a user.
    using DialogRunner = std::function<int(QDialog& dialog)>;
    static DialogRunner SetDialogRunner(DialogRunner runner);
    static int RunDialog(QDialog& dialog);

    // The text of the macro window's own contexts, in the language in use.
    static QString Tr(const char* german);

    // Fills the controls from the current macro (once, after creation).
    void InitialUpdate();

    // The frame around the view, its selected macro, and that macro's
    // counterpart (parameter 31; null when none or when it names no macro).
    // The selected macro counts only while it is the one the view was filled
    // for, with the same type.
    CMacroDlgFrm* Frame() const;
    CMacro* Macro() const;
    CMacro* Counterpart() const;
    static CMacro* CounterpartOf(const CMacro* macro);

    // `write` on the macro and then on its counterpart (when there is one).
    void ForBoth(const std::function<void(CMacro&)>& write) const;

    // Whole numbers and floats of an edit as "%d" / "%f" read them, with
    // "7,5" or "7.5" as the user types a decimal; nothing when the text does
    // not begin with one, and no whole number when it begins with a decimal
    // ("7,5" is neither 7 nor 75).
    static std::optional<int> ReadInt(const QString& text);
    static std::optional<float> ReadFloat(const QString& text);
    // Every occurrence of `from` replaced, case-sensitively.
    static std::string ReplaceAll(std::string text, const std::string& from, const std::string& to);

protected:
    // A form: the description in the "Funktion" box, the controls in the
    // "Parameter" box. `description` empty: a bare form (the empty view).
    CMacroEditorView(QWidget* parent, const char* description);

    // What the view reads from the macro; lists are filled before.
    virtual void OnInitialUpdate() {}
    bool IsFilling() const { return m_filling; }

    // Controls in the parameter box, one row each, found by their id as
    // object name. A label of null leaves the label column empty.
    QComboBox* AddCombo(int id, const char* label);
    QLineEdit* AddEdit(int id, const char* label, const char* unit = nullptr);
    QCheckBox* AddCheck(int id, const char* text);
    // A check box drawn as a push button: it stays pressed while checked.
    QPushButton* AddToggle(int id, const char* text);
    QRadioButton* AddRadio(int id, const char* text);
    QLabel* AddStatic(int id, const char* label);
    QLabel* AddText(const char* text);
    // The zone choice: text 1524 and button 1225 on one row.
    CEllipsisStatic* AddZones(const char* label);
    // The pair names: statics 1330 and 1331 under their labels.
    void AddPair(const char* onLabel, const char* offLabel);
    QGridLayout* Grid() const { return m_grid; }

    // "OFF" with 0, then the objects of `type` in number order by name,
    // each with its number.
    void FillObjects(QComboBox* combo, uint32_t type) const;
    // "OFF" 0 (when wanted), then "1".."10" with 10..100.
    static void FillPriority(QComboBox* combo, bool withOff);
    // Selects the first entry with `value`; the selection stays otherwise.
    static void SelectData(QComboBox* combo, int value);
    // Selects the first entry whose value / 10 equals `priority` / 10.
    static void SelectPriority(QComboBox* combo, int priority);
    // The selected entry's value (0 when none).
    static int SelectedData(const QComboBox* combo);
    // Calls `handler` with the new selection's value, unless filling.
    void OnSelect(QComboBox* combo, const std::function<void(int value)>& handler);
    // Calls `handler` when the edit loses the focus (or Enter), unless filling.
    void OnCommit(QLineEdit* edit, const std::function<void()>& handler);
    // A number edit that writes parameter `param` at every key (into the
    // macro, and with `both` into its counterpart too), shown as kept once
    // left. Left with a text that is no number of its kind, such as "3.5,5",
    // or a decimal where whole numbers are asked, what was typed is refused
    // as a whole: the value held before the typing began comes back, never
    // one the keys passed on the way.
    void TypedNumberEdit(QLineEdit* edit, int param, bool whole, bool both);
    // A text parameter written as it is typed, while the text rule takes it;
    // a text refused when it is confirmed gives way to the one the field
    // showed before the typing, which is written back.
    void TextParamEdit(QLineEdit* edit, int param);

    // Shows own and counterpart names in 1330 (switching on) and 1331.
    void ShowPair() const;
    // Shows the zone text of the macro (parameter 63).
    void ShowZones() const;
    // The zone dialog on the macro's zones and groups; OK makes them the
    // targets of the macro and its counterpart.
    void EditZones();

    // The ON/OFF (0) or ADD/SUB (1) way of switching: parameter 18 of the
    // macro and its counterpart, each renamed by its own switch (ON <-> ADD
    // for the switching-on, OFF <-> SUB for the switching-off macro); then
    // the window is rebuilt.
    void ApplyAddSubMode(int mode);
    // "OFF", then the names of the message recorder's slots (position = slot).
    void FillRecorderSlots(QComboBox* combo) const;
    // "OFF" and the audio inputs IN1..IN4, the position being the value.
    static void FillInputs(QComboBox* combo);
    // "Alle Sprechstellen" with 0, then the consoles with their numbers.
    void FillConsoles(QComboBox* combo) const;

    // Rebuilds the list and this view (this view is gone afterwards).
    void RefreshWindow();

    CQuillomerDoc* Document() const;
    // Marks the project changed after a write (so that closing asks to save).
    void Modified() const;

private:
    QGridLayout* m_grid = nullptr;
    int m_row = 0;
    bool m_filling = false;
    // The macro the view was filled for (number and type).
    bool m_bound = false;
    int m_number = 0;
    uint32_t m_type = 0;
};
