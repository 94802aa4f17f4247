// Fuzzes the ".qlx" loader for throughput: a whole document loaded from
// bytes, nothing else. Saving what was loaded and loading it again is the
// round-trip target's task (fuzz_qlx_roundtrip, under AddressSanitizer).
//
// Besides the sanitizers' checks: a refused file leaves no objects and no
// modified mark and says why; a loaded one is modified exactly when symbols
// had to be brought into range.

#include <cstddef>
#include <cstdint>
#include <vector>

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

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetMessageHandler([](const std::string&, uint32_t) { return 0; });  // the default button
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CQuillomerDoc doc;  // a fresh document, as the program opens each file into one
    const std::vector<uint8_t> bytes(data, data + size);
    if (!doc.LoadFromBytes(bytes)) {
        if (!NoObjects(doc) || doc.IsModified() || doc.GetLoadError().messageId == 0 ||
            doc.GetLoadError().reason.empty())
            __builtin_trap();  // a failed load keeps nothing and says why
        return 0;
    }
    if (doc.IsModified() != (!doc.GetMovedOnLoad().empty() || !doc.GetHeldOnLoad().empty()))
        __builtin_trap();  // modified only by what the load itself changed
    return 0;
}
