// Why the computer's clock was not set, told in the program's words.
#include "platform/SystemTime.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

TEST(SystemTime, ARefusalIsToldInTheProgramsLanguageNotTheSystems)
{
    const struct {
        int error;
        const char* reason;
    } rows[] = {
        {EPERM, "Keine Berechtigung, die Uhrzeit des Computers zu stellen."},
        {EACCES, "Keine Berechtigung, die Uhrzeit des Computers zu stellen."},
        {EINVAL, "Diese Zeit gibt es nicht."},
        {EFAULT, nullptr},  // a rare one: the system's number with its text
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.error);
        const std::string reason = SystemTimeFailureReason(row.error);
        if (row.reason) {
            EXPECT_EQ(row.reason, reason);
        } else {
            EXPECT_NE(std::string::npos, reason.find(std::to_string(row.error))) << reason;
            EXPECT_NE(std::string::npos, reason.find(std::strerror(row.error))) << reason;
        }
    }
}
