#pragma once
// The device's fixed tables: numbered entries (triggers, logic outputs,
// conditions, ready inputs, spare amplifiers, calendar items, monitor
// entries, macros) that exist whether or not anything was written to them. A
// "<clear path> ALL" line resets a table, "<clear path> ?" asks for its free
// numbers, and every key of an entry answers the value of a cleared entry
// until something else is stored under it.

#include <optional>
#include <string>
#include <vector>

namespace kvtsim {

// One key of an entry and what a cleared entry answers for it. A '#' in the
// key stands for an inner number 1..count ("/WATCH#/INDEX").
struct TableKey {
    const char* key;
    const char* cleared;
    int count = 0;
};

struct DeviceTable {
    const char* clearPath;  // "/TRIGGER/CLEAR"
    const char* prefix;     // entry n is prefix + n: "/TRIGGER/ENTRY7/TIME"
    int count;              // entries 1..count; 0: the prefix is the one entry
    const char* usedKey;    // the key that tells a used entry; nullptr: any key
    std::vector<TableKey> keys;
    // An empty value of the telling key is a value of its own (a holiday's
    // period), not nothing: the entry is used.
    bool emptyIsUsed = false;
};

// Where a path lies in a table: the entry number (0 in a table of one entry)
// and the rest of the path after it ("/TIME"; empty for the entry itself).
struct TablePlace {
    const DeviceTable* table = nullptr;
    int number = 0;
    std::string key;
};

const std::vector<DeviceTable>& DeviceTables();
// The table of numbered entries that `clearPath` clears (and whose free
// numbers its "?" asks for), or null. One clear path may clear further tables.
const DeviceTable* TableOfClear(const std::string& clearPath);
// The entry of `table` that an (upper-case) path belongs to.
std::optional<TablePlace> PlaceIn(const DeviceTable& table, const std::string& path);
// The entry of any table that a path belongs to.
std::optional<TablePlace> FindPlace(const std::string& path);
// What a cleared entry answers for `key`; null when the key is none of the table's.
const char* ClearedValue(const DeviceTable& table, const std::string& key);

}  // namespace kvtsim
