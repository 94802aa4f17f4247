#include "platform/CArchive.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

namespace {
int g_live = 0;  // test objects alive right now

Bytes B(std::initializer_list<int> v)
{
    Bytes out;
    for (int b : v)
        out.push_back(static_cast<uint8_t>(b));
    return out;
}

void Append(Bytes& to, const Bytes& more) { to.insert(to.end(), more.begin(), more.end()); }

void AppendText(Bytes& to, std::string_view s) { to.insert(to.end(), s.begin(), s.end()); }
}  // namespace

// A small object: a number and a text; remembers the schema it was read with.
class CArchTestItem : public CSerializable {
    QL_DECLARE_SERIAL(CArchTestItem)
    CArchTestItem() { ++g_live; }
    ~CArchTestItem() override { --g_live; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << value << text;
        } else {
            loadedSchema = ar.GetObjectSchema();
            ar >> value >> text;
        }
    }
    uint16_t value = 0;
    std::string text;
    uint32_t loadedSchema = 0;
};
QL_IMPLEMENT_SERIAL(CArchTestItem, 3)

// An object without data of its own, for archives with very many objects.
class CArchTestTiny : public CSerializable {
    QL_DECLARE_SERIAL(CArchTestTiny)
    CArchTestTiny() { ++g_live; }
    ~CArchTestTiny() override { --g_live; }
    void Serialize(CArchive&) override {}
};
QL_IMPLEMENT_SERIAL(CArchTestTiny, 1)

// An object that owns the objects of its first list and only refers to those
// of its second list (which must already be in the archive, or be itself).
class CArchTestNode : public CSerializable {
    QL_DECLARE_SERIAL(CArchTestNode)
    CArchTestNode() { ++g_live; }
    ~CArchTestNode() override
    {
        --g_live;
        for (CSerializable* p : owned)
            delete p;
    }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << tag;
            ar.WriteCount(static_cast<uint32_t>(owned.size()));
            for (CSerializable* p : owned)
                ar.WriteObject(p);
            ar.WriteCount(static_cast<uint32_t>(refs.size()));
            for (CSerializable* p : refs)
                ar.WriteObject(p);
        } else {
            loadedSchema = ar.GetObjectSchema();
            ar >> tag;
            for (uint32_t n = ar.ReadCount(); n > 0; --n)
                owned.push_back(ar.ReadObject());
            schemaAfterChildren = ar.GetObjectSchema();
            for (uint32_t n = ar.ReadCount(); n > 0; --n)
                refs.push_back(ar.ReadObject());
        }
    }
    uint8_t tag = 0;
    std::vector<CSerializable*> owned;
    std::vector<CSerializable*> refs;
    uint32_t loadedSchema = 0;
    uint32_t schemaAfterChildren = 0;
};
QL_IMPLEMENT_SERIAL(CArchTestNode, 7)

// Reads one byte, then declares its data damaged.
class CArchTestFailing : public CSerializable {
    QL_DECLARE_SERIAL(CArchTestFailing)
    CArchTestFailing() { ++g_live; }
    ~CArchTestFailing() override { --g_live; }
    void Serialize(CArchive& ar) override
    {
        uint8_t b = 0;
        if (ar.IsStoring()) {
            ar << b;
            return;
        }
        ar >> b;
        throw CArchiveException(CArchiveException::badSchema, "damaged");
    }
};
QL_IMPLEMENT_SERIAL(CArchTestFailing, 1)

// Survives a failing child and then refers back to it.
class CArchTestCatcher : public CSerializable {
    QL_DECLARE_SERIAL(CArchTestCatcher)
    CArchTestCatcher() { ++g_live; }
    ~CArchTestCatcher() override { --g_live; }
    void Serialize(CArchive& ar) override
    {
        try {
            ar.ReadObject();
        } catch (const CArchiveException&) {
            childFailed = true;
        }
        ar.ReadObject();
    }
    bool childFailed = false;
};
QL_IMPLEMENT_SERIAL(CArchTestCatcher, 1)

namespace {
template <class Fn>
Bytes Store(Fn fn)
{
    Bytes out;
    CArchive ar(out);
    fn(ar);
    return out;
}

CArchiveException::Cause LoadCause(const Bytes& data)
{
    CArchive ar(data.data(), data.size());
    try {
        std::unique_ptr<CSerializable> obj(ar.ReadObject());
    } catch (const CArchiveException& e) {
        return e.cause();
    }
    ADD_FAILURE() << "no exception";
    return CArchiveException::generic;
}

Bytes NewClassTag(uint16_t schema, std::string_view name)
{
    Bytes b = B({0xFF, 0xFF, schema & 0xFF, schema >> 8, static_cast<int>(name.size()), 0});
    AppendText(b, name);
    return b;
}
}  // namespace

