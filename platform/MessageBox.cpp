#include "platform/MessageBox.h"

#include "platform/StringTable.h"

#include <cstdio>

namespace {
MessageHandler& Handler()
{
    static MessageHandler handler;
    return handler;
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
}  // namespace

int ShowMessage(const std::string& text, uint32_t type)
{
    if (Handler())
        return Handler()(text, type);
    std::fprintf(stderr, "[message] %s\n", text.c_str());
    return DefaultAnswer(type);
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
