#include "archive/class_registry.h"
#include "archive/primitives.h"
#include "support/archive_matchers.h"

#include <gtest/gtest.h>

namespace platemap {
namespace {

using test::makeRectHotspot;

TEST(RectHotspot, DefaultRecordWritesTwentyEightZeroBytes) {
    MemoryOutputStream out;
    RectHotspot().write(out);
    EXPECT_EQ(out.bytes(), std::vector<std::uint8_t>(28, 0));
}

class RoundTrip : public testing::TestWithParam<RectHotspot> {};

TEST_P(RoundTrip, ReadGivesBackWhatWriteProduced) {
    MemoryOutputStream out;
    GetParam().write(out);
    MemoryInputStream in(out.bytes());
    RectHotspot copy;
    copy.read(in);
    EXPECT_EQ(copy, GetParam());
    std::uint8_t extra;
    EXPECT_EQ(in.read(&extra, 1), 0u) << "read must consume exactly the written body";
}

INSTANTIATE_TEST_SUITE_P(
    Records, RoundTrip,
    testing::Values(makeRectHotspot("A17", "", u"Pump housing", {10, 20, 110, 80}),
                    makeRectHotspot("", "", u"", {0, 0, 0, 0}),
                    makeRectHotspot("id with spaces & more", "second text", u"\u00c4\u00df\u20ac",
                                    {-5, -7, 2147483647, -2147483647 - 1}),
                    makeRectHotspot(std::string(100, 'i'), std::string(100, 'a'),
                                    std::u16string(500, u'\u4e2d'), {1, 2, 3, 4}),
                    makeRectHotspot("X", "", u"pair \U0001F527", {9, 8, 7, 6})),
    [](const testing::TestParamInfo<RectHotspot>& info) {
        return "Record" + std::to_string(info.index);
    });

TEST(Primitives, WritersEncodeLittleEndianWithLengthPrefix) {
    MemoryOutputStream out;
    writeInt32(out, -2);
    writeString(out, "ab");
    writeString(out, "");
    writeWideString(out, u"\u00e9");
    writeWideString(out, u"");
    const std::vector<std::uint8_t> expected = {
        0xFE, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 'a', 'b', 0, 0, 0, 0, 2, 0, 0, 0, 0xE9, 0, 0, 0, 0, 0};
    EXPECT_EQ(out.bytes(), expected);
}

TEST(Primitives, WideWriterStopsAtTheFirstZeroUnit) {
    MemoryOutputStream out;
    writeWideString(out, std::u16string(u"ab\0cd", 5));
    const std::vector<std::uint8_t> expected = {4, 0, 0, 0, 'a', 0, 'b', 0};
    EXPECT_EQ(out.bytes(), expected);
}

TEST(Primitives, OverlongTextsAreWrittenInFullButDoNotReadBack) {
    MemoryOutputStream out;
    writeString(out, std::string(101, 'x'));
    EXPECT_EQ(out.bytes().size(), 4u + 101u);
    MemoryInputStream in(out.bytes());
    std::string text = "kept";
    readString(in, text);
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(readInt32(in), 0x78787878) << "the refused text's bytes are not skipped";
}

TEST(Primitives, EndOfDataIsSticky) {
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 4, 5};
    MemoryInputStream in(bytes);
    EXPECT_EQ(readInt32(in), 0x04030201);
    EXPECT_EQ(readInt32(in), 0) << "a value cut short reads as 0";
    EXPECT_TRUE(in.atEnd());
    std::string text = "kept";
    readString(in, text);
    EXPECT_EQ(text, "kept");
}

TEST(ClassRegistry, LookupMakesAFreshDefaultRecordEachTime) {
    const HotspotClassRegistry registry;
    auto first = registry.lookup("QZ");
    auto second = registry.lookup("QZ");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first.get(), second.get());
    EXPECT_STREQ(first->classKey(), "QZ");
    EXPECT_EQ(first->classKey(), second->classKey()) << "the key is one static text";
    auto& hotspot = dynamic_cast<RectHotspot&>(*first);
    hotspot.id = "changed";
    first.reset();
    EXPECT_EQ(dynamic_cast<RectHotspot&>(*registry.lookup("QZ")), RectHotspot());
    EXPECT_EQ(dynamic_cast<RectHotspot&>(*second), RectHotspot());
}

TEST(ClassRegistry, OnlyTheExactKeyIsKnown) {
    const HotspotClassRegistry registry;
    for (const char* key : {"", "Q", "QZ ", "qz", "Qz", "QZQZ", "RX"})
        EXPECT_EQ(registry.lookup(key), nullptr) << '"' << key << '"';
}

// Counts destructions so that tests can see the list release its records.
class CountedRecord final : public HotspotRecord {
  public:
    explicit CountedRecord(int& destroyed) : destroyed_(destroyed) {}
    ~CountedRecord() override { ++destroyed_; }
    const char* classKey() const override { return "CT"; }
    std::unique_ptr<HotspotRecord> create() const override {
        return std::make_unique<CountedRecord>(destroyed_);
    }
    void read(InputStream&) override {}
    void write(OutputStream&) const override {}

  private:
    int& destroyed_;
};

TEST(HotspotList, OwnsItsRecords) {
    int destroyed = 0;
    {
        HotspotList list;
        for (int i = 0; i < 3; ++i)
            list.append(std::make_unique<CountedRecord>(destroyed));
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 3);
}

TEST(HotspotList, ClearThenAppendKeepsOnlyTheNewRecordsInOrder) {
    int destroyed = 0;
    HotspotList list;
    list.append(std::make_unique<CountedRecord>(destroyed));
    list.append(std::make_unique<CountedRecord>(destroyed));
    list.clear();
    EXPECT_EQ(destroyed, 2);
    list.append(std::make_unique<RectHotspot>(makeRectHotspot("1", "", u"", {})));
    list.append(std::make_unique<RectHotspot>(makeRectHotspot("2", "", u"", {})));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(dynamic_cast<const RectHotspot&>(list[0]).id, "1");
    EXPECT_EQ(dynamic_cast<const RectHotspot&>(list[1]).id, "2");
}

} // namespace
} // namespace platemap
