#pragma once
// The receiver of a block request's answers (the window that asked). The
// device link hands it the answer list synchronously from its receive
// handling; the receiver reads the lines, empties the list and, when its
// exchange is complete, sets the link back to online.
//
// A receiver that has been destroyed gets nothing: the link only keeps a weak
// reference to the receiver's liveness token.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ILinkAnswerSink {
public:
    virtual ~ILinkAnswerSink() = default;
    // `param` is the request's message parameter; `answers` the link's answer
    // list (all lines collected since it was last emptied).
    virtual void OnLinkAnswer(intptr_t param, std::vector<std::string>& answers) = 0;

    std::weak_ptr<void> AliveToken() const { return m_alive; }

private:
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};
