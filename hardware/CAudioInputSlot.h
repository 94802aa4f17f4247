#pragma once
// One audio input card slot of the central device ("Slot1", "Slot2"). The
// card model is the kind id; each card carries two input channels (A and B)
// with volume, attenuation, ramp, AUX source choice and three filters.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

class IAudioInputsDlg;

// Card models: the kind id equals the menu command that selects the model.
namespace inputcard {
enum : uint32_t {
    NotFitted = 33043,       // "Eingangsslot nicht bestückt"
    Console2 = 33044,        // 2-channel console module
    MicLine2 = 33045,        // 2-channel MIC/LINE
    Aux2 = 33046,            // 2-channel AUX
    AuxMicLine = 33047,      // AUX + MIC/LINE
    ConsoleMicLine = 33089,  // console module + MIC/LINE
};
}

// Kind of one input channel.
enum InputChannelKind : int32_t {
    ICK_NONE = 0,
    ICK_CONSOLE = 1,
    ICK_MIC = 2,   // MIC/LINE channel with MIC selected
    ICK_LINE = 3,  // MIC/LINE channel with LINE selected
    ICK_AUX = 4,
};

// Filter types; the words "LOSHELV" .. "HISHELV" are also the protocol values.
enum InputFilterType : int32_t {
    IFT_LOSHELV = 0,
    IFT_LOCUT = 1,
    IFT_PEQ = 2,
    IFT_HICUT = 3,
    IFT_HISHELV = 4,
};

// Parameter codes. A key holds the code in bits 0-15 and the filter index
// 0..2 in bits 16-23; the channel is passed separately.
enum InputParamCode : uint32_t {
    IPC_VOL = 0,
    IPC_ATTENUATION = 1,
    IPC_RAMP = 2,
    IPC_AUX = 3,
    IPC_BYPASS_ALL = 4,
    IPC_TYPE = 5,
    IPC_F = 6,
    IPC_Q = 7,
    IPC_V = 8,
    IPC_S = 9,
    IPC_BYPASS = 10,
};

inline constexpr uint32_t MakeInputKey(uint32_t code, uint32_t filter) { return (filter << 16) | code; }

struct InputFilter {
    int32_t type = IFT_PEQ;
    double f = 1000.0;   // Hz, 20.0 .. 20000.0
    double q = 1.0;      // 0.4 .. 20.0
    double v = 0.0;      // dB, -12.0 .. 12.0
    int32_t s = 0;       // slope: 0 = 6 dB, 1 = 12 dB
    int32_t bypass = 0;  // 0 / 1
};

// One entry of the slot's context menu (id 0 with a null text: separator).

// The submenus of the slot's context menu resource (141).
enum class InputSubmenu { Card = 0, Consoles, Microphones, Lines, Aux };

class CAudioInputSlot : public CBaseDevice {
    QL_DECLARE_SERIAL(CAudioInputSlot)
public:
    CAudioInputSlot();
    ~CAudioInputSlot() override;

    void Serialize(CArchive& ar) override;
    int InitObject() override;
    // Values of the file the card cannot hold are held at their ranges or
    // refused, as its answers are (the document names them).
    int PostLoad() override;
    void CalcBoundingRect() override;
    void Draw(IPainter& dc) override;
    void OnContextMenu(CPoint point) override;
    int OnCommand(uint32_t commandId) override;
    void OnUpdateCommand(CCmdUI& cmdUI) override;
    // Follows the mouse over the input connectors; 1 when the hovered
    // connector changed (its name was drawn anew).
    int TrackConnector(IPainter& dc, CPoint point) override;
    // Opens the audio inputs dialog on the input of the hovered connector.
    void OnOpen(uint32_t a, uint32_t b, uint32_t c) override;
    // A click into a selector box switches MIC/LINE or AUX1/AUX2; the label
    // itself is never reported as hit.
    bool HitTestLabel(CPoint point) const override;
    // "AUDIO/IN3/FILTER1/TYPE PEQ": stores the device's value (nothing goes
    // into the difference file).
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;
    // 40 steps: the 20 values of channel A, then of channel B.
    int GetDownloadLines(int mode, int step) override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;
    // Fits another card model (kind id) and sets the slot up again.
    virtual void SetCardType(uint32_t kindId);

    // InputChannelKind of channel 0 (A) or any other value (B).
    int32_t GetChannelKind(int channel) const;
    // Sets one parameter from its text; 1, or 0 for an unknown code.
    int SetValueText(uint32_t key, int channel, const std::string& text);
    // The text of one parameter (leading blanks removed); empty for an unknown code.
    std::string GetValueText(uint32_t key, int channel) const;
    // Builds the protocol line of one parameter (subKey = channel * 256 +
    // filter), sends it through the line sender and returns it; `query` asks
    // for the value instead. Empty (nothing sent) for a parameter without a
    // protocol path or a slot without a slot number.
    std::string TransmitParameter(uint32_t code, uint32_t subKey, bool shorten, bool query);
    // Device-wide input number 1..4 of a channel; 0 for a slot without a number.
    int32_t GetInputNumber(int channel) const;
    // Attaches a new audio device (command 33059..33069) to the hovered input.
    int AttachDevice(uint32_t command);
    // Fits a new paging console (console kind id) to the hovered input, with
    // its keys programmed on the zones from 1 on. 1 when fitted; 0 when it
    // could not be made; -1 when it was refused and the user told why.
    int AddConsole(uint32_t consoleKindId);
    // The index 0..3 of the audio inputs dialog that belongs to the hovered connector.
    int32_t GetDialogInput() const;
    int32_t GetSlotNumber() const { return m_slotNumber; }
    bool IsFitted() const { return m_kindId != inputcard::NotFitted; }
    // True when any object is attached to one of the card's inputs.
    bool HasAttachedDevice() const;
    // The channel (0 A, 1 B) an input connector belongs to.
    int ConnectorChannel(int32_t connector) const;

