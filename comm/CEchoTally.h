#pragma once
// Which of the lines given to the line the device has echoed. The device
// echoes every line it reads, before it answers it; a line whose echo never
// comes was never read. A transfer that still waits for echoes once the
// device has fallen silent knows the device stopped reading, however many
// characters it had said before.
//
// Lines are counted from the link's start: the n-th line sent has number n.
// A received line is the echo of the oldest sent line of the same text
// among the next few still waiting; the lines before it that never came back
// are passed over (sent while the echo was off, or mangled on the way).

#include <cstdint>
#include <deque>
#include <string>

class CEchoTally {
public:
    // Bytes given to the port, as they go on the line.
    void OnSent(const char* bytes, size_t size);
    // Bytes received from the port.
    void OnReceived(const char* bytes, size_t size);
    // The lines sent so far are no longer waited for (a transfer follows only
    // its own lines): left waiting they would keep the echoes of the lines
    // that follow from being found. The numbers go on.
    void Forget();

    // The number of the last whole line sent.
    uint64_t GetLinesSent() const { return m_sent; }
    // The number of the last sent line whose echo came back (0: none).
    uint64_t GetLinesEchoed() const { return m_echoed; }

private:
    void TakeSentLine(const std::string& line);
    void TakeReceivedLine(const std::string& line);

    struct Waiting {
        uint64_t number;
        std::string text;
    };
    std::deque<Waiting> m_waiting;  // sent lines whose echo has not come
    std::string m_outPart;          // the line being sent, not yet ended
    std::string m_inPart;           // the line being received, not yet ended
    uint64_t m_sent = 0;
    uint64_t m_echoed = 0;
};
