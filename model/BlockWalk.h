#pragma once
// The parts every protocol block shares (condition, trigger, logic-output,
// ready-input, virtual-controller and macro blocks): the clear step with the
// free-list handshake of an upload, the skip over unused numbers, the
// splitting of an entry's answer key and the free-list answer that makes and
// deletes the document's objects. Each block keeps its own step arithmetic.

#include <cstdint>
#include <functional>
#include <span>
#include <string>

class CBaseDevice;
class CQuillomerDoc;

// The transfer state of one block's clear step; reset at every walk's start.
struct BlockClearState {
    int32_t capability = 0;  // the device's clear capability flag
    int32_t asked = 0;       // the free-list query has been sent
    int32_t answered = 0;    // the free-list answer has been applied

    // Clears both flags and reads the capability ("KVT7000", `flagKey`).
    void Reset(const char* flagKey);
};

// One clear step of a block. Value mode sends "<clearPath> ALL" and moves on.
// Query mode without the capability moves on silently. With it, a query that
// is not the last one (`waits` false) is sent and the walk moves on; the last
// one is sent once and the walk stays on `step` until the answer has been
// applied, then moves on. Returns the next step (step + 1 when moving on).
int BlockClearStep(BlockClearState& state, int mode, int step, const std::string& clearPath, CQuillomerDoc* doc,
                   bool waits = true);

// Sends one block line for the block's document (shortened when the path
// repeats); control characters in it go out as blanks.
void SendBlockLine(const std::string& line, CQuillomerDoc* doc);

// An entry key such as "/ENTRY12/INDEX" split after `word` ("/ENTRY"): the
// number and the rest from its "/" ("/INDEX"). False when no decimal number
// follows the word or the number is outside 1..limit.
bool SplitEntryKey(const std::string& key, const std::string& word, int limit, int& number, std::string& rest);

// A decimal / float value at the start of a text the user typed ("12a" is
// 12); false when it does not read. The device's answers are read with the
// strict readers of platform/FiniteNumber, which take a number standing alone.
bool ReadBlockInt(const std::string& text, int& out);
bool ReadBlockFloat(const std::string& text, float& out);

// Applies a free-list answer ("1-5,7": the numbers free on the device) to the
// objects of a type numbered 1..limit: a free number's object is deleted, a
// used number without one is made by `make`. The answer is read whole,
// however long it is. A value that does not read as a range text (with
// numbers up to `range`) changes nothing and is reported as unreadable
// (ReadFreeList); false then. `item` is the answer's path ("/TRIGGER/CLEAR").
// Used numbers above the limit are named (ReportBeyondLimit) under `table`,
// the path of the table's entries ("/TRIGGER/ENTRY").
bool ApplyFreeList(CQuillomerDoc* doc, uint32_t type, int limit, unsigned range, const std::string& item,
                   const std::string& value, const std::function<void(int number)>& make,
                   const std::string* diffFile, const std::string& table);

// One line in the upload difference file (when there is one) naming the
// numbers above `limit` that a free list `free` (numbers 1..range) gives as
// used on the device: entries the project cannot hold, so it takes none of
// them and its download never sends them back. A free list names no number
// beyond the device's own table, so only numbers below the highest free one
// are known to be used. Nothing when there are none.
void ReportBeyondLimit(const std::string* diffFile, const std::string& table, std::span<const uint8_t> free,
                       int limit, unsigned range);

// Reads a free-list answer whole into `free` (numbers 1..range); a value that
// does not read is reported as the unreadable answer "item value"
// (ReportUnreadableAnswer) and gives false, `free` then holding nothing.
bool ReadFreeList(std::span<uint8_t> free, unsigned range, const std::string& item, const std::string& value);

// The object of a type and number in the document, null when none (no
// message for a number outside the directory).
CBaseDevice* FindNumbered(CQuillomerDoc* doc, uint32_t type, int number);

// True when `number` is one an object of the type can carry in the document:
// from 1 up to the family's limit for the document's device variant (up to
// the directory's capacity for types without such a limit).
bool IsFamilyNumber(const CQuillomerDoc* doc, uint32_t type, int32_t number);

// A placeholder object of a class found by name in the class registry,
// created at `number` with the name "%d *" and appended to its category list.
// Null when the class is not registered, the number is not a family number
// (IsFamilyNumber) or is taken, or creation fails: no answer makes an object
// outside its family's numbers.
CBaseDevice* CreateNumberedPlaceholder(CQuillomerDoc* doc, const char* className, uint32_t type, uint32_t kindId,
                                       int32_t number, int32_t category);

// The object `number` of `type` a reference names: the project's own, or a
// placeholder made for it; null when the project holds none and can make none.
// A setter that gets null keeps the reference it had (a download must not put
// another meaning in place of the device's) and reports the number with
// ReportUntaken.
CBaseDevice* FindOrMakeNumbered(CQuillomerDoc* doc, const char* className, uint32_t type, uint32_t kindId,
                                int32_t number, int32_t category);

// One line in the upload difference file (when there is one): the object
// `ownerNumber`, under its item word, lacks what `missing` names.
void ReportUntaken(const std::string* diffFile, const std::string& itemWord, int32_t ownerNumber,
                   const std::string& missing);

// One line in the upload difference file (when there is one) for an answer
// the project cannot hold as the device gave it (a word it does not know, a
// number beyond its range): the item's path, the device's value and the value
// the project holds instead, which its next download sends.
void ReportNotHeld(const std::string* diffFile, const std::string& item, const std::string& device,
                   const std::string& held);
