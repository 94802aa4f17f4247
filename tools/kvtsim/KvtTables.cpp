#include "KvtTables.h"

#include <cctype>

namespace kvtsim {

namespace {
bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Reads the decimal number at `pos` (at most `max`); 0 when there is none or
// it is out of range.
int ReadNumber(const std::string& text, size_t& pos, int max)
{
    if (pos >= text.size() || !IsDigit(text[pos]))
        return 0;
    long n = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        n = n * 10 + (text[pos++] - '0');
        if (n > max)
            return 0;
    }
    return static_cast<int>(n);
}

// Whether `key` is the key of `k`, its '#' taking a number 1..k.count.
bool KeyMatches(const TableKey& k, const std::string& key)
{
    size_t pos = 0;
    for (const char* p = k.key; *p; ++p) {
        if (*p == '#') {
            if (ReadNumber(key, pos, k.count) < 1)
                return false;
        } else if (pos >= key.size() || key[pos++] != *p) {
            return false;
        }
    }
    return pos == key.size();
}
}  // namespace

const std::vector<DeviceTable>& DeviceTables()
{
    // A cleared entry answers what the designer writes for an unused entry,
    // except where the designer reads a word of its own for "none" (a
    // reference or relay "OFF"), which the device then answers. Times and
    // dates of a cleared calendar item are the designer's defaults of a new
    // item; a cleared name is empty.
    static const std::vector<DeviceTable> tables = {
        {"/TRIGGER/CLEAR", "/TRIGGER/ENTRY", 100, "/CONDITION",
         {{"/CONDITION", "OFF"}, {"/TIME", "0.0"}, {"/ON_MACRO", "OFF"}, {"/OFF_MACRO", "OFF"}}},
        {"/LOGICOUT/CLEAR", "/LOGICOUT/ENTRY", 250, "/FUNCTION",
         {{"/FUNCTION", "OFF"}, {"/INV", "OFF"}, {"/COND", "OFF"}, {"/INDEX", "1"}}},
        {"/CONDITION/CLEAR/ANALOG", "/CONDITION/ANALOG", 50, "/LMZ775",
         {{"/LMZ775", "OFF"}, {"/MIN", "0.0"}, {"/MAX", "0.0"}}},
        {"/CONDITION/CLEAR/BUSY", "/CONDITION/BUSY", 50, "/AUDIO",
         {{"/AUDIO", "NONE"}, {"/OUTPUTS", "NONE"}, {"/ZONES", "NONE"}, {"/FULL", "OFF"}, {"/PRIO", "0"}}},
        {"/CONDITION/CLEAR/COMBINE", "/CONDITION/COMBINE", 50, "/LOGIC",
         {{"/LOGIC", "OFF"}, {"/COND#/IDX", "OFF", 4}, {"/COND#/INV", "OFF", 4}}},
        {"/CONDITION/CLEAR/ENTRY", "/CONDITION/ENTRY", 250, "/FUNCTION",
         {{"/FUNCTION", "OFF"}, {"/LEVEL", "OFF"}, {"/INDEX", "0"}}},
        {"/READYINP/CLEAR", "/READYINP/ENTRY", 50, "/FUNCTION",
         {{"/FUNCTION", "OFF"}, {"/INDEX", "1"}, {"/LEVEL", "OFF"}, {"/MASK", "OFF"}, {"/TEXT", "1"}, {"/DEVICE", "1"}}},
        {"/SPAREAMP/CLEAR", "/SPAREAMP/ENTRY", 8, "/INDEX",
         {{"/INDEX", "OFF"},
          {"/REMOTE", "YES"},
          {"/REPLACE", "OFF"},
          {"/WATCH#/INDEX", "OFF", 10},
          {"/WATCH#/REMOTE", "YES", 10},
          {"/WATCH#/OUTRELAY", "OFF", 10},
          {"/WATCH#/INPRELAY", "OFF", 10}}},
        // A virtual controller has no function word: it is used while one of
        // its values is set. Clearing the controllers unlinks every source
        // and destination as well.
        {"/VIRTCTRL/CLEAR", "/VIRTCTRL/ENTRY", 40, nullptr,
         {{"/MIN", "0.000000"}, {"/MAX", "0.000000"}, {"/VALUE", "0.000000"}, {"/STEPS", "0"}, {"/CURVE", "0"}}},
        {"/VIRTCTRL/CLEAR", "/VIRTCTRL/SOURCE", 0, nullptr,
         {{"/VC#", "OFF", 40}, {"/ENC#", "OFF", 16}, {"/AD#", "OFF", 16}}},
        {"/VIRTCTRL/CLEAR", "/VIRTCTRL/DEST", 0, nullptr,
         {{"/DA#", "OFF", 16},
          {"/IN#", "OFF", 4},
          {"/OUT#", "OFF", 4},
          {"/ALARM", "OFF"},
          {"/CHIME", "OFF"},
          {"/MESSAGE", "OFF"},
          {"/MONITOR", "OFF"},
          {"/AMPCHAN#", "OFF", 256},
          {"/DELAY#", "OFF", 4}}},
        {"/CAL/CLEAR/APPOINT", "/CAL/APPOINT", 50, "/FUNCTION",
         {{"/FUNCTION", "OFF"}, {"/MACRO", "0"}, {"/TIME", "00:00:00"}, {"/DATE", "01.03.1980"}}},
        // A day programme has no function word either.
        {"/CAL/CLEAR/DAYPROG", "/CAL/DAYPROG", 20, nullptr,
         {{"/NAME", ""}, {"/ENTRY#/TIME", "OFF", 100}, {"/ENTRY#/MACRO", "0", 100}}},
        // A holiday's empty function word is a period; a cleared one is OFF.
        {"/CAL/CLEAR/HOLIDAY", "/CAL/HOLIDAY", 50, "/FUNCTION",
         {{"/FUNCTION", "OFF"}, {"/NAME", ""}, {"/DAYPROG", "0"}, {"/DATE", "01.03.1980"}},
         true},
        // A macro is used while it has a type; its parameters are what
        // was written for that type.
        {"/MACRO/CLEAR", "/MACRO/PROG", 250, "/TYPE", {{"/TYPE", "EMPTY"}}},
        // The monitor matrix keeps only what was written to it.
        {"/MONI/CLEAR/TABLE", "/MONI/TABLE", 250, "/SEL", {}},
        {"/MONI/CLEAR/RELAY", "/MONI/RELAY", 50, "", {}},
    };
    return tables;
}

const DeviceTable* TableOfClear(const std::string& clearPath)
{
    for (const DeviceTable& t : DeviceTables())
        if (clearPath == t.clearPath && t.count > 0)
            return &t;
    return nullptr;
}

std::optional<TablePlace> PlaceIn(const DeviceTable& table, const std::string& path)
{
    const std::string prefix = table.prefix;
    if (path.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    size_t pos = prefix.size();
    const int n = table.count > 0 ? ReadNumber(path, pos, table.count) : 0;
    if ((table.count > 0 && n < 1) || (pos < path.size() && path[pos] != '/'))
        return std::nullopt;
    return TablePlace {&table, n, path.substr(pos)};
}

std::optional<TablePlace> FindPlace(const std::string& path)
{
    for (const DeviceTable& t : DeviceTables())
        if (auto place = PlaceIn(t, path))
            return place;
    return std::nullopt;
}

const char* ClearedValue(const DeviceTable& table, const std::string& key)
{
    for (const TableKey& k : table.keys)
        if (KeyMatches(k, key))
            return k.cleared;
    return nullptr;
}

}  // namespace kvtsim
