#pragma once
// Test helpers for the block and settings objects: a recording line sender,
// a document installed as the active one, and archive helpers that store an
// object's data or load it back under a chosen class schema.

#include <cstdint>
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

}  // namespace blocktest
