#pragma once
// Kind ids of objects the document builds or tells apart by kind, grouped by
// the family that owns them. A kind id is the string id of the kind's text.
// The numbers are the program's resource ids and must not change.

#include <cstdint>

namespace kindid {
// Calendar.
enum : uint32_t {
    WeekProgram = 34118,   // "Wochenprogramm"
    DayProgram = 34119,    // "Tagesprogramm"
    Holiday = 34120,       // "Feiertagsprogramm"
    Appointment = 34121,   // "Ereignis"
};
// Control logic.
enum : uint32_t {
    Condition = 34129,         // "Bedingung"
    AnalogCondition = 34358,   // "Bereichsprüfung"
    CombineCondition = 34359,  // "Verknüpfung"
    BusyCondition = 34456,     // "Aktiv Bedingung"
};
}  // namespace kindid
