#pragma once
// Helpers of the audio tests: expected archive bytes built field by field,
// and storing/loading one object through class-tagged references.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "model/CBaseDevice.h"
#include "platform/CArchive.h"

namespace audiotest {

// Little-endian byte builder in the archive's layout.
class Bytes {
public:
    Bytes& U16(uint16_t v)
    {
        m_b.push_back(static_cast<uint8_t>(v));
        m_b.push_back(static_cast<uint8_t>(v >> 8));
        return *this;
    }
    Bytes& U32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            m_b.push_back(static_cast<uint8_t>(v >> (8 * i)));
        return *this;
    }
    Bytes& I32(int32_t v) { return U32(static_cast<uint32_t>(v)); }
    Bytes& F32(float v)
    {
        uint32_t u;
        std::memcpy(&u, &v, 4);
        return U32(u);
    }
    // A short text as the archive writes it: one length byte, then the
    // single-byte (Windows-1252) characters.
    Bytes& Text(const std::string& cp1252)
    {
        m_b.push_back(static_cast<uint8_t>(cp1252.size()));
        m_b.insert(m_b.end(), cp1252.begin(), cp1252.end());
        return *this;
    }
    // The tag of a class met for the first time in the archive.
    Bytes& ClassTag(const std::string& name, uint16_t schema)
    {
        U16(0xFFFF).U16(schema).U16(static_cast<uint16_t>(name.size()));
        m_b.insert(m_b.end(), name.begin(), name.end());
        return *this;
    }
    // The common record of an object with no symbol and no connectors.
    Bytes& Common(uint32_t kind, const std::string& name, int32_t category, int32_t number,
                  uint32_t version = 2)
    {
        U32(version).U32(kind).Text(name).I32(category);
        U32(0);  // symbol style
        I32(1);  // show connector names
        I32(0).I32(0);  // input and output count
        for (int i = 0; i < 12; ++i)
            I32(0);  // symbol, bounding and bitmap rectangles
        U32(0).U32(0).U32(0);  // bitmap id, reserved, link-line mode
        for (int i = 0; i < 4; ++i)
            I32(0);  // line lanes
        I32(number);
        if (version >= 2)
            I32(0);  // class value
        return *this;
    }
    const std::vector<uint8_t>& Get() const { return m_b; }

private:
    std::vector<uint8_t> m_b;
};

inline std::vector<uint8_t> Store(const CSerializable& obj)
{
    std::vector<uint8_t> out;
    CArchive ar(out);
    ar.WriteObject(&obj);
    return out;
}

// Loads one object; the archive must be used up exactly.
template <class T>
std::unique_ptr<T> Load(const std::vector<uint8_t>& bytes)
{
    CArchive ar(bytes.data(), bytes.size());
    std::unique_ptr<CSerializable> obj(ar.ReadObject());
    EXPECT_TRUE(ar.AtEnd()) << "bytes left after the object";
    T* typed = dynamic_cast<T*>(obj.get());
    EXPECT_NE(typed, nullptr) << "loaded object of the wrong class";
    if (typed)
        obj.release();
    return std::unique_ptr<T>(typed);
}

// Sets the identity fields the common record carries.
inline void SetIdentity(CBaseDevice& obj, uint32_t kind, const std::string& name, int32_t category,
                        int32_t number)
{
    obj.m_kindId = kind;
    obj.m_name = name;
    obj.m_category = category;
    obj.m_number = number;
}

}  // namespace audiotest
