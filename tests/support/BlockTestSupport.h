#pragma once
// Test helpers for the block and settings objects: a recording line sender,
// a document installed as the active one, settings answers, a harness that
// runs a block's line producer the way the device link does (with an optional
// fake device answering through the document's answer routing), and archive
// helpers that store an object's data or load it back under a chosen schema.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"
#include "model/CQuillomerDoc.h"
#include "model/DocContext.h"

namespace blocktest {

// Records every line sent; the output-buffer count can be set.
class RecordingSender : public ILineSender {
public:
    RecordingSender();
    ~RecordingSender() override;
    void SendCommand(const std::string& line, CQuillomerDoc* doc, bool shorten) override;
    int GetOutBufferCount() const override { return outBufferCount; }

    std::vector<std::string> lines;
    std::vector<CQuillomerDoc*> docs;
    std::vector<bool> shortenFlags;
    int outBufferCount = 0;

private:
    ILineSender* m_previous = nullptr;
};

// A document installed as the active document for the test's lifetime.
class ActiveDoc {
public:
    ActiveDoc();
    ~ActiveDoc();
    CQuillomerDoc& doc() { return *m_doc; }
    CQuillomerDoc* get() { return m_doc.get(); }

private:
    std::unique_ptr<CQuillomerDoc> m_doc;
    ActiveDocHook m_previous;
};

// Installs settings answers for GetProfileInt of section "KVT7000".
class ProfileHost : public IAppHost {
public:
    ProfileHost();
    ~ProfileHost() override;
    int GetProfileInt(const std::string& section, const std::string& key, int def) override;
    void Set(const std::string& key, int value) { m_values.emplace_back(key, value); }

private:
    std::vector<std::pair<std::string, int>> m_values;
    IAppHost* m_previous = nullptr;
};

// A headless device link for one block: the document (active), the recorded
// lines with a settable output-buffer count, the profile flags, and the
// answers fed back through CQuillomerDoc::DispatchAnswerLine.
class BlockHarness {
public:
    // Answer lines of the fake device to one sent line (with their leading "/").
    using Device = std::function<std::vector<std::string>(const std::string& sent)>;

    CQuillomerDoc& doc() { return active.doc(); }
    // Adds an object made by the placing Create to the document.
    template <class T>
    T* Add(uint32_t kind, int32_t category)
    {
        auto* o = new T;
        if (!o->Create(kind, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, category, 0, 3, active.get())) {
            delete o;
            return nullptr;
        }
        active.doc().AddObject(o, category);
        return o;
    }

    // Runs the producer as the transfer loop does: step -1, then each step it
    // returns, until the count. Every line sent goes to `device` (when set),
    // whose answers are dispatched before the next call. Stops early when a
    // step comes back unchanged (the producer waits) and returns the step
    // reached. The lines sent collect in link.lines.
    int Walk(CBaseDevice& block, int mode, const Device& device = {});
    // One answer line through the document's routing, as in an upload.
    void Answer(const std::string& line, int linkState = linkstate::Upload);

    ActiveDoc active;
    ProfileHost profile;
    RecordingSender link;
    std::string diffFile;  // the upload difference file handed on with answers ("" none)
};

using Bytes = std::vector<uint8_t>;

// The object's Serialize output when storing (common part and own data).
Bytes StoreData(CBaseDevice& obj);
// Only the common part the base writes for the object.
Bytes StoreCommon(CBaseDevice& obj);
// The bytes after the common part.
Bytes StoreOwnData(CBaseDevice& obj);

// Builds an archive holding one object with a new class tag (name, schema)
// followed by `data`, and loads it. The loaded object belongs to the caller.
std::unique_ptr<CBaseDevice> LoadTagged(const std::string& className, uint16_t schema, const Bytes& data,
                                        CQuillomerDoc* doc = nullptr);

// Little-endian byte builders for expected data.
void PutU32(Bytes& b, uint32_t v);
void PutI32(Bytes& b, int32_t v);
void PutU16(Bytes& b, uint16_t v);
void PutF32(Bytes& b, float v);
void PutText(Bytes& b, const std::string& latin1);  // short texts only (< 255 bytes)
Bytes Concat(const Bytes& a, const Bytes& b);

// A block of four steps; at step 2 it lets the test act in the middle of
// its transfer.
class SteppedBlock : public CBaseDevice {
public:
    SteppedBlock() { m_name = "Stufenblock"; }
    int GetDownloadLines(int mode, int step) override;

    std::function<void()> midway;
    int resets = 0;  // calls with a negative step
    int calls = 0;   // calls of a step
};

}  // namespace blocktest
