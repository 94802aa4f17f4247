// Monitor matrix: stored form of every schema, entry and relay operations,
// source codes and texts.

#include <gtest/gtest.h>

#include "AudioTestUtil.h"
#include "audio/CMonitor.h"

using namespace audiotest;
namespace ms = monitorsource;

namespace {
constexpr uint32_t Key(uint32_t op, uint32_t index) { return op | (index << 16); }

// A monitor record of a stored schema: `entries` entries (with or without the
// channel word) and `relays` relay words, made by the given functions.
template <class EntryFn, class RelayFn>
std::vector<uint8_t> MonitorBytes(uint16_t schema, int entries, bool channel, int relays, EntryFn entry,
                                  RelayFn relay, const std::string& name = "Monitor")
{
    Bytes b;
    b.ClassTag("CMonitor", schema).Common(33086, name, 12, 1);
    for (int i = 0; i < entries; ++i) {
        const MonitorEntry e = entry(i);
        b.Text(e.source).U32(e.number).U32(e.reserved);
        if (channel)
            b.U32(e.channel);
    }
    for (int i = 0; i < relays; ++i)
        b.U32(relay(i));
    return b.Get();
}

MonitorEntry InEntry(int i)
{
    return MonitorEntry{"IN", static_cast<uint32_t>(i % 4 + 1), 0, static_cast<uint32_t>(i % 3)};
}
}  // namespace

TEST(Monitor, NewMonitorIsEmpty)
{
    CMonitor m;
    EXPECT_EQ(m.GetType(), 18u);
    for (int i = 0; i < CMonitor::kEntryCount; ++i)
        ASSERT_EQ(m.GetEntry(i), (MonitorEntry{"OFF", 0, 0, 1}));
    for (int i = 0; i < CMonitor::kRelayCount; ++i)
        ASSERT_EQ(m.GetRelayWord(i), 0u);
    EXPECT_EQ(m.GetValue(Key(3, 0)), ms::Code(ms::Off, 0));
}

TEST(Monitor, StoredBytesOfSchemaFive)
{
    CMonitor m;
    SetIdentity(m, 33086, "Monitor", 12, 1);
    m.SetValue(Key(ms::In, 0), 2);
    m.SetValue(Key(ms::AmpOut, 3), 26 | (2 << 8));
    m.SetValue(Key(ms::Ext, 249), 0);
    const auto expected = MonitorBytes(
        5, 250, true, 50,
        [](int i) {
            if (i == 0)
                return MonitorEntry{"IN", 2, 0, 1};
            if (i == 3)
                return MonitorEntry{"AMP_OUT", 26, 0, 2};
            if (i == 249)
                return MonitorEntry{"EXT", 0, 0, 1};
            return MonitorEntry{};
        },
        [](int) { return 0u; });
    EXPECT_EQ(Store(m), expected);

    auto loaded = Load<CMonitor>(expected);
    ASSERT_TRUE(loaded);
    for (int i = 0; i < CMonitor::kEntryCount; ++i)
        ASSERT_EQ(loaded->GetEntry(i), m.GetEntry(i)) << "entry " << i;
}

TEST(Monitor, SchemaFiveKeepsRelayWordsAndChannels)
{
    const auto bytes = MonitorBytes(
        5, 250, true, 50, [](int i) { return MonitorEntry{"OUT", 1, 0, i == 7 ? 0u : 3u}; },
        [](int i) { return static_cast<uint32_t>(i * 10); });
    auto m = Load<CMonitor>(bytes);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->GetEntry(0).channel, 3u);
    EXPECT_EQ(m->GetEntry(7).channel, 1u);  // a stored channel 0 loads as 1
    EXPECT_EQ(m->GetEntry(249).source, "OUT");
    EXPECT_EQ(m->GetRelayWord(49), 490u);
    EXPECT_EQ(m->GetValue(Key(0, 49)), 490u);
}

