#pragma once
// The device's fixed tables: numbered entries (triggers, logic outputs,
// conditions, ready inputs, spare amplifiers, calendar items, monitor
// entries) that exist whether or not anything was written to them. A
// "<clear path> ALL" line resets a table, "<clear path> ?" asks for its free
// numbers, and every key of an entry answers the value of a cleared entry
// until something else is stored under it.

#include <optional>
#include <string>
#include <vector>

namespace kvtsim {

// One key of an entry and what a cleared entry answers for it. A '#' in the
// key stands for a sub-entry number 1..subCount ("/WATCH#/INDEX").
struct TableKey {
    const char* key;
    const char* cleared;
};

struct DeviceTable {
    const char* clearPath;  // "/TRIGGER/CLEAR"
    const char* prefix;     // entry n is prefix + n: "/TRIGGER/ENTRY7/TIME"
    int count;              // entries 1..count
    const char* usedKey;    // the key that tells a used entry; nullptr: any key
    int subCount;           // the numbers a '#' in a key takes
    std::vector<TableKey> keys;
};

// Where a path lies in a table: the entry number and the rest of the path
// after it ("/TIME"; empty for the entry itself).
struct TablePlace {
    const DeviceTable* table = nullptr;
    int number = 0;
    std::string key;
};

const std::vector<DeviceTable>& DeviceTables();
// The table that `clearPath` clears, or null.
const DeviceTable* TableOfClear(const std::string& clearPath);
// The entry of `table` that an (upper-case) path belongs to.
std::optional<TablePlace> PlaceIn(const DeviceTable& table, const std::string& path);
// The entry of any table that a path belongs to.
std::optional<TablePlace> FindPlace(const std::string& path);
// What a cleared entry answers for `key`; null when the key is none of the table's.
const char* ClearedValue(const DeviceTable& table, const std::string& key);

}  // namespace kvtsim
