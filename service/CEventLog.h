#pragma once
// The event log settings of the central device: six masks under "/EVENT/LOG"
// that decide which kinds of events the device records. The masks are held as
// the device spells them.

#include <cstdint>
#include <string>

#include "model/CBaseDevice.h"

class CEventLog : public CBaseDevice {
    QL_DECLARE_SERIAL(CEventLog)
public:
    enum Mask : int { Overall = 0, Audio = 1, Fault = 2, Macro = 3, ReadyInput = 4, VirtCtrl = 5, MaskCount = 6 };

    CEventLog();

    int InitObject() override;
    void Serialize(CArchive& ar) override;
    void ParseUploadLines(std::string line, const std::string& diffFileName, int linkState) override;
    int GetDownloadLines(int mode, int step) override;

    // 0..4 and 9 the masks as stored; 5, 6 audio and fault mask for display;
    // 7, 8, 10 macro, ready-input, virtual-controller mask for display.
    std::string GetValue(int index) const;
    // 0..4 and 9 store unchanged; 7, 8, 10 take "Alle"/"Kein Eintrag" for ALL/NONE.
    void SetValue(int index, const std::string& text);
    // which 1: audio mask from the low 8 bits; 2: fault mask from the low 12 bits.
    void SetMaskFromFlags(int which, uint32_t flags);
    // which 1, 2: the bits of the stored audio or fault mask's words.
    uint32_t GetMaskFlags(int which) const;

    // True when `text` is a value the mask can hold as the device gives it:
    // "NONE", the mask's own words, or for the number-set masks "ALL" or a
    // range text within the device's table.
    static bool IsMaskText(int mask, const std::string& text);
    // Protocol key (under "/EVENT/LOG") of a mask; empty outside 0..5.
    static const char* MaskKey(int mask);
    // The 13 event categories of the overall mask.
    static const char* const kCategoryWords[13];

    std::string m_masks[MaskCount];
};
