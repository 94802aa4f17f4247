#pragma once
// A power amplifier on the designer sheet: one symbol per physical
// amplifier, one input and one output per channel (1 to 4). Its model (the
// kind id) is a row of the amplifier type table. Models with the remote
// module sit on the amplifier bus under a bus address 0..63. The amplifier's
// outgoing link at key c is channel c's feed (an audio output); relay
// topologies hang on its incoming keys (one per channel).

#include <cstdint>
#include <string>
#include <vector>

#include "hardware/AmpTypeTable.h"
#include "model/CBaseDevice.h"

namespace ampcmd {
enum : uint32_t {
    Delete = 33001,        // "Löschen"
    Properties = 33002,    // "Eigenschaften ..."
    Direct = 33032,        // "Direkt"
    OneInN = 33033,        // "1 in N"
    NInOne = 33034,        // "N in 1" (no menu entry)
    ProgramCall = 33070,   // "Programm/Ruf"
};
}

class CAmplifier : public CBaseDevice {
    QL_DECLARE_SERIAL(CAmplifier)
public:
    static constexpr uint32_t kContextMenu = 216;
    static constexpr int32_t kMaxAddress = 63;

    CAmplifier();

    void Serialize(CArchive& ar) override;
    using CBaseDevice::Create;
    int Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name, int32_t left, int32_t top,
               int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId, uint32_t style,
               CQuillomerDoc* doc) override;
    int PostLoad() override;
    void LayoutConnectionPoints() override;
    int OnCommand(uint32_t commandId) override;
    void OnUpdateCommand(CCmdUI& cmdUI) override;
    void OnOpen(uint32_t a, uint32_t b, uint32_t c) override;
    // Model change: links to channels that no longer exist go, input 1 keeps its height.
    void SetKindId(uint32_t kindId) override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;
    // The model's text over the picture may be written wider than the
    // symbol: what the sheet shows of the amplifier reaches as far as its
    // texts as last drawn, and is repainted as far.
    CRect GetBoundingRect() const override;
    void Redraw() override;
    void DrawLabel(IPainter& dc) override;

    // ---- Type table ----
    // The row of a model; the end row when the model is not in the table.
    static const AmpTypeEntry* GetTypeEntryByKind(uint32_t kindId);
    // The row at a position; null past the last model (the end row included).
    static const AmpTypeEntry* GetTypeEntryAt(int index);
    static bool IsRemoteKind(uint32_t kindId) { return GetTypeEntryByKind(kindId)->remote != 0; }
    // The row position of this amplifier's model; 0 when absent.
    int GetTypeIndex() const;
    // The row of this amplifier's model; the end row when absent.
    const AmpTypeEntry* GetTypeEntry() const;
    bool IsRemote() const { return GetTypeEntry()->remote != 0; }
    int32_t GetChannelCount() const { return GetTypeEntry()->channels; }

    // ---- Bus address ----
    int32_t GetAddress() const { return m_address; }
    std::string GetAddressText() const;  // "%x"
    // Takes the value when it is 0..63.
    void SetAddress(int32_t value);

    // System-wide number of channel k (from 0) over the remote amplifiers in
    // bus-address order, counted from 1; -1 when the amplifier is not on the bus.
    int32_t GetGlobalChannel(int32_t k) const;
    static int32_t GetGlobalChannel(const CBaseDevice* amp, int32_t k);

    // The lowest bus address no remote amplifier of `doc` other than `except` uses; -1 when none is free.
    static int32_t FindFreeAddress(const CQuillomerDoc* doc, const CBaseDevice* except);

    // How the properties dialog runs (installed by the windows); true on OK.
    using DialogFn = bool (*)(CAmplifier* amp);
    static DialogFn SetPropertiesDialog(DialogFn fn);

    int32_t m_address = -1;

private:
    void AddTopology(uint32_t kind);

    CRect m_textArea;  // the texts as last drawn, from the symbol's top left corner
};
