#pragma once
// Binary archive in the byte layout of the ".qlx" project files: little-endian
// numbers, length-prefixed single-byte texts, counted object lists and object
// references with class tags and per-class schema numbers.
//
// Texts are UTF-8 inside the program and Windows-1252 in the archive; the
// conversion happens here and nowhere else.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CArchive;
class CSerializable;
class CQuillomerDoc;

// Describes one serializable class: the name written into class tags, the
// schema number written with it, and how to make an empty instance.
struct CRuntimeClass {
    const char* className;
    uint16_t schema;
    CSerializable* (*create)();
};

// Every class that can stand in an archive registers itself here by name.
class CClassRegistry {
public:
    static void Register(const CRuntimeClass* cls);
    static const CRuntimeClass* Find(std::string_view className);
};

class CSerializable {
public:
    virtual ~CSerializable() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const = 0;
    virtual void Serialize(CArchive& ar) = 0;
};

// In the class body: QL_DECLARE_SERIAL(CAlarm)
// In the .cpp:        QL_IMPLEMENT_SERIAL(CAlarm, 2)
#define QL_DECLARE_SERIAL(cls)                                             \
public:                                                                    \
    static const CRuntimeClass classInfo;                                  \
    const CRuntimeClass* GetRuntimeClass() const override { return &classInfo; } \
    static CSerializable* CreateObject();

#define QL_IMPLEMENT_SERIAL(cls, schemaNo)                                 \
    CSerializable* cls::CreateObject() { return new cls; }                 \
    const CRuntimeClass cls::classInfo = {#cls, schemaNo, &cls::CreateObject}; \
    namespace {                                                            \
    struct cls##_Registrar {                                               \
        cls##_Registrar() { CClassRegistry::Register(&cls::classInfo); }   \
    } cls##_registrar;                                                     \
    }

class CArchiveException : public std::runtime_error {
public:
    enum Cause {
        endOfFile,        // the data ends before the item being read
        badClass,         // a class name that no class registered, or not of the expected kind
        badIndex,         // an object or class index that does not exist
        badSchema,        // a stored schema the class cannot read
        generic,          // any other inconsistency of the data
    };
    CArchiveException(Cause cause, const std::string& what)
        : std::runtime_error(what), m_cause(cause) {}
    Cause cause() const { return m_cause; }

private:
    Cause m_cause;
};

class CArchive {
public:
    // Storing: bytes are appended to `out`.
    explicit CArchive(std::vector<uint8_t>& out);
    // Loading: reads from the given bytes (which must outlive the archive).
    CArchive(const uint8_t* data, size_t size);

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_out != nullptr; }
    bool IsLoading() const { return m_out == nullptr; }

    // The document being loaded or stored, so objects can record their owner.
    CQuillomerDoc* m_pDocument = nullptr;

    // Numbers, little-endian. A char or int8_t is one byte.
    CArchive& operator<<(char v);
    CArchive& operator<<(int8_t v);
    CArchive& operator<<(uint8_t v);
    CArchive& operator<<(uint16_t v);
    CArchive& operator<<(uint32_t v);
    CArchive& operator<<(int16_t v);
    CArchive& operator<<(int32_t v);
    CArchive& operator<<(float v);
    CArchive& operator<<(double v);
    CArchive& operator>>(char& v);
    CArchive& operator>>(int8_t& v);
    CArchive& operator>>(uint8_t& v);
    CArchive& operator>>(uint16_t& v);
    CArchive& operator>>(uint32_t& v);
    CArchive& operator>>(int16_t& v);
    CArchive& operator>>(int32_t& v);
    CArchive& operator>>(float& v);
    CArchive& operator>>(double& v);

    // Texts: length prefix (1, 3 or 7 bytes), then Windows-1252 bytes.
    CArchive& operator<<(const std::string& utf8);
    CArchive& operator>>(std::string& utf8);

    // Raw bytes; reading throws endOfFile when fewer bytes remain.
    void Write(const void* data, size_t size);
    void Read(void* data, size_t size);

    // Element counts of lists: WORD, or WORD 0xFFFF + DWORD from 65535 on.
    // Every element takes at least one byte, so reading a count larger than
    // the bytes left raises endOfFile (callers may reserve what it says).
    void WriteCount(uint32_t count);
    uint32_t ReadCount();

    // Object references: null (WORD 0), new class tag, known class, or a back
    // reference to an object already in this archive.
    void WriteObject(const CSerializable* obj);
    // Returns null for a null reference, a new object (owned by the caller)
    // for a stored object, or the earlier pointer for a back reference.
    // `isKindOf`, when given, says which objects the reference may name: an
    // object for which it answers false raises badClass (a new object of the
    // wrong kind is deleted before its data is read).
    // An object whose Serialize throws is deleted before the exception leaves.
    CSerializable* ReadObject(bool (*isKindOf)(const CSerializable*) = nullptr);

    // ReadObject restricted to objects of type T (or derived from it).
    template <class T>
    T* ReadObjectAs()
    {
        return static_cast<T*>(ReadObject(
            [](const CSerializable* p) { return dynamic_cast<const T*>(p) != nullptr; }));
    }

    // Schema number of the class tag of the object now being loaded.
    uint32_t GetObjectSchema() const { return m_currentSchema; }

    // Loading: bytes read so far; storing: bytes written by this archive.
    size_t Position() const;
    // Loading: no bytes left. Storing: always true.
    bool AtEnd() const;
    // Loading: bytes not yet read (0 when storing).
    size_t Remaining() const;

private:
    void Need(size_t size) const;
    uint16_t ReadWord();
    uint32_t ReadDWord();
    void WriteWord(uint16_t v);
    void WriteDWord(uint32_t v);
    void WriteIndexTag(uint32_t index, bool isClass);
    uint32_t TakeIndex();

    std::vector<uint8_t>* m_out = nullptr;
    const uint8_t* m_in = nullptr;
    size_t m_size = 0;
    size_t m_pos = 0;
    uint32_t m_currentSchema = 0xFFFFFFFFu;

    // One numbering for classes and objects, from 1.
    uint32_t m_nextIndex = 1;
    std::unordered_map<const void*, uint32_t> m_storeObjects;
    std::unordered_map<const CRuntimeClass*, uint32_t> m_storeClasses;
    struct LoadEntry {
        const CRuntimeClass* cls = nullptr;  // set for a class entry
        uint16_t schema = 0;
        CSerializable* obj = nullptr;        // set for an object entry
        bool dead = false;                   // object deleted after a failed load
    };
    std::vector<LoadEntry> m_loadEntries;    // index 0 unused
    int m_depth = 0;                         // nesting of objects being read
};
