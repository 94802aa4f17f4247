#pragma once
// Helpers of the slot and card tests: message recording, application-host
// recording and little-endian doubles for expected bytes.

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "model/DocContext.h"
#include "platform/MessageBox.h"
#include "support/BlockTestSupport.h"

namespace slottest {

using blocktest::Bytes;

// Records every message box; answers with `answer`.
class MessageRecorder {
public:
    MessageRecorder()
    {
        m_previous = SetMessageHandler([this](const std::string& text, uint32_t type) {
            messages.emplace_back(text, type);
            return answer;
        });
    }
    ~MessageRecorder() { SetMessageHandler(m_previous); }
    size_t Count(const std::string& text) const
    {
        size_t n = 0;
        for (const auto& m : messages)
            n += m.first == text;
        return n;
    }

    std::vector<std::pair<std::string, uint32_t>> messages;
    int answer = mb::IdOk;

private:
    MessageHandler m_previous;
};

// Records the posted commands and the feature windows asked for.
class RecordingHost : public IAppHost {
public:
    RecordingHost() { m_previous = SetAppHost(this); }
    ~RecordingHost() override { SetAppHost(m_previous); }
    void PostCommand(uint32_t commandId) override { posted.push_back(commandId); }
    void OpenFeatureWindow(CQuillomerDoc*, int windowKind, bool modal) override
    {
        windows.emplace_back(windowKind, modal);
    }

    std::vector<uint32_t> posted;
    std::vector<std::pair<int, bool>> windows;

private:
    IAppHost* m_previous = nullptr;
};

inline void PutF64(Bytes& b, double v)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
        b.push_back(static_cast<uint8_t>(bits >> (8 * i)));
}

}  // namespace slottest
