#pragma once
// Ids of the virtual-controller window and its properties dialog. The numbers
// are the program's resource ids and must not change.

#include <cstdint>

namespace vcid {
enum : uint32_t {
    ToolBar = 432,
    NewController = 32963,     // "Neuer virtueller Controller"
    DownloadAll = 32969,
    UploadAll = 32970,
    DeleteController = 32971,
    ItemDownload = 33179,      // "Download"
    ItemUpload = 33180,        // "Upload"

    TitleController = 34365,   // "Virtueller Controller"
    TitleId = 34244,           // "ID"
    TitleSource = 34248,       // "Quelle"
    TitleDrives = 33105,       // "beeinflußt"
    TitleDestination = 32846,  // "Ziel"
    TitleDrivenBy = 33104,     // "wird beeinflußt von"
};
}  // namespace vcid
