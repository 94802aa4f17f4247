#pragma once
// One end of a link between two system objects. A link from A (key a) to
// B (key b) is kept twice: an outgoing record in A's list and an incoming
// record in B's list; each object owns the records of its own two lists.

#include <cstdint>

class CBaseDevice;

struct LinkRecord {
    // The object at the other end. In an outgoing record it may also be
    // NoPartner(), which keeps a key reserved without an object.
    CBaseDevice* partner = nullptr;
    int32_t partnerKey = 0;        // key at the partner's end
    CBaseDevice* owner = nullptr;  // the object whose list holds this record
    int32_t ownKey = 0;            // key at this end
    int32_t partnerCategory = 0;   // ObjectCategory 1..16 of the partner

    // The no-partner value (all bits set). Never dereference it.
    static CBaseDevice* NoPartner() { return reinterpret_cast<CBaseDevice*>(~static_cast<uintptr_t>(0)); }
    // True when the record names a real object.
    bool HasPartner() const { return partner != nullptr && partner != NoPartner(); }

    bool operator==(const LinkRecord&) const = default;
};
