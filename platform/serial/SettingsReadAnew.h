#pragma once
// The settings library keeps what it read of the settings file by the file's
// name. A read that fails (a folder in the file's place, no permission to
// read it) leaves it holding none of the file's values, while it goes on
// taking the file, once back as it was (same size, same time), for the one
// it read: it would show the defaults, and the next write (or a write that
// failed meanwhile and waits) would leave only the values written then.
// Called before the settings are read or written: when the file changed
// since the last call other than by the library, its time is set to now, so
// that the library reads it anew. Lives here, in the lowest layer with Qt
// Core, so that the port settings are read through it too.
void ReadSettingsAnewIfChanged();
