#pragma once
// The audio output card in slot 3 or slot 4 of the central device: two line
// outputs, each with a volume and a delay. The remote amplifiers are fed from
// its outputs. The fitted flag is the base object's show-connector-names flag.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

class CAmplifier;
class IAudioOutputsDlg;

namespace outputcard {
enum : uint32_t {
    Slot3 = 33014,        // kind of the card in slot 3
    Slot4 = 33015,        // kind of the card in slot 4
    NotFitted = 33008,    // "Nicht bestückt"
    LineModule = 33018,   // "2-Kanal LINE Ausgangsmodul"
};
// An output carrying this many amplifier inputs or more draws a warning.
constexpr int kLoadWarning = 20;
}  // namespace outputcard

// Parameter codes of an output card.
enum OutputParamCode : uint32_t {
    OPC_VOL = 0,
    OPC_DELAY = 1,
    OPC_UNIT = 2,  // the delay unit of the audio outputs dialog (one per document)
};

class CAudioOutputSlot : public CBaseDevice {
    QL_DECLARE_SERIAL(CAudioOutputSlot)
public:
    CAudioOutputSlot();
    ~CAudioOutputSlot() override;

    using CBaseDevice::Create;
    int Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name, int32_t left, int32_t top,
               int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId, uint32_t style,
               CQuillomerDoc* doc) override;
    void Serialize(CArchive& ar) override;
    int InitObject() override;
    // Volumes and delays of the file beyond what an output takes are held
    // at its range, as its answers are (the document names them).
    int PostLoad() override;
    void CalcBoundingRect() override;
    int OnCommand(uint32_t commandId) override;
    void OnUpdateCommand(CCmdUI& cmdUI) override;
    // Opens the audio outputs dialog on the card's document (or points the
    // open one at it).
    void OnOpen(uint32_t a, uint32_t b, uint32_t c) override;
    // "AUDIO/OUT3/VOL -12.5": stores the device's value (nothing goes into
    // the difference file).
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;
    // Two steps: the volumes of both outputs, then their delays.
    int GetDownloadLines(int mode, int step) override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;

    // Text of one value (leading blanks removed): volume "%2.1f", delay in
    // milliseconds "%7.3f", the delay unit "%d"; empty for another code.
    std::string GetValueText(uint32_t code, int channel) const;
    // Stores one value from its text; 1, or 0 for an unknown code.
    int SetValue(uint32_t code, int channel, const std::string& text);
    // Builds the protocol line of one value ("/AUDIO/OUT3/VOL -12.5", or the
    // query "/AUDIO/OUT3/VOL ?"), sends it through the line sender (`shorten`
    // is the sender's path-shortening flag) and returns it. Empty, nothing
    // sent, for a value without a protocol key or a card without a slot path.
    std::string BuildLine(uint32_t code, int channel, bool shorten, bool query);
    // Warns when 20 or more amplifier inputs hang at output 0 or 1.
    void CheckOutputLoad(int32_t output);
    // Adds an amplifier of the model `command` at the hovered output; the new
    // amplifier, or null (no output hovered, not fitted, creation refused).
    CAmplifier* AddAmplifier(uint32_t command);

    bool IsFitted() const { return m_showConnectorNames != 0; }
    // Fits the card (true) or empties the slot; volumes 0.0 / -80.0, delays kept.
    void SetFitted(bool fitted);
    // True when any amplifier is linked to one of the outputs.
    bool HasLinkedAmplifiers() const;
    // Device-wide number 1..4 of output 0 or 1; 0 for a card without a slot path.
    int32_t GetOutputNumber(int32_t output) const;
    // The index 0..3 of the audio outputs dialog of channel 0 or 1; -1 for a
    // card that is neither "Slot 3" nor "Slot 4".
    int32_t GetDialogOutput(int channel) const;

    // An amplifier model of the card's "Verstärker hinzufügen" menu.
    struct AmpCommand {
        uint32_t command;   // also the amplifier's kind id
        int32_t channels;   // inputs = outputs of the amplifier
        uint32_t bitmapId;
    };
    // The entry of an amplifier command, or null.
    static const AmpCommand* FindAmpCommand(uint32_t command);

    // The delay unit of the audio outputs dialog (0 ms, 1 meter, 2 feet) of a
    // document; null: the active document. Every open document has its own.
    static int32_t GetDelayUnit(const CQuillomerDoc* doc = nullptr);
    // The longest delay the device takes, in seconds, by the document's
    // device variant (null: the upgraded device's).
    static double MaxDelaySeconds(const CQuillomerDoc* doc);
    // Key tables shared by all output cards ("OUT1/VOL" → 0, "OUT2/DELAY" → 65537).
    static const std::map<std::string, uint32_t>& GetPathToKeyTable();
    static const std::map<uint32_t, std::string>& GetKeyToPathTable();

    static constexpr double kMinVolume = -80.0;  // dB
    static constexpr double kMaxVolume = 6.0;
    double m_volume[2] = {0.0, 0.0};  // dB, kMinVolume .. kMaxVolume
    double m_delay[2] = {0.0, 0.0};   // seconds

private:
    struct SharedValues;
    static std::map<const CQuillomerDoc*, SharedValues>& SharedStore();
    SharedValues& Shared() const;
    void LeaveShared();
    static void FillTables();
    // The open audio outputs dialog when it shows this card's document.
    IAudioOutputsDlg* DialogOfMyDocument() const;
    CQuillomerDoc* OwnDocument() const;

    // The document whose delay unit this card uses (never dereferenced).
    mutable const CQuillomerDoc* m_sharedDoc = nullptr;
    mutable bool m_sharedJoined = false;
};

// How the cards reach the modeless audio outputs dialog. The window code
// installs the opener: it opens the dialog on the document, or points the
// open one at it and activates it; 0 when it could not be made.
using AudioOutputsDlgOpener = int (*)(CQuillomerDoc* doc);
AudioOutputsDlgOpener SetAudioOutputsDlgOpener(AudioOutputsDlgOpener opener);
// The document the open dialog shows (the dialog keeps it up to date; it
// becomes null when that document's cards are destroyed).
void SetAudioOutputsDlgDocument(CQuillomerDoc* doc);
CQuillomerDoc* GetAudioOutputsDlgDocument();
