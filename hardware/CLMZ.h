#pragma once
// One card of the LMZ control and I/O card family: a carrier card (LMZ752)
// holds output cards with five relays (LMZ763, LMZ764), input cards with 12
// inputs (LMZ771) and analog cards with 8 AD and 8 DA channels (LMZ775). A
// card has no symbol and no protocol path; it gives relays, contacts and
// channels a place and a number. The model is the kind id; the type code
// follows from it. Classes with more card data derive from it.

#include <cstdint>
#include <vector>

#include "model/CBaseDevice.h"

class CLMZ : public CBaseDevice {
    QL_DECLARE_SERIAL(CLMZ)
public:
    // Carrier key ranges of the card models.
    static constexpr int32_t kFirstOutputKey = 0, kLastOutputKey = 11;
    static constexpr int32_t kFirstInputKey = 12, kLastInputKey = 16;
    static constexpr int32_t kFirstAnalogKey = 17, kLastAnalogKey = 18;
    static constexpr int32_t kCarriers = 8;
    static constexpr int32_t kDaFirstKey = 100;  // DA channels of an analog card: keys 100..107

    CLMZ();

    void Serialize(CArchive& ar) override;
    using CBaseDevice::Create;
    int Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name, int32_t left, int32_t top,
               int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId, uint32_t style,
               CQuillomerDoc* doc) override;
    int PostLoad() override;
    int OnCommand(uint32_t commandId) override;
    void SetNumber(int32_t number) override;
    int GetListTexts(int mode, std::vector<std::string>& texts) override;
    int GetListColumns(std::vector<ListColumn>& columns) override;

    // The system-wide channel of the contact a pad stands for: for input and
    // analog cards (number - 1) x channels + key + 1; 0 when the pad is not
    // linked from the card.
    int32_t GetChannelNumber(const CBaseDevice* pad) const;

    // The type code of a card model; 0 for another kind.
    static uint32_t TypeOfKind(uint32_t kindId);
    // Inputs and outputs of a model (19, 5, 5, 5, 8).
    static int32_t CountsOfKind(uint32_t kindId);
    // Makes a card of a model (named after it) and adds it to the document;
    // null when the directory refuses it (the user has been told).
    static CLMZ* NewCard(CQuillomerDoc* doc, uint32_t kindId);
    // The carrier key range of a model.
    static void KeyRange(uint32_t kindId, int32_t& first, int32_t& last);
    // The outgoing keys at which the model holds cards, relays or pads.
    std::vector<int32_t> ChannelKeys() const;
    // Deletes the card with what hangs on its keys; refused (message, 0)
    // while one of them is still in use. The card is gone after 1.
    int DeleteCard();
    // The carrier the card sits on (null when none) and the card's key there.
    CLMZ* GetCarrier(int32_t* key = nullptr) const;

protected:
    // Sets the type code from the kind id; false (type unchanged) for a kind
    // outside the five models.
    bool SetTypeFromKind();
};
