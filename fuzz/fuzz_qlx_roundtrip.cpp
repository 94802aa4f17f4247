// Fuzzes the ".qlx" loader and saver together, under AddressSanitizer: a
// document loaded from bytes saves, and what it saves loads again with every
// object and link. Loading settles a file once (old files are upgraded,
// fixed names and texts set anew, symbols brought into range), so from the
// second save on the bytes stay the same.
//
// Slower than the load-only target (fuzz_qlx_load); scripts/fuzz.sh also
// replays that target's corpus through this one.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"
#include "platform/MessageBox.h"

namespace {

bool NoObjects(const CQuillomerDoc& doc)
{
    for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c)
        if (!doc.GetList(c).empty())
            return false;
    return true;
}

// Objects and link records per category.
std::vector<size_t> Shape(const CQuillomerDoc& doc)
{
    std::vector<size_t> shape;
    for (int32_t c = CAT_FIRST; c <= CAT_LAST; ++c) {
        size_t links = 0;
        for (const CBaseDevice* obj : doc.GetList(c))
            links += obj->m_outLinks.size() + obj->m_inLinks.size();
        shape.push_back(doc.GetList(c).size());
        shape.push_back(links);
    }
    return shape;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetMessageHandler([](const std::string&, uint32_t) { return 0; });  // the default button
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> bytes(data, data + size);
    CQuillomerDoc doc;
    if (!doc.LoadFromBytes(bytes)) {
        if (!NoObjects(doc) || doc.IsModified() || doc.GetLoadError().messageId == 0)
            __builtin_trap();  // a failed load keeps nothing and says why
        return 0;
    }
    const std::vector<uint8_t> first = doc.SaveToBytes();
    CQuillomerDoc again;
    if (!again.LoadFromBytes(first))
        __builtin_trap();  // what was saved does not load
    if (Shape(doc) != Shape(again) || again.IsModified())
        __builtin_trap();  // objects or links lost on the way, or a place still out of range
    const std::vector<uint8_t> second = again.SaveToBytes();
    CQuillomerDoc third;
    if (!third.LoadFromBytes(second) || third.SaveToBytes() != second)
        __builtin_trap();  // a settled project changes on save and load
    return 0;
}
