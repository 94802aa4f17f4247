#include "platform/CArchive.h"

#include "platform/Cp1252.h"

#include <bit>
#include <cstring>

namespace {
constexpr uint16_t kNullTag = 0;
constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTag = 0x8000;
constexpr uint16_t kBigObjectTag = 0x7FFF;
constexpr uint32_t kBigClassTag = 0x80000000u;
// Highest index the one numbering of classes and objects may reach.
constexpr uint32_t kMaxIndex = 0x7FFFFFFEu;
// Objects read while another object is being read: a damaged file must not
// be able to recurse until the stack runs out.
constexpr int kMaxDepth = 256;

[[noreturn]] void Fail(CArchiveException::Cause cause, const std::string& what)
{
    throw CArchiveException(cause, what);
}
}  // namespace

CArchive::CArchive(std::vector<uint8_t>& out) : m_out(&out)
{
    // Appends are many and small: start with room for a typical project
    // instead of growing from a few bytes.
    constexpr size_t kInitialRoom = 64 * 1024;
    if (out.capacity() - out.size() < kInitialRoom)
        out.reserve(out.size() + kInitialRoom);
}

CArchive::CArchive(const uint8_t* data, size_t size) : m_in(data), m_size(data ? size : 0)
{
    m_loadEntries.emplace_back();  // index 0: the null reference
}

// ---------------------------------------------------------------------------
// Raw bytes

void CArchive::Need(size_t size) const
{
    if (size > m_size - m_pos)
        Fail(CArchiveException::endOfFile, "archive: unexpected end of data");
}

void CArchive::Write(const void* data, size_t size)
{
    if (!m_out)
        Fail(CArchiveException::generic, "archive: writing to an archive opened for loading");
    if (size == 0)
        return;
    const auto* p = static_cast<const uint8_t*>(data);
    m_out->insert(m_out->end(), p, p + size);
    m_pos += size;
}

void CArchive::Read(void* data, size_t size)
{
    if (m_out)
        Fail(CArchiveException::generic, "archive: reading from an archive opened for storing");
    Need(size);
    if (size == 0)
        return;
    std::memcpy(data, m_in + m_pos, size);
    m_pos += size;
}

size_t CArchive::Position() const { return m_pos; }

bool CArchive::AtEnd() const { return m_out ? true : m_pos >= m_size; }

size_t CArchive::Remaining() const { return m_out ? 0 : m_size - m_pos; }

// ---------------------------------------------------------------------------
// Numbers

