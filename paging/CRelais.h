#pragma once
// One switching contact of a relay card: LMZ763 cards carry the relays of the
// first family (numbers 1..500 in the document's relay table), LMZ764 cards
// those of the second family (1..100). The kind says what the relay does; its
// card links to its key 0, its outgoing key 0 goes to its user (a zone or a
// collective call).

#include <cstdint>
#include <string>

#include "model/CBaseDevice.h"

class CRelais : public CBaseDevice {
    QL_DECLARE_SERIAL(CRelais)
public:
    static constexpr uint32_t kBitmap = 313;

    CRelais();
    ~CRelais() override;

    void Serialize(CArchive& ar) override;
    using CBaseDevice::Create;
    // Takes a number by kind: line, mandatory and collective-call relays from
    // the relay table, second-family relays from the second table, control
    // relays none. Number 0 when none is free.
    int Create(uint32_t kindId, int32_t inputs, int32_t outputs, const char* name, int32_t left, int32_t top,
               int32_t right, int32_t bottom, int32_t category, uint32_t bitmapId, uint32_t style,
               CQuillomerDoc* doc) override;
    int PostLoad() override;
    int OnCommand(uint32_t commandId) override;
    void OnUpdateCommand(CCmdUI& cmdUI) override;
    const std::string& GetName() const override;

    uint32_t GetRelayNumber() const { return m_relayNumber; }
    // True when the relay belongs to the second relay table (LMZ764): by its
    // card, or by its kind while it has none.
    bool IsSecondFamily() const;
    // Gives the relay another number in its family's table (old one
    // released); the claim's result.
    int SetRelayNumber(uint32_t n);
    // Moves the relay to number n of the given table (the old number released
    // in both tables); the claim's result.
    int MoveToNumber(uint32_t n, bool firstFamily);
    // Puts the relay on its card (creating missing cards with their relays,
    // and a carrier for each new card). 0 when a card cannot be made or the
    // relay has no number (the user is told).
    int PlaceOnCard(uint32_t kind, bool firstFamily);
    // The card the relay sits on (incoming key 0), or null.
    CBaseDevice* GetCard() const;
    // True when the relay serves something (an outgoing link at key 0).
    bool IsUsed() const { return GetOutLinkAtKey(0) != nullptr; }

    uint32_t m_relayNumber = 0;

private:
    void ReleaseNumber();
    mutable std::string m_displayName;
};

// Creates a relay of a kind (one input, one output, category 16, bitmap 313)
// and adds it to the document; null when refused.
CRelais* NewRelais(CQuillomerDoc* doc, uint32_t kind);

// The relay with that number in the relay table (firstFamily) or the second
// table; when missing, its bank of five is made (and placed on its card).
// Existing relays of the bank get the kind. Null for a number outside the table.
CRelais* FindOrCreateRelaisBank(CQuillomerDoc* doc, int32_t number, uint32_t kind, bool firstFamily);
