#pragma once
// The one way the program writes a file. A whole file (project, export,
// text file, list, printout) is written aside, as a new file in the same
// folder, and only a new file written whole and on the disk takes the old
// one's place: a write that fails leaves the last good file as it was.
// Files that grow line by line (the protocol log, the event file, the
// difference file) take whole lines only: a line the disk does not take
// whole is taken back out again (CAppendFile keeps it for a later try).
//
// Every failure comes back as its reason, in the language in use, for the
// caller to show with FileNotWrittenText: which file, and why.
//
// A file whose content the user edits and writes back is read here too: one
// that exists but cannot be read is told as such, never taken for empty.

#include <cstdint>
#include <string>
#include <string_view>

// Writes `bytes` as the whole new content of `path`; the file keeps the
// permissions, and where the system allows the owner and group, of the one
// it replaces. A symbolic link is followed: the file it names is replaced
// and the link stays; links that lead round in a circle are refused, the
// links left as they are. A read-only file is refused. Empty when written, else
// the reason.
std::string WriteFileReplacing(const std::string& path, std::string_view bytes);

// Appends `bytes` (whole lines) to `path`, creating it when missing: all of
// them or nothing. A read-only file is refused. Empty when written, else the reason (and in `error`, when
// given, the system's error number).
std::string AppendToFile(const std::string& path, std::string_view bytes, int* error = nullptr);

// The reason for the system error `error` (an errno value).
std::string WriteFailureReason(int error);
// The same for a file that was to be read: a file not there, no permission to read.
std::string ReadFailureReason(int error);

// Reads the whole file `path` into `bytes`: 0 when read, else the errno
// value (ENOENT or ENOTDIR: there is no such file). A file without any read
// permission cannot be read by anybody, the administrator neither, as the
// user marked it so; a folder is no file to read (EISDIR).
int ReadWholeFile(const std::string& path, std::string& bytes);
// The reason a file is not written over: it exists, but its content could
// not be read, so that the new one would replace what nobody has seen.
std::string NotReadBeforeReason();

// The message that tells the user: the file `path` cannot be written, and why.
std::string FileNotWrittenText(const std::string& path, const std::string& reason);
// The message that tells the user: the file `path` cannot be read, and why.
std::string FileNotReadText(const std::string& path, const std::string& reason);
// Added to it for a file written line by line: the lines wait for a later try.
std::string LinesKeptText();
// A file written line by line was closed with `lines` lines it never took.
std::string LinesLostText(const std::string& path, size_t lines, const std::string& reason);

// ---- Below the writers ----
namespace diskwrite {
// Writes `bytes` to the open file `fd`; `done` counts what reached the file
// (also when it fails part way). 0 when all did, else the errno value.
int WriteAll(int fd, std::string_view bytes, size_t& done);
// Opens `path` for appending, creating it when missing; a read-only file is
// refused. The descriptor, or -1 with `reason` and errno set.
int OpenToAppend(const std::string& path, std::string& reason);
// `bytes` written before were taken away again (a file removed or cut back).
void GiveBack(size_t bytes);
// The disk the writes of this program see, for tests: `bytes` more bytes
// fit, then the disk is full; a negative value: the real disk's own room.
// Returns the previous setting.
int64_t SetSpaceForTesting(int64_t bytes);
}  // namespace diskwrite
