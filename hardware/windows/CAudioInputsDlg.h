#pragma once
// The modeless dialog "Audio Eingänge": volume, attenuation, ramp and the
// three filters of the four audio inputs of one document ("Slot1" carries
// inputs 1 and 2, "Slot2" inputs 3 and 4). Every change goes into the slot
// object at once and out to the device as a protocol line. At most one
// instance exists; it follows the document whose designer view has the focus.

#include <QDialog>
#include <QElapsedTimer>

#include <array>
#include <map>

#include "comm/ILinkAnswerSink.h"
#include "hardware/EqResponse.h"
#include "hardware/IAudioInputsDlg.h"

class CAudioInputSlot;
class CEqResponseCtrl;
class CGridEdit;
class CQuillomerDoc;
class CRefusalWatch;
struct LinkRefusal;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QSlider;
class QToolButton;

class CAudioInputsDlg : public QDialog, public IAudioInputsDlg, public ILinkAnswerSink {
    Q_OBJECT
public:
    static constexpr unsigned kTemplateId = 165;

    // A modeless dialog on the document showing input 0..3.
    CAudioInputsDlg(QWidget* parent, CQuillomerDoc* doc, int input);
    ~CAudioInputsDlg() override;

    // IAudioInputsDlg (used by the slot objects).
    void StoreEdits() override { StoreInput(); }
    void RefreshInput(int input) override { SelectInput(input, false); }

    CQuillomerDoc* GetDocument() const { return m_doc; }
    // Stores the shown input, then shows the same input of another document.
    void SetDocument(CQuillomerDoc* doc);
    // Optionally stores the shown input, then selects and shows `input`.
    void SelectInput(int input, bool storeFirst);
    int GetSelectedInput() const { return m_selected; }
    // Writes every control of the shown input into its slot (sends nothing).
    void StoreInput();
    // Relabels the input buttons of slot 0 or 1; true when it has a fitted channel.
    bool UpdateSlotButtons(int slot);
    void ShowAuxSource(int input);
    // Esc or the close box: stores the shown input and goes away.
    void OnCancel();

    // One step of a spin button (control id), as the arrows give it.
    void SpinStep(int spinId, int delta);
    int GetSpinPos(int spinId) const;
    const EqResponse& GetResponse() const { return m_eq; }

    // The device's answers to what the dialog asked after a refusal.
    void OnLinkAnswer(intptr_t param, std::vector<std::string>& answers) override;
    // Volume (dB) and slider position 0..87 (0 at the top = +6 dB).
    static int VolumeToSlider(double volume);
    static double SliderToVolume(int pos);

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The user closes the dialog: a value typed into the focused edit goes
    // out as when the edit is left.
    void ApplyTypedEdit();
    // The slot, its key and channel of a device path ("/AUDIO/IN2/FILTER1/F");
    // false for a path of no input of the document.
    bool KeyOfPath(const std::string& path, CAudioInputSlot** slot, uint32_t* key, int* channel) const;
    // The device did not take a value: the input shows what the device holds
    // again (as far as the dialog knows it), and the device is asked.
    bool OnRefused(const LinkRefusal& refusal);
    struct FilterControls {
        QComboBox* type = nullptr;
        CGridEdit* f = nullptr;
        CGridEdit* q = nullptr;
        QComboBox* slope = nullptr;
        CGridEdit* v = nullptr;
        QCheckBox* bypass = nullptr;
        int fSpin = 0, qSpin = 0, vSpin = 0;
    };
    struct Spin {
        int pos = 0, min = 0, max = 0;
        QWidget* box = nullptr;
    };

    void BuildControls();
    QWidget* MakeSpin(int id);
    void SetSpin(int id, int min, int max, int pos);
    void SetSpinPos(int id, int pos);
    void LoadInput();
    // False once the shown document's slots are gone.
    bool IsDocumentAlive() const;
    void FindSlots();
    CAudioInputSlot* SlotOfInput(int input) const;
    void EnableValueControls(bool enable);
    void ShowFilterControls(int filter);
    // The type of a filter as the dialog works with it: the list's choice, or
    // the slot's own type where the list cannot show it.
    int FilterType(int filter) const;
    void ComputeFilter(int filter);
    void RepaintGraph();
    void Apply(unsigned code, int filter);

    // Reads the edit the user left, with the range message where it is due;
    // false when it refused the text (nothing to store or send).
    bool TakeTyped(CGridEdit* edit);

    void OnInputClicked(int input);
    // The selected input's slot holds the list's choice for this filter already.
    bool HoldsChoice(unsigned code, int filter, const QComboBox* list) const;
    void OnTypeChanged(int filter);
    void OnSlopeChanged(int filter);
    void OnFilterEditDone(int filter, unsigned code);
    void OnBypass(int filter);
    void OnBypassAll();
    void OnVolumeSlider(int pos);
    void OnVolumeEditDone();
    void OnAttenuationEditDone();
    void OnRampEditDone();

    CQuillomerDoc* m_doc = nullptr;
    std::array<CAudioInputSlot*, 2> m_slots{};
    std::array<bool, 2> m_fitted{};
    int m_selected = 0;
    bool m_updating = false;          // controls being filled: no actions
    bool m_closing = false;
    // The values as the device last said it holds them, by device path,
    // in the card's own text (the project's before the dialog first sent
    // that value).
    std::map<std::string, std::string> m_held;
    CRefusalWatch* m_refusals = nullptr;  // a child
    bool m_valuesEnabled = true;
    std::array<bool, 3> m_typeShown{};  // the type list shows the slot's type
    QElapsedTimer m_spinPressed;    // since a spin arrow was first held
    QElapsedTimer m_spinLastClick;
    EqResponse m_eq;

    std::array<QRadioButton*, 8> m_inputButtons{};
    QButtonGroup* m_inputGroup = nullptr;
    QLabel* m_auxCaption = nullptr;
    QLabel* m_auxSource = nullptr;
    CEqResponseCtrl* m_graph = nullptr;
    std::array<FilterControls, 3> m_filters;
    QCheckBox* m_bypassAll = nullptr;
    QSlider* m_volumeSlider = nullptr;
    CGridEdit* m_volume = nullptr;
    CGridEdit* m_attenuation = nullptr;
    CGridEdit* m_ramp = nullptr;
    std::map<int, Spin> m_spins;
};

// The open dialog, or null.
CAudioInputsDlg* GetOpenAudioInputsDlg();
// Opens the dialog on the document and input, or points the open one at them
// and activates it; 0 when it could not be made.
int OpenAudioInputsDlg(CQuillomerDoc* doc, int input);
// Closes the open dialog (storing its input) when it shows the document.
void CloseAudioInputsDlg(CQuillomerDoc* doc);
// Points the open dialog at the document whose designer view got the focus.
void RetargetAudioInputsDlg(CQuillomerDoc* doc);
// Deletes the dialog object at once and clears the pointer.
void DeleteAudioInputsDlg();
