#pragma once
// String-table ids of the object model and the document.

#include <cstdint>

enum : uint32_t {
    IDS_GET_BASE_DEVICE = 34196,        // "IDManager: GetBaseDevice %d,%d\n"
    IDS_GET_BASE_DEVICE_LIST = 34197,   // "IDManager: GetBaseDeviceList %d\n"
    IDS_PARSER_NO_SIGNAL = 34204,
    IDS_PARSER_BAD_EVENT = 34205,
    IDS_ASK_DELETE_LOG = 34206,
    IDS_CANNOT_CREATE = 34207,
    IDS_NAME_EMPTY = 34212,
    IDS_NAME_CHANGED = 34213,
    IDS_READYINPUT_EXISTS = 34283,
    IDS_UNKNOWN_FORMAT = 34617,
    IDS_MISSING_ITEM = 34499,           // "fehlt": ends a missing-item line of the difference file
    // Texts without a known resource number get ids of our own.
    IDS_GET_NEXT_ID = 34900,            // "IDManager: GetNextID %d %s\n"
    IDS_ADD_ID = 34901,                 // "IDManager: AddID %d,%d,%s\n"
    IDS_REMOVE_ID = 34902,              // "IDManager: RemoveID %d,%d,%s\n"
    IDS_NAME_IN_USE = 34903,
    IDS_IN_LINKS_PARTIAL = 34904,
    IDS_OUT_LINKS_PARTIAL = 34905,
    IDS_OPEN_FAILED = 34906,
    IDS_SAVE_FAILED = 34907,
    IDS_NAME_CONTROL_CHARS = 34908,
    // A text refused because it could not be saved and sent as shown.
    IDS_TEXT_NOT_IN_CODE_PAGE = 34927,  // "%s" the character, "%04X" its code point
    IDS_TEXT_READS_AS_QUERY = 34928,    // "%s" the text
    IDS_TEXT_CONTROL_CHARS = 34929,
    // Why a project file was refused (the detail of 34617 or 34906), and the
    // note on symbols brought back into range while loading.
    IDS_FILE_NOT_OPENED = 34980,        // "... kann nicht geöffnet werden: %s"
    IDS_FILE_NOT_READ = 34981,          // "... kann nicht gelesen werden: %s"
    IDS_FILE_IS_DIRECTORY = 34982,
    IDS_FILE_NOT_REGULAR = 34983,
    IDS_FILE_TOO_LARGE = 34984,         // "%llu" bytes, "%llu" at most
    IDS_FILE_CUT_SHORT = 34985,
    IDS_FILE_TRAILING_BYTES = 34986,    // "%llu" bytes
    IDS_FILE_DAMAGED = 34987,
    IDS_FILE_NEWER_VERSION = 34988,     // "%u"
    IDS_FILE_AT_BYTE = 34989,           // "%s" reason, "%s" technical cause, "%llu" position
    IDS_OBJECTS_MOVED = 34990,          // "%s" the objects' names
    IDS_VALUES_HELD = 34991,            // "%s" the values, one a line
    IDS_FREED_HOLDING = 34992,          // difference file: "%s" the holder's items, "%s" the object freed
    IDS_FREE_HELD = 34993,              // difference file: "%s" the holder's items, "%s" the free object it keeps
    IDS_BEYOND_LIMIT = 34994,           // difference file: "%s" the table, "%s" its numbers, "%d" the project's limit
    IDS_CAT_FIRST = 34910,              // 34911..34926: the category names 1..16
    IDS_WORD_GROUP = 34909,             // "Gruppe": the word of new groups' default names
};
