#include "platform/MessageBox.h"

#include "platform/CMessageHold.h"
#include "platform/StringTable.h"

#include <cstdio>
#include <utility>

namespace {
MessageHandler& Handler()
{
    static MessageHandler handler;
    return handler;
}

std::string& Detail()
{
    static std::string detail;
    return detail;
}

int DefaultAnswer(uint32_t type)
{
    const uint32_t buttons = type & 0xF;
    const uint32_t def = (type >> 8) & 0xF;
    switch (buttons) {
    case mb::OkCancel: return def == 1 ? mb::IdCancel : mb::IdOk;
    case mb::AbortRetryIgnore: return def == 1 ? mb::IdRetry : def == 2 ? mb::IdIgnore : mb::IdAbort;
    case mb::YesNoCancel: return def == 1 ? mb::IdNo : def == 2 ? mb::IdCancel : mb::IdYes;
    case mb::YesNo: return def == 1 ? mb::IdNo : mb::IdYes;
    case mb::RetryCancel: return def == 1 ? mb::IdCancel : mb::IdRetry;
    default: return mb::IdOk;
    }
}

int Show(const std::string& text, const std::string& detail, uint32_t type)
{
    // A message that asks nothing waits while a hold stands; its answer is OK.
    if (CMessageHold::Keep(text, detail, type))
        return mb::IdOk;
    // The detail belongs to this message only, not to one its handler shows.
    struct Restore {
        std::string saved;
        ~Restore() { Detail() = std::move(saved); }
    } restore{std::exchange(Detail(), detail)};
    if (Handler())
        return Handler()(text, type);
    if (detail.empty())
        std::fprintf(stderr, "[message] %s\n", text.c_str());
    else
        std::fprintf(stderr, "[message] %s\n[detail] %s\n", text.c_str(), detail.c_str());
    return DefaultAnswer(type);
}
}  // namespace

int ShowMessage(const std::string& text, uint32_t type)
{
    return Show(text, {}, type);
}

int ShowMessageWithDetail(const std::string& text, const std::string& detail, uint32_t type)
{
    return Show(text, detail, type);
}

const std::string& CurrentMessageDetail()
{
    return Detail();
}

int ShowMessageId(uint32_t id, uint32_t type)
{
    return ShowMessage(LoadStringId(id), type);
}

MessageHandler SetMessageHandler(MessageHandler handler)
{
    MessageHandler old = std::move(Handler());
    Handler() = std::move(handler);
    return old;
}
