#pragma once
// An object whose settings are set by key from a text, as the device's lines
// give them (a signal's priority, ...). The document uses it when it builds
// objects of other folders.

#include <cstdint>
#include <string>

class ITextSettings {
public:
    virtual ~ITextSettings() = default;
    // False for a key the object does not have.
    virtual bool SetValue(uint32_t key, const std::string& text) = 0;
};
