#pragma once
// The transfer of one entry of a block, as a list window's "Download" and
// "Upload" of the selected row run it: the link holds the download or upload
// state under a wait cursor, the entry's steps are called one after the other
// with events handled and a pause of 50 ms between calls, then a download
// waits until the device has echoed its lines and an upload until the device
// has been silent for more than a second, and the link is online again.
//
// It shows no progress. What the entry's readers cannot take as the device
// holds it is named in the difference file, one line whichever way the value
// was read. An upload neither starts the file anew nor shows it: the lines
// follow what the last whole upload found. Asked to (`diffFile`), it starts
// the file and shows it at the end as the window's upload does.
//
// A device that stops reading or answering does not hold the window: when
// nothing moves (a step, a character sent or received, output leaving) for
// the stall limit, the device stops echoing what it is sent, or the
// connection ends, the transfer stops and ReportStop tells the user which
// entry did not finish, at which of its own steps the device stood and why,
// as the whole block's transfer does. The caller
// keeps away whatever would start another transfer or change the block's
// objects meanwhile.

#include <string>

#include "ui/CTransferLoop.h"

class CBaseDevice;

class CSingleTransfer {
public:
    // None, Stalled or LineLost: without a cancel button nothing cancels it.
    using Stop = CTransferLoop::Stop;
    static constexpr int kPauseMs = 50;  // between two calls of the step machine

    explicit CSingleTransfer(int stallLimitMs);

    // Resets `obj` with `resetStep` (mode 1 upload, 0 download) and runs the
    // steps `first` .. `end` - 1; a step the machine returns unchanged (lines
    // still pending or the output buffer full) is asked again, so no line of
    // the entry is lost. `name` is what the user knows the entry by (the
    // block's name when empty).
    Stop Run(CBaseDevice* obj, int mode, int resetStep, int first, int end, const std::string& name = {},
             bool diffFile = false);
    // Tells the user how an early end left the block; nothing when it ended as it should.
    void ReportStop() const;

private:
    // The link's state, the wait cursor, the end wait and the messages, as
    // for a whole block.
    CTransferLoop m_loop;
    Stop m_stop = Stop::None;
    std::string m_block;
    int m_reached = 0;  // the entry's step the device got to
    int m_count = 0;    // the entry's steps
};
