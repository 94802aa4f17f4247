#pragma once
// The object of a document that shows whether the document is connected to
// the device (the project-information field); the document keeps its
// connected flag there.

#include <cstdint>

class IConnectionField {
public:
    virtual ~IConnectionField() = default;
    // Stores the connected flag and shows it.
    virtual void SetShowIcon(int32_t flag) = 0;
    virtual int32_t IsConnected() const = 0;
};
