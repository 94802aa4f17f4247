#pragma once
// The project's event file: the project file's path name followed by
// ".events" ("plan.qlx.events"), one event entry a line, kept from one
// opening of the event log window to the next.

#include <string>

namespace eventfile {
// The event file of the project at `projectPath` (".events" alone for a
// project that has never been saved).
std::string NameOf(const std::string& projectPath);
}  // namespace eventfile
