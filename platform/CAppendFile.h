#pragma once
// A file kept open that grows line by line (the protocol log, the event
// file), written where its name leads: one removed or replaced meanwhile is
// opened anew by its name. Lines are queued and written whole: a write the disk takes only in
// part is cut back to the last whole line, and what did not fit waits for the
// next try (the next line, or Flush). The caller tells the user once per
// failure (TakeNewFailure) and, when the file is closed with lines still
// waiting, that they are lost (Close).

#include <string>
#include <string_view>

class CAppendFile {
public:
    CAppendFile() = default;
    ~CAppendFile();
    CAppendFile(const CAppendFile&) = delete;
    CAppendFile& operator=(const CAppendFile&) = delete;

    // Takes `path` for appending and opens it, creating it when missing.
    // Empty when open, else the reason: lines appended then wait, and each
    // Flush tries to open it again.
    std::string Open(const std::string& path);
    bool IsOpen() const { return m_fd >= 0; }
    // Between Open and Close, whether the file could be opened or not.
    bool IsTaken() const { return m_taken; }
    const std::string& Path() const { return m_path; }

    // Queues `lines` (whole lines, each with its line end) and writes all
    // that waits; true when the file took everything. Nothing unless taken.
    bool Append(std::string_view lines);
    // Writes what waits; true when nothing waits any more.
    bool Flush();
    // Lines waiting for the file to take them.
    size_t WaitingLines() const;
    bool HoldsWaitingLines() const { return !m_waiting.empty(); }
    // Why the last write failed; empty once a write took everything.
    const std::string& Reason() const { return m_reason; }
    // True for the first failed write after the file took everything.
    bool TakeNewFailure();

    // Writes what waits a last time and closes. Returns how many lines could
    // still not be written: they are dropped (Reason() says why).
    size_t Close();

private:
    bool TryOpen();
    // The path still leads to the file held open.
    bool NamesHeldFile() const;
    void Release();

    int m_fd = -1;
    bool m_taken = false;
    std::string m_path;
    std::string m_waiting;
    std::string m_reason;
    bool m_told = false;
};
