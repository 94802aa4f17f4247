#pragma once
// Helpers for tests of objects that live in a document: makers for objects
// added to a document, and a fixture with a document installed as the active
// one and message boxes recorded (and answered OK).

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/CQuillomerDoc.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "support/BlockTestSupport.h"

namespace blocktest {

// An object made by the placing Create at the origin (one input, one output,
// no name, no bitmap) and added to the document.
template <class T>
T* NewPlacedIn(CQuillomerDoc& doc, uint32_t kind, int32_t category, uint32_t style)
{
    auto* o = new T;
    EXPECT_EQ(1, o->Create(kind, 1, 1, static_cast<const char*>(nullptr), 0, 0, 0, 0, category, 0, style, &doc));
    doc.AddObject(o, category);
    return o;
}

// Loads an object stored under `className` and `schema` into the document,
// as the document's loader does before the links and the after-load pass.
template <class T>
T* LoadIntoDocument(CQuillomerDoc& doc, const char* className, uint16_t schema, const Bytes& data, int32_t category)
{
    auto loaded = LoadTagged(className, schema, data, &doc);
    auto* o = dynamic_cast<T*>(loaded.get());
    EXPECT_NE(nullptr, o);
    if (!o)
        return nullptr;
    loaded.release();
    EXPECT_EQ(1, o->InitObject());
    doc.AddObject(o, category);
    return o;
}

class DocObjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oldHandler = SetMessageHandler([this](const std::string& text, uint32_t) {
            messages.push_back(text);
            return mb::IdOk;
        });
    }
    void TearDown() override { SetMessageHandler(m_oldHandler); }

    CQuillomerDoc& Doc() { return doc.doc(); }

    // An object made by its numbered Create ("obj <number>") and added to the document.
    template <class T>
    T* NewNumbered(uint32_t kind, int32_t number, int32_t category)
    {
        auto* o = new T;
        EXPECT_EQ(1, o->Create(kind, StrFormat("obj %d", number), number, category, &Doc()));
        Doc().AddObject(o, category);
        return o;
    }

    ActiveDoc doc;
    std::vector<std::string> messages;

private:
    MessageHandler m_oldHandler;
};

}  // namespace blocktest
