#pragma once
// The base of the alarm, chime and message pages of the audio signal editor:
// it ties a page to the signal selected in the editor's signal list, loads
// that signal's values when the page becomes active, writes them back on
// Apply and creates a signal of the page's kind when Apply finds none
// selected. The priority edit with its slider, the intern/extern choice and
// the start and stop macros are shared by the pages that show them.

#include <QString>

#include <cstdint>
#include <functional>

#include "ui/CPropertyPage.h"

class CAudioSignal;
class CQuillomerDoc;
class CValueEdit;
class QComboBox;
class QGridLayout;
class QRadioButton;
class QSlider;

class CSignalPage : public CPropertyPage {
    Q_OBJECT
public:
    CSignalPage(const QString& title, uint32_t kindId, QWidget* parent = nullptr);

    uint32_t GetKindId() const { return m_kindId; }
    // Writes the page's values into the selected signal of the page's kind.
    virtual void ApplyToSignal() {}
    // Shows the selected signal of the page's kind, or the page's defaults.
    virtual void LoadFromSignal() {}
    // A new signal of the page's kind made from the page's values (null when none).
    virtual CAudioSignal* CreateSignal();

    bool OnSetActive() override;
    bool OnKillActive() override;
    bool OnApply() override;

    // Whether the sheet's Apply button started the running apply (set by the editor).
    void SetApplyButtonTest(std::function<bool()> test) { m_applyFromButton = std::move(test); }
    // Whether the sheet is applying (OK or Apply) rather than the user
    // leaving the page for another one (set by the editor).
    void SetSheetApplyingTest(std::function<bool()> test) { m_sheetApplying = std::move(test); }
    // The priority as typed, 1..10; false (and a message) when out of range.
    bool ReadPriority(int* priority);
    // The connections dialog of the list's selected signal (Ctrl+C); nothing without one.
    void ShowConnections();

    CValueEdit* m_priority = nullptr;
    QSlider* m_prioritySlider = nullptr;
    QRadioButton* m_intern = nullptr;
    QRadioButton* m_extern = nullptr;
    QComboBox* m_start = nullptr;
    QComboBox* m_stop = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The selected signal when it is of the page's kind; else null.
    CAudioSignal* Selected() const;
    void AddPriority(QGridLayout* grid, int row);
    void AddIntern(QGridLayout* grid, int row);
    void AddMacros(QGridLayout* grid, int row);
    void FillMacros();
    void ShowPriority(int priority);
    // Macro combos: "OFF" or the signal's start and stop macros.
    void LoadMacros(const CAudioSignal* signal);
    void ApplyMacros(CAudioSignal* signal);
    // Takes away the links the page sets anew: from generators of
    // `generatorType` and to the start and stop macros. Others stay, such as
    // the macros that play the signal.
    static void UnlinkShown(CAudioSignal* signal, uint32_t generatorType);
    // Creates `signal` as a page's new signal with the given priority text and
    // appends it to the document; null (and the object gone) when that fails.
    CAudioSignal* Enter(CAudioSignal* signal, const char* priority);
    virtual void OnInternChanged() {}

    uint32_t m_kindId;
    std::function<bool()> m_applyFromButton;
    std::function<bool()> m_sheetApplying;
};
