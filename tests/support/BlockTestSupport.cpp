#include "support/BlockTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "platform/CArchive.h"

namespace blocktest {

RecordingSender::RecordingSender()
{
    m_previous = SetLineSender(this);
}

RecordingSender::~RecordingSender()
{
    SetLineSender(m_previous);
}

void RecordingSender::SendCommand(const std::string& line, CQuillomerDoc* doc, bool shorten)
{
    lines.push_back(line);
    docs.push_back(doc);
    shortenFlags.push_back(shorten);
}

ActiveDoc::ActiveDoc() : m_doc(std::make_unique<CQuillomerDoc>())
{
    CQuillomerDoc* raw = m_doc.get();
    m_previous = SetActiveDocHook([raw] { return raw; });
}

ActiveDoc::~ActiveDoc()
{
    SetActiveDocHook(m_previous);
    m_doc.reset();
}

ProfileHost::ProfileHost()
{
    m_previous = SetAppHost(this);
}

ProfileHost::~ProfileHost()
{
    SetAppHost(m_previous);
}

int ProfileHost::GetProfileInt(const std::string& section, const std::string& key, int def)
{
    if (section != "KVT7000")
        return def;
    for (auto it = m_values.rbegin(); it != m_values.rend(); ++it)
        if (it->first == key)
            return it->second;
    return def;
}

int BlockHarness::Walk(CBaseDevice& block, int mode, const Device& device)
{
    const int count = block.GetDownloadLines(mode, -1);
    int step = 0;
    for (int calls = 0; step < count; ++calls) {
        if (calls == 1000000) {
            ADD_FAILURE() << "the producer never reaches its count";
            return step;
        }
        const size_t sent = link.lines.size();
        const int next = block.GetDownloadLines(mode, step);
        if (device)
            for (size_t i = sent; i < link.lines.size(); ++i)
                for (const std::string& answer : device(link.lines[i]))
                    Answer(answer);
        if (next == step && link.lines.size() == sent)
            return step;
        step = next;
    }
    return step;
}

void BlockHarness::Answer(const std::string& line, int linkState)
{
    doc().DispatchAnswerLine(line, diffFile, linkState);
}

Bytes StoreData(CBaseDevice& obj)
{
    Bytes out;
    CArchive ar(out);
    obj.Serialize(ar);
    return out;
}

Bytes StoreCommon(CBaseDevice& obj)
{
    Bytes out;
    CArchive ar(out);
    obj.CBaseDevice::Serialize(ar);
    return out;
}

Bytes StoreOwnData(CBaseDevice& obj)
{
    const Bytes all = StoreData(obj);
    const Bytes common = StoreCommon(obj);
    if (all.size() < common.size() || !std::equal(common.begin(), common.end(), all.begin()))
        throw std::logic_error("the object's data does not begin with the common part");
    return Bytes(all.begin() + static_cast<std::ptrdiff_t>(common.size()), all.end());
}

std::unique_ptr<CBaseDevice> LoadTagged(const std::string& className, uint16_t schema, const Bytes& data,
                                        CQuillomerDoc* doc)
{
    Bytes file;
    PutU16(file, 0xFFFF);
    PutU16(file, schema);
    PutU16(file, static_cast<uint16_t>(className.size()));
    file.insert(file.end(), className.begin(), className.end());
    file.insert(file.end(), data.begin(), data.end());
    CArchive ar(file.data(), file.size());
    ar.m_pDocument = doc;
    CSerializable* obj = ar.ReadObject(&IsBaseDevice);
    if (!ar.AtEnd())
        throw std::runtime_error("object data not read to the end");
    return std::unique_ptr<CBaseDevice>(static_cast<CBaseDevice*>(obj));
}

void PutU32(Bytes& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutI32(Bytes& b, int32_t v)
{
    PutU32(b, static_cast<uint32_t>(v));
}

void PutU16(Bytes& b, uint16_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

void PutF32(Bytes& b, float v)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    PutU32(b, bits);
}

void PutText(Bytes& b, const std::string& latin1)
{
    if (latin1.size() >= 255)
        throw std::logic_error("PutText is for short texts");
    b.push_back(static_cast<uint8_t>(latin1.size()));
    b.insert(b.end(), latin1.begin(), latin1.end());
}

Bytes Concat(const Bytes& a, const Bytes& b)
{
    Bytes r = a;
    r.insert(r.end(), b.begin(), b.end());
    return r;
}

int SteppedBlock::GetDownloadLines(int, int step)
{
    if (step < 0) {
        ++resets;
        return 4;
    }
    if (step == 2 && midway)
        midway();
    ++calls;
    return step + 1;
}

}  // namespace blocktest
