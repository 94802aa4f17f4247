#pragma once
// The audio output card in slot 3 or slot 4 of the central device: two line
// outputs, each with a volume and a delay. The remote amplifiers are fed from
// its outputs. The fitted flag is the base object's show-connector-names flag.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

namespace outputcard {
enum : uint32_t {
    Slot3 = 33014,        // kind of the card in slot 3
    Slot4 = 33015,        // kind of the card in slot 4
    NotFitted = 33008,    // "Nicht bestückt"
    LineModule = 33018,   // "2-Kanal LINE Ausgangsmodul"
};
}

// Parameter codes of an output card.
enum OutputParamCode : uint32_t {
    OPC_VOL = 0,
    OPC_DELAY = 1,
    OPC_UNIT = 2,  // the delay unit of the audio outputs dialog (program-wide)
};

class CAudioOutputSlot : public CBaseDevice {
    QL_DECLARE_SERIAL(CAudioOutputSlot)
public:
    CAudioOutputSlot();

    using CBaseDevice::Create;
    int Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name, int32_t left, int32_t top,
               int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId, uint32_t style,
               CQuillomerDoc* doc) override;
    void Serialize(CArchive& ar) override;
    int InitObject() override;
    int OnCommand(uint32_t commandId) override;
    void OnUpdateCommand(CCmdUI& cmdUI) override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;

    // Text of one value (leading blanks removed): volume "%2.1f", delay in
    // milliseconds "%7.3f", the delay unit "%d"; empty for another code.
    std::string GetValueText(uint32_t code, int channel) const;
    // Stores one value from its text; 1, or 0 for an unknown code.
    int SetValue(uint32_t code, int channel, const std::string& text);
    // Warns when 20 or more amplifier inputs hang at output 0 or 1.
    void CheckOutputLoad(int32_t output);

    bool IsFitted() const { return m_showConnectorNames != 0; }
    // Fits the card (true) or empties the slot; volumes 0.0 / -80.0, delays kept.
    void SetFitted(bool fitted);
    // True when any amplifier is linked to one of the outputs.
    bool HasLinkedAmplifiers() const;

    // An amplifier model of the card's "Verstärker hinzufügen" menu.
    struct AmpCommand {
        uint32_t command;   // also the amplifier's kind id
        int32_t channels;   // inputs = outputs of the amplifier
        uint32_t bitmapId;
    };
    // The entry of an amplifier command, or null.
    static const AmpCommand* FindAmpCommand(uint32_t command);

    // The delay unit of the audio outputs dialog (0 ms, 1 meter, 2 feet).
    static int32_t GetDelayUnit();
    // Key tables shared by all output cards ("OUT1/VOL" → 0, "OUT2/DELAY" → 65537).
    static const std::map<std::string, uint32_t>& GetPathToKeyTable();
    static const std::map<uint32_t, std::string>& GetKeyToPathTable();

    double m_volume[2] = {0.0, 0.0};  // dB, -80.0 .. 6.0
    double m_delay[2] = {0.0, 0.0};   // seconds

private:
    static void FillTables();
};