class ArchiveTest : public ::testing::Test {
protected:
    void SetUp() override { g_live = 0; }
    void TearDown() override { EXPECT_EQ(g_live, 0) << "test objects left alive"; }
};

TEST_F(ArchiveTest, NumbersAreLittleEndian)
{
    const Bytes data = Store([](CArchive& ar) {
        ar << uint8_t{0xAB} << uint16_t{0x1234} << uint32_t{0x89ABCDEF} << int16_t{-2} << int32_t{-3}
           << 1.0f << 1.0 << 'Q' << int8_t{-1};
        EXPECT_EQ(ar.Position(), 27u);
    });
    EXPECT_EQ(data, B({0xAB, 0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89, 0xFE, 0xFF, 0xFD, 0xFF, 0xFF, 0xFF,
                       0x00, 0x00, 0x80, 0x3F, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 'Q', 0xFF}));

    CArchive ar(data.data(), data.size());
    uint8_t u8;
    uint16_t u16;
    uint32_t u32;
    int16_t i16;
    int32_t i32;
    float f;
    double d;
    char c;
    int8_t i8;
    ar >> u8 >> u16 >> u32 >> i16 >> i32 >> f >> d >> c >> i8;
    EXPECT_EQ(u8, 0xAB);
    EXPECT_EQ(u16, 0x1234);
    EXPECT_EQ(u32, 0x89ABCDEFu);
    EXPECT_EQ(i16, -2);
    EXPECT_EQ(i32, -3);
    EXPECT_EQ(f, 1.0f);
    EXPECT_EQ(d, 1.0);
    EXPECT_EQ(c, 'Q');
    EXPECT_EQ(i8, -1);
    EXPECT_TRUE(ar.AtEnd());
    EXPECT_THROW(ar >> u8, CArchiveException);
}

