#pragma once
// The device's answers to keys that mean something only together: a
// function and the index it selects, a monitor source and its number (with
// an amplifier's channel), a spare amplifier's index and whether that is an
// amplifier channel or a ready input, a macro's contact kind and its output.
// An entry takes such a group whole or keeps what it held for all of it,
// never half: taking one answer and refusing the other would make a value
// neither the device nor the project had, and what a window then shows
// would not be what the next download sends.
//
// A reader takes each answer as it comes and tells the group; the group
// remembers what the entry held before its first answer and what the device
// gave. When an answer of the group cannot be taken, the reader puts back
// what the entry held (Before) and the group names every answer it had
// taken with the value the entry keeps; an answer after a refused one is not
// taken (IsRefused). The answer that completes the group closes it.

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "model/BlockWalk.h"

template <class Held>
class AnswerGroup {
public:
    // The entry takes the device's `value` for `item`; `held` is what it
    // holds before taking it. The group of `entry` opens with it; an item the
    // open group has taken already begins the group anew (a later upload).
    // The answer of the key that begins a group closes what is open first.
    void Take(int entry, const Held& held, const std::string& item, const std::string& value)
    {
        auto it = m_open.find(entry);
        if (it != m_open.end() && Has(it->second, item))
            it = m_open.erase(it);
        if (it == m_open.end())
            it = m_open.emplace(entry, Open{held, {}, false}).first;
        it->second.taken.emplace_back(item, value);
    }
    // The entry cannot take an answer of the group (already named): the
    // rest of the group is not taken either.
    void Refuse(int entry, const Held& held)
    {
        auto it = m_open.find(entry);
        if (it == m_open.end())
            it = m_open.emplace(entry, Open{held, {}, false}).first;
        it->second.refused = true;
    }
    bool IsRefused(int entry) const
    {
        const auto it = m_open.find(entry);
        return it != m_open.end() && it->second.refused;
    }
    // What the entry held before the open group's first answer; null when no
    // group of the entry is open.
    const Held* Before(int entry) const
    {
        const auto it = m_open.find(entry);
        return it == m_open.end() ? nullptr : &it->second.before;
    }
    // The group is complete.
    void Close(int entry) { m_open.erase(entry); }
    // The group is refused after the entry took some of it, and the entry
    // holds again what it held before: each answer taken that differs from
    // what the entry keeps for its item (`kept`) is named, in the order the
    // answers came. Later answers of the group are not taken.
    void NameTaken(int entry, const std::string* diffFile,
                   const std::function<std::string(const std::string& item)>& kept)
    {
        const auto it = m_open.find(entry);
        if (it == m_open.end())
            return;
        for (const auto& [item, value] : it->second.taken)
            if (const std::string held = kept(item); held != value)
                ReportNotHeld(diffFile, item, value, held);
        it->second.taken.clear();
        it->second.refused = true;
    }
    // A new walk: nothing of an earlier one is open.
    void Clear() { m_open.clear(); }

private:
    struct Open {
        Held before;
        std::vector<std::pair<std::string, std::string>> taken;  // item, the device's value
        bool refused;
    };
    static bool Has(const Open& open, const std::string& item)
    {
        for (const auto& answer : open.taken)
            if (answer.first == item)
                return true;
        return false;
    }
    std::map<int, Open> m_open;
};
