#pragma once
// The project's event file: the project file's path name followed by
// ".events" ("plan.qlx.events"), one event entry a line, kept from one
// opening of the event log window to the next.

#include <string>

namespace eventfile {
// The event file of the project at `projectPath` (".events" alone for a
// project that has never been saved).
std::string NameOf(const std::string& projectPath);
// The name earlier versions gave the file: ".qlx" replaced ("plan.events").
std::string LegacyNameOf(const std::string& projectPath);
// The event file's name, ready to be opened for appending: when only a file
// under the earlier name exists, its entries are taken over once (the file
// is moved; copied when it cannot be moved). `error` receives the reason when
// the earlier file could not be taken over (it is then left where it is).
std::string Prepare(const std::string& projectPath, std::string* error);
}  // namespace eventfile
