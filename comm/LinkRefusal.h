#pragma once
// A line the device did not take: it answers a setting it does not
// understand with "PATH VALUE ? " and a query of a key it does not know with
// "PATH ? ". The device link tells every such answer it receives
// (CCommLink::LineRefused) with the line it refuses, so that the window that
// sent the line can show the value the device holds instead of its own.

#include <QMetaType>

#include <string>

struct LinkRefusal {
    // The refused line as the program sent it, its path written out also
    // when it went in the path shorthand ("/AUDIO/ALARM_VOL -20.0"); the
    // device's own words when no echo named it (a device without echo).
    std::string sent;
    // Its path ("/AUDIO/ALARM_VOL") and its value ("-20.0"; empty for a query).
    std::string path;
    std::string value;
    // The device's answer, trimmed ("/AUDIO/ALARM_VOL -20.0 ?").
    std::string answer;
    // The refused line was a query: the device does not know the key.
    bool query = false;

    // Whether the refused line's path begins with `prefix`; letters compare
    // without case, as the device writes its paths in capitals.
    bool SamePath(const std::string& prefix) const
    {
        if (path.size() < prefix.size())
            return false;
        for (size_t i = 0; i < prefix.size(); ++i) {
            const auto up = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
            if (up(path[i]) != up(prefix[i]))
                return false;
        }
        return true;
    }
};

Q_DECLARE_METATYPE(LinkRefusal)