TEST_F(ArchiveTest, TextLengthPrefixAtEachBoundary)
{
    struct Case {
        size_t len;
        Bytes prefix;
    };
    const Case cases[] = {
        {0, B({0x00})},
        {3, B({0x03})},
        {254, B({0xFE})},
        {255, B({0xFF, 0xFF, 0x00})},
        {65533, B({0xFF, 0xFD, 0xFF})},
        {65534, B({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {65535, B({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
        {70000, B({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.len);
        std::string text(c.len, 'x');
        for (size_t i = 0; i < c.len; i += 7)
            text[i] = static_cast<char>('a' + i % 26);
        const Bytes data = Store([&](CArchive& ar) { ar << text << uint8_t{0x5A}; });
        ASSERT_EQ(data.size(), c.prefix.size() + c.len + 1);
        EXPECT_EQ(Bytes(data.begin(), data.begin() + c.prefix.size()), c.prefix);
        EXPECT_EQ(data.back(), 0x5A);

        CArchive ar(data.data(), data.size());
        std::string back;
        uint8_t tail = 0;
        ar >> back >> tail;
        EXPECT_EQ(back, text);
        EXPECT_EQ(tail, 0x5A);
        EXPECT_TRUE(ar.AtEnd());

        // Cut inside the prefix, right after it, and one byte short of the text.
        std::vector<size_t> cuts;
        for (size_t cut = 0; cut <= c.prefix.size() && cut < c.prefix.size() + c.len; ++cut)
            cuts.push_back(cut);
        if (c.len > 0)
            cuts.push_back(c.prefix.size() + c.len - 1);
        for (size_t cut : cuts) {
            const Bytes part(data.begin(), data.begin() + cut);
            CArchive cutAr(part.data(), part.size());
            std::string s;
            EXPECT_THROW(cutAr >> s, CArchiveException) << "cut at " << cut;
        }
    }
}

TEST_F(ArchiveTest, GermanTextIsStoredAsSingleBytesAndRoundTrips)
{
    const std::string german = "Lautsprecher Größe Übergang Straße €";
    const Bytes data = Store([&](CArchive& ar) { ar << german; });
    Bytes expected = B({36});
    AppendText(expected, "Lautsprecher Gr\xF6\xDF" "e \xDC" "bergang Stra\xDF" "e \x80");
    EXPECT_EQ(data, expected);

    CArchive ar(data.data(), data.size());
    std::string back;
    ar >> back;
    EXPECT_EQ(back, german);
    EXPECT_EQ(Store([&](CArchive& out) { out << back; }), data);
}

TEST_F(ArchiveTest, DamagedTextPrefixesFailCleanly)
{
    // Length running past the end, in each prefix size.
    for (const Bytes& data : {B({0x05, 'a', 'b'}), B({0xFF, 0x00, 0x01, 'a'}),
                              B({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'})}) {
        CArchive ar(data.data(), data.size());
        std::string s;
        try {
            ar >> s;
            ADD_FAILURE() << "no exception";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.cause(), CArchiveException::endOfFile);
        }
    }
    // The wide-text marker is not a project text.
    const Bytes wide = B({0xFF, 0xFE, 0xFF, 0x01, 'a', 0});
    CArchive ar(wide.data(), wide.size());
    std::string s;
    EXPECT_THROW(ar >> s, CArchiveException);
}

TEST_F(ArchiveTest, CountsUseTheEscapeFrom65535On)
{
    EXPECT_EQ(Store([](CArchive& ar) { ar.WriteCount(0); }), B({0, 0}));
    EXPECT_EQ(Store([](CArchive& ar) { ar.WriteCount(65534); }), B({0xFE, 0xFF}));
    EXPECT_EQ(Store([](CArchive& ar) { ar.WriteCount(65535); }), B({0xFF, 0xFF, 0xFF, 0xFF, 0, 0}));
    EXPECT_EQ(Store([](CArchive& ar) { ar.WriteCount(70000); }), B({0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}));

    for (uint32_t count : {65534u, 65535u, 70000u}) {
        Bytes data = Store([&](CArchive& ar) {
            ar.WriteCount(count);
            for (uint32_t i = 0; i < count; ++i)
                ar << static_cast<uint8_t>(i);
        });
        CArchive ar(data.data(), data.size());
        ASSERT_EQ(ar.ReadCount(), count);
        uint8_t b = 0;
        for (uint32_t i = 0; i < count; ++i)
            ar >> b;
        EXPECT_EQ(b, static_cast<uint8_t>(count - 1));
        EXPECT_TRUE(ar.AtEnd());
    }

    // A count larger than the data left is damage, not a reason to allocate.
    const Bytes huge = B({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3});
    CArchive ar(huge.data(), huge.size());
    EXPECT_THROW(ar.ReadCount(), CArchiveException);
}

TEST_F(ArchiveTest, EveryReferenceFormHasItsExactBytes)
{
    CArchTestItem a, b;
    a.value = 0x0102;
    a.text = "A";
    b.value = 0x0304;
    b.text = "B";
    CArchTestTiny t;

    const Bytes data = Store([&](CArchive& ar) {
        ar.WriteObject(nullptr);  // null
        ar.WriteObject(&a);       // new class (index 1), object index 2
        ar.WriteObject(&b);       // known class 1, object index 3
        ar.WriteObject(&a);       // back reference 2
        ar.WriteObject(&t);       // new class (index 4), object index 5
        ar.WriteObject(&b);       // back reference 3
        ar.WriteObject(&t);       // back reference 5
    });

    Bytes expected = B({0x00, 0x00});
    Append(expected, NewClassTag(3, "CArchTestItem"));
    Append(expected, B({0x02, 0x01, 0x01, 'A'}));
    Append(expected, B({0x01, 0x80, 0x04, 0x03, 0x01, 'B'}));
    Append(expected, B({0x02, 0x00}));
    Append(expected, NewClassTag(1, "CArchTestTiny"));
    Append(expected, B({0x03, 0x00, 0x05, 0x00}));
    EXPECT_EQ(data, expected);

    CArchive ar(data.data(), data.size());
    EXPECT_EQ(ar.ReadObject(), nullptr);
    std::unique_ptr<CSerializable> ra(ar.ReadObject());
    std::unique_ptr<CSerializable> rb(ar.ReadObject());
    EXPECT_EQ(ar.ReadObject(), ra.get());
    std::unique_ptr<CSerializable> rt(ar.ReadObject());
    EXPECT_EQ(ar.ReadObject(), rb.get());
    EXPECT_EQ(ar.ReadObject(), rt.get());
    EXPECT_TRUE(ar.AtEnd());

    auto* ia = dynamic_cast<CArchTestItem*>(ra.get());
    auto* ib = dynamic_cast<CArchTestItem*>(rb.get());
    ASSERT_TRUE(ia && ib);
    EXPECT_EQ(ia->value, 0x0102);
    EXPECT_EQ(ia->text, "A");
    EXPECT_EQ(ib->value, 0x0304);
    EXPECT_EQ(ib->text, "B");
    EXPECT_EQ(ia->loadedSchema, 3u);
    EXPECT_NE(dynamic_cast<CArchTestTiny*>(rt.get()), nullptr);
}

TEST_F(ArchiveTest, LoaderHandsTheStoredSchemaToEachObject)
{
    // An older file: the node class stored with schema 2, its child item with schema 1.
    Bytes data = NewClassTag(2, "CArchTestNode");
    Append(data, B({0x09, 0x01, 0x00}));  // tag, one owned object
    Append(data, NewClassTag(1, "CArchTestItem"));
    Append(data, B({0x07, 0x00, 0x00}));  // value 7, empty text
    Append(data, B({0x00, 0x00}));        // no references

    CArchive ar(data.data(), data.size());
    std::unique_ptr<CSerializable> obj(ar.ReadObject());
    auto* node = dynamic_cast<CArchTestNode*>(obj.get());
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->loadedSchema, 2u);
    EXPECT_EQ(node->schemaAfterChildren, 2u);  // the child's schema does not stick
    ASSERT_EQ(node->owned.size(), 1u);
    auto* item = dynamic_cast<CArchTestItem*>(node->owned[0]);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->loadedSchema, 1u);
    EXPECT_EQ(item->value, 7);
}

TEST_F(ArchiveTest, BackReferencesInsideObjectsIncludingItself)
{
    auto* root = new CArchTestNode;
    std::unique_ptr<CArchTestNode> rootOwner(root);
    auto* item = new CArchTestItem;
    item->text = "Zone";
    auto* inner = new CArchTestNode;
    root->owned = {item, inner};
    inner->refs = {item, root};  // to a sibling and to the node still being written
    root->refs = {root};

    const Bytes data = Store([&](CArchive& ar) { ar.WriteObject(root); });

    CArchive ar(data.data(), data.size());
    std::unique_ptr<CSerializable> obj(ar.ReadObject());
    auto* lroot = dynamic_cast<CArchTestNode*>(obj.get());
    ASSERT_NE(lroot, nullptr);
    ASSERT_EQ(lroot->owned.size(), 2u);
    auto* linner = dynamic_cast<CArchTestNode*>(lroot->owned[1]);
    ASSERT_NE(linner, nullptr);
    ASSERT_EQ(linner->refs.size(), 2u);
    EXPECT_EQ(linner->refs[0], lroot->owned[0]);
    EXPECT_EQ(linner->refs[1], lroot);
    ASSERT_EQ(lroot->refs.size(), 1u);
    EXPECT_EQ(lroot->refs[0], lroot);
    EXPECT_TRUE(ar.AtEnd());

    // Storing the loaded tree again gives the same bytes.
    EXPECT_EQ(Store([&](CArchive& out) { out.WriteObject(lroot); }), data);
}

TEST_F(ArchiveTest, IndicesBeyond15BitsUseTheEscape)
{
    // Class 1, objects 2 .. 0x8000: the last two no longer fit in 15 bits.
    constexpr size_t kCount = 0x7FFF;
    std::vector<std::unique_ptr<CArchTestTiny>> tiny;
    for (size_t i = 0; i < kCount; ++i)
        tiny.push_back(std::make_unique<CArchTestTiny>());
    CArchTestItem a, b;  // class 0x8001, objects 0x8002 and 0x8003

    const Bytes data = Store([&](CArchive& ar) {
        for (auto& t : tiny)
            ar.WriteObject(t.get());
        ar.WriteObject(&a);
        ar.WriteObject(&b);
        ar.WriteObject(tiny[kCount - 3].get());  // index 0x7FFE: still a plain WORD
        ar.WriteObject(tiny[kCount - 2].get());  // index 0x7FFF
        ar.WriteObject(&b);                      // index 0x8003
    });

    // Objects with no data take two bytes each after the first.
    size_t pos = NewClassTag(1, "CArchTestTiny").size() + 2 * (kCount - 1);
    EXPECT_EQ(Bytes(data.begin() + pos - 2, data.begin() + pos), B({0x01, 0x80}));
    pos += NewClassTag(3, "CArchTestItem").size() + 3;  // new class + data of a
    Bytes tail = B({0xFF, 0x7F, 0x01, 0x80, 0x00, 0x80, 0x00, 0x00, 0x00});  // known class 0x8001 + b
    Append(tail, B({0xFE, 0x7F}));
    Append(tail, B({0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x00}));
    Append(tail, B({0xFF, 0x7F, 0x03, 0x80, 0x00, 0x00}));
    EXPECT_EQ(Bytes(data.begin() + pos, data.end()), tail);

    CArchive ar(data.data(), data.size());
    std::vector<std::unique_ptr<CSerializable>> loaded;
    for (size_t i = 0; i < kCount + 2; ++i)
        loaded.emplace_back(ar.ReadObject());
    EXPECT_NE(dynamic_cast<CArchTestItem*>(loaded[kCount].get()), nullptr);
    EXPECT_NE(dynamic_cast<CArchTestItem*>(loaded[kCount + 1].get()), nullptr);
    EXPECT_EQ(ar.ReadObject(), loaded[kCount - 3].get());
    EXPECT_EQ(ar.ReadObject(), loaded[kCount - 2].get());
    EXPECT_EQ(ar.ReadObject(), loaded[kCount + 1].get());
    EXPECT_TRUE(ar.AtEnd());
}

TEST_F(ArchiveTest, ReferenceOfTheWrongKindIsRejected)
{
    CArchTestItem item;
    CArchTestTiny tiny;
    const Bytes data = Store([&](CArchive& ar) {
        ar.WriteObject(&item);
        ar.WriteObject(&tiny);
        ar.WriteObject(&item);
    });
    CArchive ar(data.data(), data.size());
    std::unique_ptr<CArchTestItem> li(ar.ReadObjectAs<CArchTestItem>());
    ASSERT_NE(li, nullptr);
    try {
        ar.ReadObjectAs<CArchTestItem>();  // a new tiny: deleted, not leaked
        ADD_FAILURE() << "no exception";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.cause(), CArchiveException::badClass);
    }

    // A back reference of the wrong kind.
    CArchive ar2(data.data(), data.size());
    std::unique_ptr<CSerializable> li2(ar2.ReadObject());
    std::unique_ptr<CSerializable> lt2(ar2.ReadObject());
    EXPECT_THROW(ar2.ReadObjectAs<CArchTestTiny>(), CArchiveException);
}

TEST_F(ArchiveTest, DamagedClassTagsFailCleanly)
{
    using C = CArchiveException;
    Bytes good = NewClassTag(3, "CArchTestItem");
    Append(good, B({0, 0, 0}));

    Bytes unknown = good;
    unknown[6] = 'X';  // "XArchTestItem"
    EXPECT_EQ(LoadCause(unknown), C::badClass);

    Bytes nameTooLong = good;
    nameTooLong[4] = 0xF0;  // name length runs past the end
    EXPECT_EQ(LoadCause(nameTooLong), C::endOfFile);

    EXPECT_EQ(LoadCause(B({0x01, 0x80})), C::badIndex);                    // class 1 not yet read
    EXPECT_EQ(LoadCause(B({0x00, 0x80})), C::badIndex);                    // class 0
    EXPECT_EQ(LoadCause(B({0x05, 0x00})), C::badIndex);                    // object 5 not yet read
    EXPECT_EQ(LoadCause(B({0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF})), C::badIndex);
    EXPECT_EQ(LoadCause(B({0xFF, 0x7F, 0x09, 0x00, 0x00, 0x80})), C::badIndex);

    // An object index naming a class, and a class index naming an object.
    Bytes objToClass = good;
    Append(objToClass, B({0x01, 0x00}));
    Bytes classToObj = good;
    Append(classToObj, B({0x02, 0x80}));
    for (const Bytes& data : {objToClass, classToObj}) {
        CArchive ar(data.data(), data.size());
        std::unique_ptr<CSerializable> first(ar.ReadObject());
        try {
            ar.ReadObject();
            ADD_FAILURE() << "no exception";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.cause(), C::badIndex);
        }
    }
}

TEST_F(ArchiveTest, ObjectWhoseDataFailsIsDeletedAndCannotBeReferenced)
{
    // catcher (class 1, object 2) holding a failing child (class 3, object 4),
    // then a back reference to that child.
    Bytes data = NewClassTag(1, "CArchTestCatcher");
    Append(data, NewClassTag(1, "CArchTestFailing"));
    Append(data, B({0x00}));
    Append(data, B({0x04, 0x00}));

    CArchive ar(data.data(), data.size());
    try {
        ar.ReadObject();
        ADD_FAILURE() << "no exception";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.cause(), CArchiveException::badIndex);
    }
    // Both the failed child and the catcher are gone (checked in TearDown).
}

TEST_F(ArchiveTest, DeepNestingIsRefusedNotOverflowed)
{
    auto root = std::make_unique<CArchTestNode>();
    CArchTestNode* n = root.get();
    for (int i = 0; i < 1000; ++i) {
        auto* child = new CArchTestNode;
        n->owned.push_back(child);
        n = child;
    }
    const Bytes data = Store([&](CArchive& ar) { ar.WriteObject(root.get()); });
    root.reset();
    EXPECT_EQ(LoadCause(data), CArchiveException::generic);
}

namespace {
// A stream with every kind of item; Load reads it the way it was written.
Bytes MixedStream()
{
    CArchTestNode root;
    root.tag = 0x42;
    auto* i1 = new CArchTestItem;
    i1->value = 1;
    i1->text = "Halle Süd";
    auto* i2 = new CArchTestItem;
    i2->value = 0xFFFF;
    i2->text = std::string(300, 'q');
    auto* inner = new CArchTestNode;
    auto* i3 = new CArchTestItem;
    inner->owned = {i3};
    inner->refs = {i1, &root};
    root.owned = {i1, i2, inner};
    root.refs = {i3};
    CArchTestItem loose;
    loose.text = "Größe";

    return Store([&](CArchive& ar) {
        ar << uint32_t{1101} << std::string("Projekt Übung") << std::string(260, 'p');
        ar.WriteCount(4);
        ar.WriteObject(&root);
        ar.WriteObject(nullptr);
        ar.WriteObject(&loose);
        ar.WriteObject(i2);
        ar << 2.5 << 0.25f << int16_t{-7};
    });
}

void LoadMixed(const uint8_t* data, size_t size)
{
    CArchive ar(data, size);
    uint32_t version;
    std::string a, b;
    ar >> version >> a >> b;
    const uint32_t count = ar.ReadCount();
    std::vector<std::unique_ptr<CSerializable>> owned;
    for (uint32_t i = 0; i < count; ++i) {
        CSerializable* p = ar.ReadObject();
        if (i < 3)  // the last entry is a back reference
            owned.emplace_back(p);
    }
    double d;
    float f;
    int16_t s;
    ar >> d >> f >> s;
    if (!ar.AtEnd())
        throw std::logic_error("data left over");
}
}  // namespace

TEST_F(ArchiveTest, StreamCutAtEveryPositionFailsCleanly)
{
    const Bytes full = MixedStream();
    ASSERT_NO_THROW(LoadMixed(full.data(), full.size()));
    for (size_t cut = 0; cut < full.size(); ++cut) {
        // A copy of exactly the cut length, so any read past it is caught.
        const Bytes part(full.begin(), full.begin() + cut);
        const auto storage = std::make_unique<uint8_t[]>(cut ? cut : 1);
        std::copy(part.begin(), part.end(), storage.get());
        try {
            LoadMixed(cut ? storage.get() : nullptr, cut);
            ADD_FAILURE() << "cut at " << cut << " was accepted";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.cause(), CArchiveException::endOfFile) << "cut at " << cut;
        }
        ASSERT_EQ(g_live, 0) << "objects leaked at cut " << cut;
    }
}

TEST_F(ArchiveTest, ClassRegistryFindsRegisteredNamesOnly)
{
    const CRuntimeClass* cls = CClassRegistry::Find("CArchTestItem");
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls, &CArchTestItem::classInfo);
    EXPECT_EQ(cls->schema, 3);
    EXPECT_EQ(CClassRegistry::Find("CArchTestIte"), nullptr);
    EXPECT_EQ(CClassRegistry::Find(""), nullptr);

    // A second class under a taken name does not replace the first.
    static const CRuntimeClass impostor = {"CArchTestItem", 9, &CArchTestTiny::CreateObject};
    CClassRegistry::Register(&impostor);
    EXPECT_EQ(CClassRegistry::Find("CArchTestItem"), &CArchTestItem::classInfo);
}

TEST_F(ArchiveTest, WrongDirectionIsAnError)
{
    Bytes out;
    CArchive store(out);
    uint8_t b;
    EXPECT_THROW(store >> b, CArchiveException);
    EXPECT_THROW(store.ReadObject(), CArchiveException);
    const Bytes in = B({1});
    CArchive load(in.data(), in.size());
    EXPECT_THROW(load << b, CArchiveException);
    EXPECT_THROW(load.WriteObject(nullptr), CArchiveException);
}
