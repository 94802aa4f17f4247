#pragma once
// The largest legal project: a document filled, the way a user builds one,
// with every kind of object the program has, up to the directory's capacity
// and the limits of the upgraded central device, and linked together
// (amplifiers with topologies and zones, groups over the zones, control pads
// on the digital slot, macros on zones and groups, conditions, triggers and
// logic outputs on pads and macros, day programmes of the week, virtual
// controllers). Used by the benchmarks and the tests.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

class CQuillomerDoc;

namespace largest {

// How many objects of a type the largest project holds: the device's limit
// of the upgraded variant where it sets one, else every number the
// directory has (from 1; groups from 0).
int32_t TargetCount(uint32_t type);

// The types the generator fills by the user's own steps, with their classes
// (a type whose class does not exist yet is left empty). Every other type a
// new document holds objects of is filled up with more of the same class.
const std::vector<std::pair<uint32_t, const char*>>& FilledTypes();

// What the generator made of the types it could fill.
struct BuildReport {
    std::map<uint32_t, int32_t> counts;  // type code -> objects in the directory
    int64_t objects = 0;                 // objects in the sixteen lists
    int64_t links = 0;                   // outgoing link records
    std::string problems;                // types that could not be filled, one line each
};

// Makes `doc` a new document (OnNewDocument) of the upgraded device and fills
// it. The document is the active one while it is built; the previous hook is
// restored afterwards. No dialog opens meanwhile (a new topology's dialog is
// kept shut); message boxes are answered by whatever handler is installed
// (tests install a recorder).
BuildReport Build(CQuillomerDoc& doc);

// Counts the document's objects and links.
BuildReport Count(const CQuillomerDoc& doc);

}  // namespace largest
