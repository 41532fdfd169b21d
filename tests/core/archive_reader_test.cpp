#include "archive/read_archive.h"
#include "platform/files.h"
#include "support/archive_builder.h"
#include "support/archive_matchers.h"
#include "support/temp_file.h"

#include <gtest/gtest.h>

namespace platemap {
namespace {

using test::ArchiveBuilder;
using test::makeRectHotspot;
using test::rectHotspots;

std::vector<RectHotspot> readAll(const std::vector<std::uint8_t>& bytes) {
    MemoryInputStream input(bytes);
    HotspotList list;
    readHotspotArchive(input, list);
    return rectHotspots(list);
}

const RectHotspot pump = makeRectHotspot("A1", "", u"Pump", {10, 20, 110, 80});
const RectHotspot valve = makeRectHotspot("B2", "aux", u"Ventil \u00e4", {1, 2, 3, 4});

ArchiveBuilder& addPump(ArchiveBuilder& builder) {
    return builder.rectHotspot("A1", "", u"Pump", 10, 20, 110, 80);
}

ArchiveBuilder& addValve(ArchiveBuilder& builder) {
    return builder.rectHotspot("B2", "aux", u"Ventil \u00e4", 1, 2, 3, 4);
}

TEST(ArchiveReader, DecodesTheSixtyOneByteExample) {
    const std::vector<std::uint8_t> bytes = {
        'Z', 'R',  'V', 'H', 'T', 'F',  3,   0,    0, 0,    '1', '.',  '0',  1,    0, 0,
        0,   2,    0,   0,   0,   'Q',  'Z', 2,    0, 0,    0,   0x41, 0x31, 0,    0, 0,
        0,   8,    0,   0,   0,   0x50, 0,   0x75, 0, 0x6D, 0,   0x70, 0,    0x0A, 0, 0,
        0,   0x14, 0,   0,   0,   0x6E, 0,   0,    0, 0x50, 0,   0,    0};
    ASSERT_EQ(bytes.size(), 61u);
    EXPECT_EQ(readAll(bytes), std::vector<RectHotspot>{pump});
}

TEST(ArchiveReader, EmptiesTheListFirst) {
    HotspotList list;
    list.append(std::make_unique<RectHotspot>(valve));
    const auto bytes = ArchiveBuilder().bytes("garbage").data();
    MemoryInputStream input(bytes);
    readHotspotArchive(input, list);
    EXPECT_EQ(list.size(), 0u);
}

struct ArchiveCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::vector<RectHotspot> expected;
};

void PrintTo(const ArchiveCase& c, std::ostream* out) {
    *out << c.name;
}

class ArchiveCases : public testing::TestWithParam<ArchiveCase> {};

TEST_P(ArchiveCases, ReadsWhatTheFormatAllows) {
    EXPECT_EQ(readAll(GetParam().bytes), GetParam().expected);
}

std::vector<std::uint8_t> twoRecords(std::int32_t count) {
    auto builder = ArchiveBuilder::withHeader(count);
    addPump(builder);
    addValve(builder);
    return builder.data();
}

std::vector<std::uint8_t> withVersionField(ArchiveBuilder version) {
    auto builder = ArchiveBuilder().bytes("ZRVHTF").bytes(std::string_view(
        reinterpret_cast<const char*>(version.data().data()), version.data().size()));
    builder.int32(1);
    return addPump(builder).data();
}

std::vector<std::uint8_t> cutShort(std::vector<std::uint8_t> bytes, std::size_t drop) {
    bytes.resize(bytes.size() - drop);
    return bytes;
}

const std::string text100(100, 'x');
const std::string text101(101, 'x');

INSTANTIATE_TEST_SUITE_P(
    Archive, ArchiveCases,
    testing::Values(
        ArchiveCase{"Empty", {}, {}},
        ArchiveCase{"FiveBytes", ArchiveBuilder().bytes("ZRVHT").data(), {}},
        ArchiveCase{"WrongMagic", ArchiveBuilder().bytes("ZRVHTX").string("1.0").int32(1).data(), {}},
        ArchiveCase{"LowerCaseMagic", [] {
                        auto b = ArchiveBuilder().bytes("zrvhtf").string("1.0").int32(1);
                        return addPump(b).data();
                    }(), {}},
        ArchiveCase{"MagicWithZeroByte", [] {
                        auto b = ArchiveBuilder().bytes(std::string_view("ZRV\0TF", 6)).string("1.0").int32(1);
                        return addPump(b).data();
                    }(), {}},
        ArchiveCase{"VersionOnePointOne", [] {
                        auto b = ArchiveBuilder().bytes("ZRVHTF").string("1.1").int32(1);
                        return addPump(b).data();
                    }(), {}},
        ArchiveCase{"VersionWithTrailingZero",
                    withVersionField(ArchiveBuilder().int32(4).bytes(std::string_view("1.0\0", 4))),
                    {pump}},
        ArchiveCase{"VersionOfFourLetters",
                    withVersionField(ArchiveBuilder().int32(4).bytes("1.0x")), {}},
        ArchiveCase{"VersionLengthAboveLimitPasses",
                    withVersionField(ArchiveBuilder().int32(200)), {pump}},
        ArchiveCase{"VersionLengthNegativePasses",
                    withVersionField(ArchiveBuilder().int32(-1)), {pump}},
        ArchiveCase{"SeventeenBytesWithCountZero", ArchiveBuilder::withHeader(0).data(), {}},
        ArchiveCase{"CountZeroWithRecords", twoRecords(0), {}},
        ArchiveCase{"CountNegative", twoRecords(-1), {}},
        ArchiveCase{"CountMatches", twoRecords(2), {pump, valve}},
        ArchiveCase{"CountAboveRecords", twoRecords(5), {pump, valve}},
        ArchiveCase{"CountBelowRecords", twoRecords(1), {pump}},
        ArchiveCase{"TrailingBytesIgnored", [] {
                        auto b = ArchiveBuilder::withHeader(1);
                        return addPump(b).bytes("trailing garbage").data();
                    }(), {pump}},
        ArchiveCase{"UnknownKeyAtSecondRecord", [] {
                        auto b = ArchiveBuilder::withHeader(2);
                        addPump(b).string("RX");
                        return addValve(b).data();
                    }(), {pump}},
        ArchiveCase{"KeyInOtherLetterCase", [] {
                        auto b = ArchiveBuilder::withHeader(1).string("qz");
                        return b.string("A1").string("").wideString(u"Pump").data();
                    }(), {}},
        ArchiveCase{"KeyLengthAboveLimit", [] {
                        auto b = ArchiveBuilder::withHeader(1).int32(101);
                        return addPump(b).data();
                    }(), {}},
        ArchiveCase{"KeyLengthNegative", [] {
                        auto b = ArchiveBuilder::withHeader(1).int32(-5);
                        return addPump(b).data();
                    }(), {}},
        ArchiveCase{"BodyCutShortIsStillAppended", cutShort(twoRecords(2), 6),
                    {pump, makeRectHotspot("B2", "aux", u"Ventil \u00e4", {1, 2, 0, 0})}},
        ArchiveCase{"IdOfExactlyOneHundredBytes", [] {
                        auto b = ArchiveBuilder::withHeader(1);
                        return b.rectHotspot(text100, "", u"t", 1, 2, 3, 4).data();
                    }(), {makeRectHotspot(text100, "", u"t", {1, 2, 3, 4})}},
        ArchiveCase{"IdOfOneHundredAndOneBytesIsRefusedAndNotSkipped", [] {
                        // The refused id's bytes are then read as the following fields.
                        auto b = ArchiveBuilder::withHeader(1).string("QZ").int32(101);
                        b.int32(2).bytes("ab").int32(0).bytes(std::string(101 - 10, 'x'));
                        return b.data();
                    }(), {makeRectHotspot("", "ab", u"", {0x78787878, 0x78787878, 0x78787878, 0x78787878})}},
        ArchiveCase{"WideTextOfOddByteCountDropsTheLastByte", [] {
                        auto b = ArchiveBuilder::withHeader(1).string("QZ").string("A1").string("");
                        b.int32(9).bytes(std::string_view("a\0b\0c\0d\0e", 9));
                        return b.int32(1).int32(2).int32(3).int32(4).data();
                    }(), {makeRectHotspot("A1", "", u"abcd", {1, 2, 3, 4})}},
        ArchiveCase{"WideTextOfOneThousandBytes", [] {
                        auto b = ArchiveBuilder::withHeader(1);
                        return b.rectHotspot("A1", "", std::u16string(500, u'w'), 1, 2, 3, 4).data();
                    }(), {makeRectHotspot("A1", "", std::u16string(500, u'w'), {1, 2, 3, 4})}},
        ArchiveCase{"WideTextAboveOneThousandBytesIsRefused", [] {
                        auto b = ArchiveBuilder::withHeader(1).string("QZ").string("A1").string("");
                        return b.int32(1002).int32(1).int32(2).int32(3).int32(4).data();
                    }(), {makeRectHotspot("A1", "", u"", {1, 2, 3, 4})}},
        ArchiveCase{"ZeroByteInsideNarrowTextCutsIt", [] {
                        auto b = ArchiveBuilder::withHeader(1).string("QZ");
                        b.string(std::string_view("A1\0B", 4)).string("").wideString(u"t");
                        return b.int32(1).int32(2).int32(3).int32(4).data();
                    }(), {makeRectHotspot("A1", "", u"t", {1, 2, 3, 4})}},
        ArchiveCase{"ZeroUnitInsideWideTextCutsIt", [] {
                        auto b = ArchiveBuilder::withHeader(1).string("QZ").string("A1").string("");
                        b.wideString(std::u16string_view(u"ab\0c", 4));
                        return b.int32(1).int32(2).int32(3).int32(4).data();
                    }(), {makeRectHotspot("A1", "", u"ab", {1, 2, 3, 4})}},
        ArchiveCase{"EmptyIdIsKept", [] {
                        auto b = ArchiveBuilder::withHeader(1);
                        return b.rectHotspot("", "", u"no id", 5, 6, 7, 8).data();
                    }(), {makeRectHotspot("", "", u"no id", {5, 6, 7, 8})}}),
    [](const testing::TestParamInfo<ArchiveCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace platemap

namespace platemap {
namespace {

TEST(ArchiveReader, ReadsFromAFileStream) {
    test::TempFile file;
    auto builder = ArchiveBuilder::withHeader(2);
    addValve(addPump(builder));
    file.write(builder.data());
    FileInputStream input(file.path());
    HotspotList list;
    readHotspotArchive(input, list);
    EXPECT_EQ(rectHotspots(list), (std::vector<RectHotspot>{pump, valve}));
    EXPECT_FALSE(input.failed());
}

TEST(ArchiveReader, MissingFileReadsAsEmptyInput) {
    FileInputStream input(platform::tempDirectory() + "platemap-no-such-file.zrv");
    HotspotList list;
    readHotspotArchive(input, list);
    EXPECT_EQ(list.size(), 0u);
    EXPECT_TRUE(input.failed());
}

} // namespace
} // namespace platemap
