#pragma once
// One supervised contact of the central device (ready inputs 1..50): the
// control pad linked at own key 0 (its key 2) gives the protocol function
// and index; level, masking, fault-text number and device number go along.
// Its path "/READYINP/ENTRY<n>" is not in the path map: the device's answers
// reach the settings object, which writes and reads the whole block.

#include <cstdint>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"

class CReadyInput : public CBaseDevice {
    QL_DECLARE_SERIAL(CReadyInput)
public:
    static constexpr uint32_t kKindId = 34282;  // "READYINP"
    static constexpr int kTextNumbers = 18;

    // Value keys (ReadyInputValueKey).
    enum Key : int { Contact = 0, Function = 1, Index = 2, Level = 3, Masked = 4, TextNumber = 5, DeviceNumber = 6 };

    CReadyInput();
    ~CReadyInput() override;

    void Serialize(CArchive& ar) override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;

    std::string GetValueText(int key) const;
    int32_t GetValue(int key) const;
    // 0 links the contact of that number; 2 the contact named by the stored
    // keyword and this index (reported to `diffFile` when none); 3..6 store.
    void SetValue(int key, int32_t value, const std::string* diffFile = nullptr);
    // 1 the function keyword; 5 / 6 numbers as typed, limited to 1..18 / 0..255.
    void SetValueText(int key, const std::string& text);

    // What a function read back from the device replaces: put back when
    // the index read with it cannot be taken, as the two mean something
    // only together.
    struct FunctionHeld {
        std::string keyword;
        std::string readKeyword;
        int32_t untakenIndex = 0;
    };
    FunctionHeld GetFunctionHeld() const { return {m_keyword, m_readKeyword, m_untakenIndex}; }
    void PutBackFunction(const FunctionHeld& held);

    std::string m_keyword = "OFF";
    // The function word the device gave last (not stored): it names the
    // contact of the index that follows it.
    std::string m_readKeyword;
    // The contact index the device gave when the project holds no contact of
    // that function and index, and the ready input had none (0: none): the
    // device's function and index are written back as they came, so that a
    // download never switches the entry off or moves it to another contact.
    int32_t m_untakenIndex = 0;
    std::string m_levelText = "OFF";
    std::string m_maskText = "OFF";
    std::string m_spare;
    int32_t m_level = 0;
    int32_t m_masked = 0;
    int32_t m_textNumber = 1;
    int32_t m_deviceNumber = 0;

private:
    const CBaseDevice* Pad() const;
};
