#pragma once
// The line data of the zone list as one step machine: the steps of each zone
// one after the other (and then those of the line-test settings), so that the
// window's transfer loop runs them as one transfer, with one macro lock pair
// on a download and one difference file on an upload.
//
// The objects are kept by type and number and found again at every step: a
// zone that has gone meanwhile is passed over.

#include <cstdint>
#include <vector>

#include "model/CBaseDevice.h"

class CQuillomerDoc;

class CZoneLineTransfer : public CBaseDevice {
public:
    // Named "Linien" (what a transfer that stops early names).
    explicit CZoneLineTransfer(CQuillomerDoc* doc);

    // Appends an object (type code and number) to the sequence; `row` is
    // where the window's progress stands while the object is transferred.
    void Add(uint32_t type, int32_t number, int row = 0);
    bool IsEmpty() const { return m_items.empty(); }

    // A negative step resets every object and returns the sum of their
    // steps; any other step is passed on to the object it falls in and
    // returns the next step of the sequence (the same one while the object
    // holds back).
    int GetDownloadLines(int mode, int step) override;
    // The row of the object a step (as counted since the last reset) falls
    // in; the last object's row once the sequence is through.
    int RowAt(int step) const;

private:
    struct Item {
        uint32_t type;
        int32_t number;
        int row;
        int first = 0;  // the sequence's step of the object's step 0
        int count = 0;  // the object's steps
    };
    CBaseDevice* Find(const Item& item) const;

    CQuillomerDoc* m_doc;
    std::vector<Item> m_items;
};
