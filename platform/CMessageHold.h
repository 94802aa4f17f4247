#pragma once
// Holds back the messages that ask nothing (an OK button alone) while it
// lives: code that a box must not stop in the middle shows them once it is
// done. The device link holds them while it handles received text, since the
// port hands nothing more to a handler that is still running: a box opened
// there would keep the device's next answers from being read for as long as
// the user reads it. A message that asks something is shown at once (its
// answer is needed now). Holds nest; each keeps what was shown while it was
// the innermost one.

#include <cstdint>
#include <string>
#include <vector>

class CMessageHold {
public:
    struct Message {
        std::string text;
        std::string detail;
        uint32_t type = 0;
    };

    CMessageHold();
    // What was not taken is shown now: no message is lost.
    ~CMessageHold();
    CMessageHold(const CMessageHold&) = delete;
    CMessageHold& operator=(const CMessageHold&) = delete;

    // The messages held so far, in the order they were shown; the hold goes on.
    std::vector<Message> Take();

    // For the message boxes: keeps the message in the innermost hold and
    // returns true, or false when it is to be shown now.
    static bool Keep(const std::string& text, const std::string& detail, uint32_t type);

private:
    std::vector<Message> m_held;
    CMessageHold* m_outer;
};