TEST(Monitor, OlderSchemasLoadTheirCounts)
{
    const auto noRelay = [](int) { return 0u; };
    {   // schema 1: 20 entries without channels
        auto m = Load<CMonitor>(MonitorBytes(1, 20, false, 0, InEntry, noRelay));
        ASSERT_TRUE(m);
        EXPECT_EQ(m->GetEntry(19), (MonitorEntry{"IN", 4, 0, 1}));
        EXPECT_EQ(m->GetEntry(20), MonitorEntry{});
    }
    {   // schema 2: 50 entries without channels
        auto m = Load<CMonitor>(MonitorBytes(2, 50, false, 0, InEntry, noRelay));
        ASSERT_TRUE(m);
        EXPECT_EQ(m->GetEntry(49), (MonitorEntry{"IN", 2, 0, 1}));
        EXPECT_EQ(m->GetEntry(50), MonitorEntry{});
    }
    {   // schema 3: 50 entries with channels, a stored 0 becomes 1, no relays
        auto m = Load<CMonitor>(MonitorBytes(3, 50, true, 0, InEntry, noRelay));
        ASSERT_TRUE(m);
        EXPECT_EQ(m->GetEntry(0).channel, 1u);   // stored 0
        EXPECT_EQ(m->GetEntry(2).channel, 2u);
        EXPECT_EQ(m->GetEntry(49).channel, 1u);  // stored 1
        EXPECT_EQ(m->GetRelayWord(0), 0u);
    }
    {   // schema 4: 50 entries with channels and 20 relay words
        auto m = Load<CMonitor>(MonitorBytes(4, 50, true, 20, InEntry, [](int i) { return i + 100u; }));
        ASSERT_TRUE(m);
        EXPECT_EQ(m->GetRelayWord(19), 119u);
        EXPECT_EQ(m->GetRelayWord(20), 0u);
        EXPECT_EQ(m->GetEntry(50), MonitorEntry{});
    }
}

TEST(Monitor, PostLoadNamesItMonitor)
{
    auto m = Load<CMonitor>(MonitorBytes(5, 250, true, 50, [](int) { return MonitorEntry{}; },
                                         [](int) { return 0u; }, "Monitor "));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->PostLoad(), 1);
    EXPECT_EQ(m->GetName(), "Monitor");
}

TEST(Monitor, EntryOperations)
{
    CMonitor m;
    EXPECT_EQ(m.SetValue(Key(ms::In, 4), 3), 1);
    EXPECT_EQ(m.GetEntry(4), (MonitorEntry{"IN", 3, 0, 1}));
    EXPECT_EQ(m.SetValue(Key(ms::AmpIn, 3), 26 | (2 << 8)), 1);
    EXPECT_EQ(m.GetEntry(3), (MonitorEntry{"AMP_IN", 26, 0, 2}));
    EXPECT_EQ(m.GetValue(Key(3, 3)), ms::AmpCode(ms::AmpIn, 26, 2));
    EXPECT_EQ(m.GetValueText(Key(ms::SourceWord, 3)), "AMP_IN");
    EXPECT_EQ(m.GetValueText(Key(ms::EntryNumber, 3)), "1a");
    EXPECT_EQ(m.GetValueText(Key(ms::EntryChannel, 3)), "2");
    EXPECT_EQ(m.GetValueText(Key(ms::EntryNumber, 4)), "3");

    EXPECT_EQ(m.SetValue(Key(ms::Rel, 5), 7), 1);
    EXPECT_EQ(m.GetValue(Key(3, 5)), ms::Code(ms::Rel, 7));
    EXPECT_EQ(m.SetValue(Key(ms::Out, 4), 2), 1);
    EXPECT_EQ(m.GetEntry(4), (MonitorEntry{"OUT", 2, 0, 1}));
    EXPECT_EQ(m.SetValue(Key(ms::Ext, 3), 99), 1);
    EXPECT_EQ(m.GetEntry(3), (MonitorEntry{"EXT", 0, 0, 1}));
    EXPECT_EQ(m.SetValue(Key(ms::Off, 4), 99), 1);
    EXPECT_EQ(m.GetEntry(4), MonitorEntry{});

    // Operation 1 and those above 10 do nothing and report success.
    const MonitorEntry before = m.GetEntry(5);
    EXPECT_EQ(m.SetValue(Key(1, 5), 4), 1);
    EXPECT_EQ(m.SetValue(Key(11, 5), 4), 1);
    EXPECT_EQ(m.GetEntry(5), before);
    // An index beyond the table changes nothing.
    EXPECT_EQ(m.SetValue(Key(ms::In, 250), 1), 0);
    EXPECT_EQ(m.GetValue(Key(3, 250)), 0u);
}

