#pragma once
// What the "Externe Audiosignale" dialog does to the document, without the
// dialog: creating and deleting the sequences of a message device and
// building, changing and removing the control objects (contacts' links,
// conditions, triggers, macro pairs, the fault ready input) that make the
// central device run each sequence.
//
// Every generated object is found again only through the links of the
// sequence, its signal and the device, so each removal looks at what is
// there and skips what is missing: an Apply that stopped half way can always
// be changed or removed without leaving objects behind.

#include <cstdint>
#include <string>

#include "model/CBaseDevice.h"

class CQuillomerDoc;

// One box of the dialog: `has` when an entry is selected; `object` the chosen
// object, null for the "OFF" (or "Alle Sprechstellen") entry.
struct QtbChoice {
    bool has = false;
    CBaseDevice* object = nullptr;

    static QtbChoice Of(CBaseDevice* obj) { return {true, obj}; }
};

struct QtbSequenceSettings {
    QtbChoice fault;      // the device's fault feedback contact
    QtbChoice startStop;  // the contact that starts and stops the message device
    QtbChoice running;    // the device's playing feedback
    int32_t priority = 1;  // 1..10
    bool priorityChanged = false;
    bool externalStart = false;
    QtbChoice condition;  // the condition of the external start
    DeviceList zones;     // the chosen lines and groups of the external start
    std::string zoneText;
    bool lcd = false;
    QtbChoice console;  // null object: all consoles
    std::string lcdText;
};

class CQtbSequenceSetup {
public:
    CQtbSequenceSetup(CQuillomerDoc* doc, CBaseDevice* device) : m_doc(doc), m_device(device) {}

    // Builds the set-ups of `sequence` (may be null: only the fault feedback
    // is applied). False when an error ended it; the message has been shown.
    bool Apply(CBaseDevice* sequence, QtbSequenceSettings& settings);

    // The settings as the objects of `sequence` (may be null) show them.
    QtbSequenceSettings Read(CBaseDevice* sequence) const;

    // A new sequence of a kind (qtbkind) with its new signal, both in the
    // audio category; null when it could not be made (message shown).
    CBaseDevice* NewSequence(uint32_t kind);
    // Removes every set-up of the sequence, then its signal and itself.
    // `condition` is the condition box of the dialog (see RemoveExternalStart).
    void DeleteSequence(CBaseDevice* sequence, const QtbChoice& condition);

    // The signal linked at the sequence's incoming key 2, or null.
    static CBaseDevice* SignalOf(const CBaseDevice* sequence);
    // The row text of a sequence: its signal's name.
    static std::string RowText(const CBaseDevice* sequence);

    void RemoveStartStop(CBaseDevice* sequence);
    void RemoveRunning(CBaseDevice* sequence);
    void RemoveLcd(CBaseDevice* sequence);
    // A condition that no trigger uses any more is deleted only when the box
    // has a choice other than this condition (the user's own stays).
    void RemoveExternalStart(CBaseDevice* sequence, const QtbChoice& condition);

private:
    bool ApplyFault(const QtbChoice& fault);
    void ApplyStartStop(CBaseDevice* sequence, const QtbSequenceSettings& s);
    bool ApplyRunning(CBaseDevice* sequence, const QtbSequenceSettings& s);
    bool ApplyLcd(CBaseDevice* sequence, const QtbSequenceSettings& s);
    bool ApplyExternalStart(CBaseDevice* sequence, QtbSequenceSettings& s);

    // The signal's name; writes the priority into the signal.
    std::string FetchSignalName(CBaseDevice* sequence, int32_t priority);
    CBaseDevice* NewTrigger();
    // A pair of macros (both or none); false when it could not be made.
    bool MakePair(uint32_t kind, const std::string& base, const char* first, const char* second, CBaseDevice** a,
                  CBaseDevice** b);
    void RemoveTrigger(CBaseDevice* sequence, CBaseDevice* trigger);
    CBaseDevice* Macro(int32_t number) const;
    static void Delete(CBaseDevice* obj);

    CQuillomerDoc* m_doc;
    CBaseDevice* m_device;
};
