#pragma once
// Commands and texts of the control-logic windows. The numbers are the
// program's resource ids and must not change.

#include <cstdint>

namespace logicwin {
enum : uint32_t {
    // Context menu of every list: the selected entry.
    ContextDownload = 33179,  // "Download"
    ContextUpload = 33180,    // "Upload"

    TitleStatus = 34388,   // "Status"
    TitleLevel = 34243,    // "Pegel"
    TitleChoice = 34330,   // "Auswahl"

    // Own tool bars (resource ids) and their commands.
    ConditionBar = 428,
    NewCondition = 33141,
    DeleteCondition = 33142,
    UploadConditions = 32937,
    DownloadConditions = 32938,
    AnalogBar = 509,
    NewAnalog = 33123,
    DeleteAnalog = 33124,
    UploadAnalog = 33125,
    DownloadAnalog = 33153,
    BusyBar = 511,
    NewBusy = 33129,
    DeleteBusy = 33130,
    UploadBusy = 33131,
    DownloadBusy = 33156,
    CombineBar = 512,
    NewCombine = 33132,
    DeleteCombine = 33133,
    UploadCombine = 33134,
    DownloadCombine = 33155,
    TriggerBar = 421,
    NewTrigger = 32987,
    DeleteTrigger = 32988,
    UploadTriggers = 32926,
    DownloadTriggers = 32927,
    LogicOutBar = 515,
    NewLogicOut = 33120,
    DeleteLogicOut = 33121,
    UploadLogicOuts = 33122,
    DownloadLogicOuts = 33119,
    ReadyBar = 431,
    NewReady = 33169,
    DeleteReady = 33148,
    UploadReady = 33149,
    DownloadReady = 33150,
    MemoBar = 517,
    NewMemo = 32973,
    DeleteMemo = 32972,
};
}  // namespace logicwin