TEST(Monitor, AddEntryFillsTheFirstFreeUsableEntry)
{
    CMonitor m;  // no active document: standard device, 50 usable entries
    EXPECT_EQ(CMonitor::GetMaxEntries(), 50);
    EXPECT_EQ(CMonitor::GetMaxRelays(), 20);
    EXPECT_EQ(m.SetValue(Key(ms::In, 0), 1), 1);
    EXPECT_EQ(m.SetValue(3, ms::Code(ms::Out, 4)), 1);
    EXPECT_EQ(m.GetEntry(1), (MonitorEntry{"OUT", 4, 0, 1}));
    EXPECT_EQ(m.SetValue(3, ms::AmpCode(ms::AmpOut, 0x21, 3)), 1);
    EXPECT_EQ(m.GetEntry(2), (MonitorEntry{"AMP_OUT", 0x21, 0, 3}));
    for (int i = 3; i < 50; ++i)
        ASSERT_EQ(m.SetValue(3, ms::Code(ms::In, 2)), 1);
    // All usable entries taken: entry 51 stays free.
    EXPECT_EQ(m.SetValue(3, ms::Code(ms::In, 3)), 0);
    EXPECT_EQ(m.GetEntry(50), MonitorEntry{});
    // A value that is no source code fills nothing.
    CMonitor other;
    EXPECT_EQ(other.SetValue(3, ms::Code(2, 1)), 0);
    EXPECT_EQ(other.SetValue(3, ms::Code(11, 1)), 0);
    EXPECT_EQ(other.GetEntry(0), MonitorEntry{});
}

TEST(Monitor, SourceTexts)
{
    CMonitor m;
    EXPECT_EQ(m.GetValueText(ms::Off), "Kein Eintrag");
    EXPECT_EQ(m.GetValueText(ms::Code(ms::In, 3)), "IN3");
    EXPECT_EQ(m.GetValueText(ms::Code(ms::Out, 2)), "OUT2");
    EXPECT_EQ(m.GetValueText(ms::Code(ms::Ext, 0)), "EXT");
    // Standard device: relay 60 is beyond the usable relays.
    EXPECT_EQ(m.GetValueText(ms::Code(ms::Rel, 60)), "60 *");
    EXPECT_EQ(m.GetSourceText(ms::Code(ms::Rel, 60)), "60 *");
    // A usable relay without a control pad shows its word.
    EXPECT_EQ(m.GetValueText(ms::Code(ms::Rel, 5)), "0 *");
    // An amplifier that the document does not know shows its address.
    EXPECT_EQ(m.GetValueText(ms::AmpCode(ms::AmpIn, 26, 2)), "26 * - 2 IN");
    EXPECT_EQ(m.GetValueText(ms::AmpCode(ms::AmpOut, 3, 1)), "3 * - 1 OUT");
    for (uint32_t k : {2u, 3u, 13u, 0xFFFFu})
        EXPECT_EQ(m.GetValueText(k), "") << k;
}

TEST(Monitor, SourcesWithoutAmplifiers)
{
    const auto bytes = MonitorBytes(
        5, 250, true, 50, [](int) { return MonitorEntry{}; },
        [](int i) { return i == 2 ? 7u : (i == 30 ? 9u : 0u); });
    auto m = Load<CMonitor>(bytes);
    ASSERT_TRUE(m);
    std::vector<uint32_t> list;
    EXPECT_EQ(m->GetSources(1, &list), 0);
    const std::vector<uint32_t> expected = {
        ms::Code(ms::Off, 0), ms::Code(ms::In, 1), ms::Code(ms::In, 2), ms::Code(ms::In, 3), ms::Code(ms::In, 4),
        ms::Code(ms::Out, 1), ms::Code(ms::Out, 2), ms::Code(ms::Out, 3), ms::Code(ms::Out, 4),
        ms::Code(ms::Rel, 3),  // relay 31 is not usable on the standard device
    };
    EXPECT_EQ(list, expected);
    std::vector<uint32_t> none;
    m->GetSources(2, &none);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(m->GetSources(1, nullptr), 0);
}

TEST(Monitor, RelayOperationsWithoutControlPads)
{
    auto m = Load<CMonitor>(MonitorBytes(5, 250, true, 50, [](int) { return MonitorEntry{}; },
                                         [](int i) { return i == 4 ? 77u : 0u; }));
    ASSERT_TRUE(m);
    // No such control pad: the word becomes 0 and the result is 0.
    EXPECT_EQ(m->SetValue(Key(0, 4), 3), 0);
    EXPECT_EQ(m->GetRelayWord(4), 0u);
    EXPECT_EQ(m->SetValue(Key(2, 0), 3), 0);
    EXPECT_EQ(m->SetValue(Key(0, 50), 3), 0);
}
