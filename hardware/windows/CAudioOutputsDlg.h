#pragma once
// The modeless dialog "Audio Ausgänge": volume and delay of the four audio
// outputs of one document ("Slot3" carries OUT1 and OUT2, "Slot4" OUT3 and
// OUT4). Every change goes into the card at once and out to the device as the
// card's protocol line. Delays are shown in milliseconds, or as the distance
// sound travels meanwhile in metres or feet. At most one instance exists; it
// follows the document whose designer view has the focus.

#include <QDialog>
#include <QElapsedTimer>

#include <array>
#include <map>
#include <vector>

#include "hardware/IAudioOutputsDlg.h"

class CAudioOutputSlot;
class CGridEdit;
class CQuillomerDoc;
class QComboBox;
class QSlider;

class CAudioOutputsDlg : public QDialog, public IAudioOutputsDlg {
    Q_OBJECT
public:
    static constexpr unsigned kTemplateId = 173;
    static constexpr int kSliderMax = 87;  // slider positions 0 (+6 dB) .. 87 (-80 dB)

    // A modeless dialog on the document.
    CAudioOutputsDlg(QWidget* parent, CQuillomerDoc* doc);
    ~CAudioOutputsDlg() override;

    // IAudioOutputsDlg (used by the cards).
    void StoreAll() override;
    void Refresh(int index) override;

    CQuillomerDoc* GetDocument() const { return m_doc; }
    // Stores the controls into the cards, then shows another document.
    void SetDocument(CQuillomerDoc* doc);
    // Caption, cards, delay unit and all four outputs from the document.
    void LoadAll();
    // Output 0..3 from its card; `full` sets the volume scale up as well.
    void LoadOutput(int index, bool full);
    // Esc or the close box: stores the controls and goes away.
    void OnCancel();

    // The control handlers (also what the controls' signals run).
    void OnVolumeSlider(int index, int position);
    void OnVolumeSpin(int index, int delta);
    void OnVolumeEdited(int index);
    void OnDelaySpin(int index, int delta);
    void OnDelayEdited(int index);
    void OnUnitChange();

    // The card of output 0..3 (null when the document has none or is gone).
    CAudioOutputSlot* GetCard(int index) const;
    int GetSpinPos(int spinId) const;
    double GetDelayFactor() const { return m_factor; }
    double GetDelayMinimum() const { return m_delayMin; }
    double GetDelayMaximum() const { return m_delayMax; }
    double GetDelayStep() const { return m_step; }
    int GetKnee() const { return m_knee; }
    const std::vector<int>& GetTicks() const { return m_ticks; }
    // True while LoadOutput fills the controls (no line is sent then).
    static bool IsFilling();

    // Volume scale of the sliders: linear from +6 to -6 dB, logarithmic below.
    static int Knee();
    static double SliderToVolume(int position);
    static int VolumeToSlider(double volume);

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Spin {
        int pos = 0, min = 0, max = 0;
        QWidget* box = nullptr;
    };
    struct OutputControls {
        QSlider* slider = nullptr;
        CGridEdit* volume = nullptr;
        CGridEdit* delay = nullptr;
        int volumeSpin = 0;
        int delaySpin = 0;
    };

    void BuildControls();
    QWidget* MakeSpin(int id, bool delay);
    void EnableOutput(int index, bool enable);
    bool IsDocumentAlive() const;
    void FindCards();
    void SetUnit(int unit);
    void ApplyValue(unsigned code, int index);
    void SetSliderQuietly(int index, int position);

    CQuillomerDoc* m_doc = nullptr;
    std::array<CAudioOutputSlot*, 2> m_cards{};
    std::array<OutputControls, 4> m_outputs;
    QComboBox* m_unit = nullptr;
    std::map<int, Spin> m_spins;
    int m_knee = 50;
    std::vector<int> m_ticks;
    int m_unitIndex = 0;
    double m_factor = 1000.0;
    double m_delayMin = 0.0;
    double m_delayMax = 340.0;
    double m_step = 0.02;
    bool m_closing = false;
    QElapsedTimer m_spinPressed;  // since a delay arrow was first held
    QElapsedTimer m_spinLastClick;
};

// The open dialog, or null.
CAudioOutputsDlg* GetOpenAudioOutputsDlg();
// Opens the dialog on the document, or points the open one at it and
// activates it; 0 when it could not be made.
int OpenAudioOutputsDlg(CQuillomerDoc* doc);
// Closes the open dialog (storing its controls first) when it shows the document.
void CloseAudioOutputsDlg(CQuillomerDoc* doc);
// Points the open dialog at the document whose designer view got the focus.
void RetargetAudioOutputsDlg(CQuillomerDoc* doc);
// Deletes the dialog object at once and clears the pointer.
void DeleteAudioOutputsDlg();
