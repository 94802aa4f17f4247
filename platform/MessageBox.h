#pragma once
// Message boxes for code that must not depend on a widget library. The
// application installs a handler that shows a real box; tests install one that
// records the texts and answers as they choose. Without a handler the text goes
// to stderr and the default button is answered.

#include <cstdint>
#include <functional>
#include <string>

namespace mb {
// Buttons (low nibble), icon (next nibble), default button (next).
enum : uint32_t {
    Ok = 0x0, OkCancel = 0x1, AbortRetryIgnore = 0x2, YesNoCancel = 0x3, YesNo = 0x4, RetryCancel = 0x5,
    IconStop = 0x10, IconQuestion = 0x20, IconExclamation = 0x30, IconInformation = 0x40,
    DefButton1 = 0x000, DefButton2 = 0x100, DefButton3 = 0x200,
};
// Answers.
enum : int { IdOk = 1, IdCancel = 2, IdAbort = 3, IdRetry = 4, IdIgnore = 5, IdYes = 6, IdNo = 7 };
}  // namespace mb

using MessageHandler = std::function<int(const std::string& text, uint32_t type)>;

// Shows `text` (UTF-8) and returns the button chosen.
int ShowMessage(const std::string& text, uint32_t type = mb::Ok);
// Shows the string-table text of `id`.
int ShowMessageId(uint32_t id, uint32_t type = mb::Ok);
// Shows `text` with `detail` as its detail text (a box offers it on request).
// The handler reads the detail through CurrentMessageDetail.
int ShowMessageWithDetail(const std::string& text, const std::string& detail, uint32_t type = mb::Ok);
// The detail text of the message being shown; empty for a plain message.
const std::string& CurrentMessageDetail();
// Installs a handler; returns the previous one.
MessageHandler SetMessageHandler(MessageHandler handler);