    // The popup appended to the context menu for the hovered input: the
    // submenu and the entry's German text; false when no input is hovered.
    bool GetContextPopup(InputSubmenu& submenu, std::string& text) const;

    // Number of input connectors of a card model (0 for an unknown one).
    static int32_t GetCardInputCount(uint32_t kindId);
    static bool IsCardType(uint32_t kindId);

    // The attenuation and ramp time shared by every channel of the slot's
    // document (each open document has its own pair).
    double GetSharedAttenuation() const;
    double GetSharedRamp() const;

    // Tables shared by all input slots, filled by the first set-up of a run.
    static const std::map<std::string, uint32_t>& GetPathToKeyTable();   // "IN2/FILTER2/TYPE" → 0x50101
    static const std::map<uint32_t, std::string>& GetKeyToPathTable();
    static const std::map<std::string, int32_t>& GetFilterTypeTable();   // "PEQ" → 2
    // "LOSHELV" .. "HISHELV"; empty for a type outside 0..4.
    static std::string GetFilterTypeName(int32_t type);
    // The types filter 0, 1 or 2 of a channel can have, in the order the
    // audio inputs dialog lists them: LOCUT, LOSHELV, PEQ; LOSHELV, PEQ,
    // HISHELV; PEQ, HISHELV, HICUT.
    static const std::array<int32_t, 3>& GetFilterTypesOffered(int filter);
    static bool OffersFilterType(int filter, int32_t type);
    // The 20 values of one channel in download order: code and filter index.
    struct ChannelParam {
        uint32_t code;
        uint32_t filter;
    };
    static const std::vector<ChannelParam>& GetChannelDownloadOrder();

    // The ranges the card holds, from the device, the file and the dialog.
    static constexpr double kMinVolume = -80.0;  // dB
    static constexpr double kMaxVolume = 6.0;
    static constexpr double kMinFrequency = 20.0;  // Hz
    static constexpr double kMaxFrequency = 20000.0;
    static constexpr double kMinQ = 0.4;
    static constexpr double kMaxQ = 20.0;
    static constexpr double kMinGain = -12.0;  // dB
    static constexpr double kMaxGain = 12.0;

    // ---- Fields ----
    int32_t m_slotNumber = 0;     // 1 "Slot1", 2 "Slot2", 0 otherwise
    CRect m_boxes[4];             // selector boxes: 0, 1 channel A; 2, 3 channel B
    std::string m_selectorNames[4];
    int32_t m_selectorFlag[2] = {1, 1};   // MIC/LINE: 1 = MIC; which box shows pressed
    int32_t m_channelKind[2] = {ICK_NONE, ICK_NONE};
    int32_t m_auxSource[2] = {0, 0};      // 0 = AUX1, 1 = AUX2
    double m_volume[2] = {0.0, 0.0};      // dB, -80.0 .. 6.0
    double m_attenuation[2];              // dB, copy of the shared value
    double m_ramp[2];                     // ms, copy of the shared value
    int32_t m_bypassAll[2] = {0, 0};
    InputFilter m_filters[2][3];

private:
    struct SharedValues;
    static std::map<const CQuillomerDoc*, SharedValues>& SharedStore();
    SharedValues& Shared() const;
    void LeaveShared();
    static void FillTables();
    void RedrawBoxes(int channel);
    void SetUpConnectors();
    void OnSelectorClick(CPoint point);
    bool DeleteDevicesOfChannel(int channel);
    // The open audio inputs dialog when it shows this slot's document.
    IAudioInputsDlg* DialogOfMyDocument() const;
    std::string LineValueText(uint32_t code, uint32_t filter, int channel) const;
    // The protocol path and key of a parameter ("/AUDIO/IN3/FILTER1/TYPE");
    // empty for one without a path or a slot without a number.
    std::string LinePath(uint32_t code, uint32_t filter, int channel) const;
    // Whether the device's value text means what the card now holds as
    // `held` (the line value the next download sends).
    static bool TakesAsSent(uint32_t code, const std::string& device, const std::string& held);
    // Whether the device's text is a value of the key at all (a number, or a
    // word of the key; for a type, one that filter `filter` can have).
    static bool ReadsAsCardValue(uint32_t code, uint32_t filter, const std::string& device);
    bool IsNameInUse(const std::string& name) const;

    // The document whose shared values this slot uses (never dereferenced).
    mutable const CQuillomerDoc* m_sharedDoc = nullptr;
    mutable bool m_sharedJoined = false;
    bool m_loadedFromFile = false;
    bool m_sharedCopied = false;
};

// How the slots reach the modeless audio inputs dialog. The window code
// installs the opener: it opens the dialog on the document and input 0..3,
// or points the open one at them and activates it; 0 when it could not be made.
using AudioInputsDlgOpener = int (*)(CQuillomerDoc* doc, int input);
AudioInputsDlgOpener SetAudioInputsDlgOpener(AudioInputsDlgOpener opener);
// The document the open dialog shows (the dialog keeps it up to date; it
// becomes null when that document's slots are destroyed).
void SetAudioInputsDlgDocument(CQuillomerDoc* doc);
CQuillomerDoc* GetAudioInputsDlgDocument();
