#pragma once
// What the main frame needs of the device link: it sees every command first,
// answers synchronous queries, sends a dropped text file and hears when a
// document closes. The device link implements it; until one is installed the
// frame runs without.

#include <string>

#include "model/ICommandTarget.h"

class CQuillomerDoc;

class IDeviceLink : public ICommandTarget {
public:
    // Sends `command` and returns everything that arrived within `waitMs`.
    virtual std::string Query(const std::string& command, int waitMs) = 0;
    // Sends a configuration text file line by line.
    virtual void SendTextFile(const std::string& path) = 0;
    // A document is being closed (`closing`) or replaced; the link
    // disconnects when it is bound to that document and `closing` is set.
    virtual void OnDocumentClosing(CQuillomerDoc* doc, bool closing) = 0;
    // A document was saved under another name: whatever names it shows anew.
    virtual void OnDocumentRenamed(CQuillomerDoc* doc) {}
    virtual bool IsConnected() const = 0;
};