void CArchive::WriteWord(uint16_t v)
{
    const uint8_t b[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
    Write(b, 2);
}

void CArchive::WriteDWord(uint32_t v)
{
    const uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                          static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
    Write(b, 4);
}

uint16_t CArchive::ReadWord()
{
    uint8_t b[2];
    Read(b, 2);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

uint32_t CArchive::ReadDWord()
{
    // Most of a project file is 32-bit numbers: read in place when they are there.
    uint8_t copy[4];
    const uint8_t* b = copy;
    if (!m_out && m_size - m_pos >= 4) {
        b = m_in + m_pos;
        m_pos += 4;
    } else {
        Read(copy, 4);
    }
    return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
           (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

CArchive& CArchive::operator<<(char v) { return *this << static_cast<uint8_t>(v); }
CArchive& CArchive::operator<<(int8_t v) { return *this << static_cast<uint8_t>(v); }
CArchive& CArchive::operator<<(uint8_t v)
{
    Write(&v, 1);
    return *this;
}
CArchive& CArchive::operator<<(uint16_t v)
{
    WriteWord(v);
    return *this;
}
CArchive& CArchive::operator<<(uint32_t v)
{
    WriteDWord(v);
    return *this;
}
CArchive& CArchive::operator<<(int16_t v) { return *this << static_cast<uint16_t>(v); }
CArchive& CArchive::operator<<(int32_t v) { return *this << static_cast<uint32_t>(v); }
CArchive& CArchive::operator<<(float v) { return *this << std::bit_cast<uint32_t>(v); }
CArchive& CArchive::operator<<(double v)
{
    const uint64_t bits = std::bit_cast<uint64_t>(v);
    WriteDWord(static_cast<uint32_t>(bits));
    WriteDWord(static_cast<uint32_t>(bits >> 32));
    return *this;
}

CArchive& CArchive::operator>>(char& v)
{
    uint8_t b;
    *this >> b;
    v = static_cast<char>(b);
    return *this;
}
CArchive& CArchive::operator>>(int8_t& v)
{
    uint8_t b;
    *this >> b;
    v = static_cast<int8_t>(b);
    return *this;
}
CArchive& CArchive::operator>>(uint8_t& v)
{
    Read(&v, 1);
    return *this;
}
CArchive& CArchive::operator>>(uint16_t& v)
{
    v = ReadWord();
    return *this;
}
CArchive& CArchive::operator>>(uint32_t& v)
{
    v = ReadDWord();
    return *this;
}
CArchive& CArchive::operator>>(int16_t& v)
{
    v = static_cast<int16_t>(ReadWord());
    return *this;
}
CArchive& CArchive::operator>>(int32_t& v)
{
    v = static_cast<int32_t>(ReadDWord());
    return *this;
}
CArchive& CArchive::operator>>(float& v)
{
    v = std::bit_cast<float>(ReadDWord());
    return *this;
}
CArchive& CArchive::operator>>(double& v)
{
    const uint64_t lo = ReadDWord();
    const uint64_t hi = ReadDWord();
    v = std::bit_cast<double>(lo | (hi << 32));
    return *this;
}

// ---------------------------------------------------------------------------
// Texts and counts

CArchive& CArchive::operator<<(const std::string& utf8)
{
    const std::string bytes = Utf8ToCp1252(utf8);
    const size_t len = bytes.size();
    if (len < 0xFF) {
        *this << static_cast<uint8_t>(len);
    } else if (len < 0xFFFE) {
        *this << static_cast<uint8_t>(0xFF);
        WriteWord(static_cast<uint16_t>(len));
    } else {
        if (len > 0xFFFFFFFFu)
            Fail(CArchiveException::generic, "archive: text too long");
        *this << static_cast<uint8_t>(0xFF);
        WriteWord(0xFFFF);
        WriteDWord(static_cast<uint32_t>(len));
    }
    Write(bytes.data(), len);
    return *this;
}

CArchive& CArchive::operator>>(std::string& utf8)
{
    uint8_t shortLen;
    *this >> shortLen;
    size_t len = shortLen;
    if (shortLen == 0xFF) {
        const uint16_t wordLen = ReadWord();
        if (wordLen == 0xFFFF)
            len = ReadDWord();
        else if (wordLen == 0xFFFE)
            // The marker of a wide-character text; project texts are single-byte.
            Fail(CArchiveException::generic, "archive: wide-character text");
        else
            len = wordLen;
    }
    Need(len);
    utf8 = Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(m_in + m_pos), len));
    m_pos += len;
    return *this;
}

void CArchive::WriteCount(uint32_t count)
{
    if (count < 0xFFFF) {
        WriteWord(static_cast<uint16_t>(count));
    } else {
        WriteWord(0xFFFF);
        WriteDWord(count);
    }
}

uint32_t CArchive::ReadCount()
{
    const uint16_t w = ReadWord();
    const uint32_t count = (w == 0xFFFF) ? ReadDWord() : w;
    // Every element takes at least one byte: a larger count can only come
    // from damaged data, and must not make the caller reserve that much.
    if (count > Remaining())
        Fail(CArchiveException::endOfFile, "archive: element count runs past the end of data");
    return count;
}

// ---------------------------------------------------------------------------
// Object references

uint32_t CArchive::TakeIndex()
{
    if (m_nextIndex > kMaxIndex)
        Fail(CArchiveException::generic, "archive: too many objects");
    return m_nextIndex++;
}

void CArchive::WriteIndexTag(uint32_t index, bool isClass)
{
    if (index < kBigObjectTag) {
        WriteWord(static_cast<uint16_t>(isClass ? (kClassTag | index) : index));
    } else {
        WriteWord(kBigObjectTag);
        WriteDWord(isClass ? (kBigClassTag | index) : index);
    }
}

void CArchive::WriteObject(const CSerializable* obj)
{
    if (!m_out)
        Fail(CArchiveException::generic, "archive: writing to an archive opened for loading");
    if (obj == nullptr) {
        WriteWord(kNullTag);
        return;
    }
    // The most-derived address names the object, however it is reached.
    const void* key = dynamic_cast<const void*>(obj);
    if (const auto it = m_storeObjects.find(key); it != m_storeObjects.end()) {
        WriteIndexTag(it->second, false);
        return;
    }

    const CRuntimeClass* cls = obj->GetRuntimeClass();
    if (cls == nullptr || cls->className == nullptr)
        Fail(CArchiveException::badClass, "archive: object without a class");
    if (const auto it = m_storeClasses.find(cls); it != m_storeClasses.end()) {
        WriteIndexTag(it->second, true);
    } else {
        const size_t nameLen = std::strlen(cls->className);
        if (nameLen > 0xFFFF)
            Fail(CArchiveException::badClass, "archive: class name too long");
        WriteWord(kNewClassTag);
        WriteWord(cls->schema);
        WriteWord(static_cast<uint16_t>(nameLen));
        Write(cls->className, nameLen);
        m_storeClasses.emplace(cls, TakeIndex());
    }
    m_storeObjects.emplace(key, TakeIndex());

    const uint32_t savedSchema = m_currentSchema;
    m_currentSchema = cls->schema;
    try {
        const_cast<CSerializable*>(obj)->Serialize(*this);
    } catch (...) {
        m_currentSchema = savedSchema;
        throw;
    }
    m_currentSchema = savedSchema;
}

CSerializable* CArchive::ReadObject(bool (*isKindOf)(const CSerializable*))
{
    if (m_out)
        Fail(CArchiveException::generic, "archive: reading from an archive opened for storing");

    const uint16_t tag = ReadWord();
    const CRuntimeClass* cls = nullptr;
    uint16_t schema = 0;

    if (tag == kNewClassTag) {
        schema = ReadWord();
        const uint16_t nameLen = ReadWord();
        Need(nameLen);
        const std::string_view name(reinterpret_cast<const char*>(m_in + m_pos), nameLen);
        m_pos += nameLen;
        cls = CClassRegistry::Find(name);
        if (cls == nullptr)
            Fail(CArchiveException::badClass, "archive: unknown class \"" + std::string(name) + "\"");
        if (m_loadEntries.size() > kMaxIndex)
            Fail(CArchiveException::generic, "archive: too many objects");
        LoadEntry entry;
        entry.cls = cls;
        entry.schema = schema;
        m_loadEntries.push_back(entry);
    } else {
        bool isClass;
        uint32_t index;
        if (tag == kBigObjectTag) {
            const uint32_t big = ReadDWord();
            isClass = (big & kBigClassTag) != 0;
            index = big & ~kBigClassTag;
        } else {
            isClass = (tag & kClassTag) != 0;
            index = tag & ~kClassTag;
        }

        if (!isClass && index == 0)
            return nullptr;
        if (index == 0 || index >= m_loadEntries.size())
            Fail(CArchiveException::badIndex, "archive: reference to an index not yet read");
        const LoadEntry& entry = m_loadEntries[index];

        if (!isClass) {
            if (entry.obj == nullptr)  // a class entry, or an object whose load failed
                Fail(CArchiveException::badIndex, "archive: object reference to a class or lost object");
            if (isKindOf && !isKindOf(entry.obj))
                Fail(CArchiveException::badClass, "archive: object of an unexpected class");
            return entry.obj;
        }
        if (entry.cls == nullptr)
            Fail(CArchiveException::badIndex, "archive: class reference to an object");
        cls = entry.cls;
        schema = entry.schema;
    }

    // A new object of class `cls` follows.
    if (m_depth >= kMaxDepth)
        Fail(CArchiveException::generic, "archive: objects nested too deeply");
    if (m_loadEntries.size() > kMaxIndex)
        Fail(CArchiveException::generic, "archive: too many objects");
    CSerializable* obj = cls->create ? cls->create() : nullptr;
    if (obj == nullptr)
        Fail(CArchiveException::badClass, "archive: class cannot be created");
    if (isKindOf && !isKindOf(obj)) {
        delete obj;
        Fail(CArchiveException::badClass, std::string("archive: unexpected class \"") + cls->className + "\"");
    }

    // Entered before its data is read, so that the object's own members can
    // refer back to it.
    const size_t myIndex = m_loadEntries.size();
    LoadEntry entry;
    entry.obj = obj;
    m_loadEntries.push_back(entry);

    const uint32_t savedSchema = m_currentSchema;
    m_currentSchema = schema;
    ++m_depth;
    try {
        obj->Serialize(*this);
    } catch (...) {
        --m_depth;
        m_currentSchema = savedSchema;
        // This object and every object read while it was being read are gone
        // (deleted now, or with it): nothing may refer to them any more.
        for (size_t i = myIndex; i < m_loadEntries.size(); ++i) {
            if (m_loadEntries[i].obj) {
                m_loadEntries[i].obj = nullptr;
                m_loadEntries[i].dead = true;
            }
        }
        delete obj;
        throw;
    }
    --m_depth;
    m_currentSchema = savedSchema;
    return obj;
}
