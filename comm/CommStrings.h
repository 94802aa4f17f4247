#pragma once
// String-table ids of the device link's own messages.

#include <cstdint>

enum : uint32_t {
    // How a transfer ended when it did not end well: what did not complete
    // (the first line), why (the second) and how far it got (the third).
    IDS_DOWNLOAD_INCOMPLETE = 36300,
    IDS_LOCK_RELEASE_NOT_SENT = 36301,   // the closing lines of a download never reached the device
    IDS_LOCK_RELEASE_HELD = 36302,       // the closing lines wait for the device's XON
    IDS_LOCK_RELEASE_UNREAD = 36310,     // the closing lines left, and the device never echoed them
    IDS_LOCK_RELEASE_ONLY_UNREAD = 36311,  // a window's download: its release left and was never echoed
    IDS_UPLOAD_UNANSWERED = 36303,       // "%d" unanswered queries, "%d" queries in all
    IDS_EXPORT_NOT_WRITTEN = 36304,      // leads the message that names the file and the reason
    IDS_TRANSFER_LINE_LOST = 36305,      // the connection went before the transfer's end
    IDS_UPLOAD_INCOMPLETE = 36306,
    IDS_DOWNLOAD_NO_ECHO = 36307,        // "%d" seconds without the echo of the lines sent
    IDS_TRANSFER_CANCELLED = 36308,
    IDS_TRANSFER_REACHED = 36309,        // the object "%s", its step "%d" of "%d"
    // The disconnect asks before it saves a configuration the user was told
    // is incomplete and unsaved.
    IDS_SAVE_INCOMPLETE_ASK = 36318,
    // Lines of a text file with characters the device cannot take, named
    // before anything is sent: the file "%s", the lines "%s" (each ended by
    // a line end), and whether to go on without them.
    IDS_TEXTFILE_LINES_LEFT_OUT = 36390,
    IDS_TEXTFILE_LINE_LACKS = 36391,     // the line's number "%d", the line "%s", the characters "%s"
    IDS_TEXTFILE_MORE_LINES = 36392,     // "%d" lines more
    // A transfer chosen in its dialog while the connection went away.
    IDS_ONLINE_ONLY = 34524,
};
