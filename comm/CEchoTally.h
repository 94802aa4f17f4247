#pragma once
// Which of the lines given to the line the device has echoed, and which of
// the lines it sends are those echoes. The device echoes every line it
// reads, before it answers it; a line whose echo never comes was never read.
// A transfer that still waits for echoes once the device has fallen silent
// knows the device stopped reading, however many characters it had said
// before. An echo is never the device's answer: on a slow device the echo
// of a setting comes long after the program sent it (and after later
// settings), and read as an answer it would put the old value back.
//
// Lines are counted from the link's start: the n-th line sent has number n.
// A received line is the echo of the oldest sent line of the same text
// among the next few still waiting (a prompt may stand before it); the
// lines before it that never came back are passed over (mangled on the
// way). The pairing alone decides, never the text alone: the answer to a
// query comes right after the query's echo, so the first line after it
// that names the query's path is that answer, whatever line sent later it
// reads like; and the device's "PATH VALUE ? " for a line it did not take
// ends in a blank that no echo of a line sent has.
//
// While the device's echo is off (the program sent "/COMM/ECHO OFF", or the
// connection set-up found it off) the lines sent are counted but none is
// waited for, and every line received is the device's own.
//
// Texts are as they go on the line (Windows-1252).

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

class CEchoTally {
public:
    // Bytes given to the port, as they go on the line.
    void OnSent(const char* bytes, size_t size);
    // Bytes read from the port by a caller that reads the device's words
    // itself (a synchronous query): their lines are paired as they end.
    void OnReceived(const char* bytes, size_t size);
    // One line the receive path split off (without its line end): true when
    // it is the echo of a line sent, false when it is the device's own.
    bool TakeReceivedLine(const std::string& line);
    // The lines sent so far are no longer waited for (a transfer follows only
    // its own lines): left waiting they would keep the echoes of the lines
    // that follow from being found. The numbers go on.
    void Forget();
    // Whether the device echoes what it reads, as the connection found it.
    void SetEchoOn(bool on) { m_echoOn = on; }
    bool IsEchoOn() const { return m_echoOn; }

    // The number of the last whole line sent.
    uint64_t GetLinesSent() const { return m_sent; }
    // The number of the last sent line whose echo came back (0: none).
    uint64_t GetLinesEchoed() const { return m_echoed; }
    // The last line whose echo came back, its path written out when it went
    // in the path shorthand ("/AUDIO/ALARM_VOL -20.0" for " -20.0"); empty
    // before the first. A refusal that follows an echo refuses that line.
    const std::string& GetLastEchoedLine() const { return m_lastEchoed; }
    const std::string& GetLastEchoedPath() const { return m_lastEchoedPath; }

    // The oldest line sent after the first `linesBefore` whose echo has not
    // come back: its number, and the characters given to the port up to its
    // end (counted as the link counts them). None when all have come back.
    struct Unechoed {
        uint64_t number;
        uint64_t end;
    };
    std::optional<Unechoed> OldestUnechoed(uint64_t linesBefore) const;

    // "PATH VALUE ? " or "PATH ? " (the line end aside): the device's word
    // for a line it did not take. The blank after the mark is its own; a
    // line typed ends at its mark.
    static bool IsRefusal(const std::string& line);

private:
    void TakeSentLine(const std::string& raw);
    bool PairReceivedLine(const std::string& raw);

    struct Waiting {
        uint64_t number;
        std::string text;   // as sent, trimmed
        std::string whole;  // with the path written out
        std::string path;
        bool query;
        uint64_t end;       // characters sent up to its end
    };
    std::deque<Waiting> m_waiting;  // sent lines whose echo has not come
    std::string m_outPart;          // the line being sent, not yet ended
    std::string m_inPart;           // the line being received, not yet ended
    std::string m_sentPath;         // the path a line in the shorthand continues
    std::string m_lastEchoed;
    std::string m_lastEchoedPath;
    std::string m_answerPath;       // the path of the query whose echo came last
    bool m_answerDue = false;       // and whose answer has not come yet
    bool m_echoOn = true;
    uint64_t m_chars = 0;
    uint64_t m_sent = 0;
    uint64_t m_echoed = 0;
};
