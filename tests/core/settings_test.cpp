#include "platform/files.h"
#include "plugin/settings.h"
#include "support/temp_file.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace platemap {
namespace {

constexpr std::uint32_t rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return red + green * 256 + blue * 65536;
}

void writeText(const test::TempFile& file, std::string_view text) {
    file.write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

Settings loadedFrom(std::string_view iniText) {
    const test::TempFile file(".ini");
    writeText(file, iniText);
    Settings loaded;
    loadSettingsFrom(loaded, file.path());
    return loaded;
}

void expectBuiltInValues(const Settings& s) {
    EXPECT_EQ(s.frameWidth, 1);
    EXPECT_EQ(s.frameColor, rgb(0, 128, 128));
    EXPECT_EQ(s.urlTemplate, "/servlets/BlobShtml?ShtmlFile=#HSPID#");
    EXPECT_EQ(s.targetFrame, "_current");
    EXPECT_FALSE(s.debugNavigation);
}

TEST(Settings, RecordStartsWithTheBuiltInValues) {
    expectBuiltInValues(Settings{});
}

TEST(Settings, MissingFileGivesEveryKeyItsDefault) {
    Settings changed{0, rgb(1, 2, 3), "other", "frame", true};
    const test::TempFile neverWritten(".ini");
    loadSettingsFrom(changed, neverWritten.path());
    expectBuiltInValues(changed);
}

TEST(Settings, EmptySectionsGiveTheDefaults) {
    expectBuiltInValues(loadedFrom("[Appearance]\n[NAV]\n"));
}

TEST(Settings, FrameWidthIsTheDecimalPrefixClampedToTen) {
    const struct {
        const char* text;
        std::int32_t expected;
    } cases[] = {
        {"25", 10},          {"-3", 0},  {"abc", 0}, {"", 0},    {"7px", 7},
        {"10", 10},          {"0", 0},   {"+3", 3},  {"4 5", 4}, {"99999999999", 10},
        {"-99999999999", 0}, {"- 3", 0},
    };
    for (const auto& c : cases) {
        const Settings s = loadedFrom(std::string("[Appearance]\nFRAMEWIDTH=") + c.text + "\n");
        EXPECT_EQ(s.frameWidth, c.expected) << '"' << c.text << '"';
    }
}

TEST(Settings, FrameColorScansThreeComponentsKeepingTheirLowBytes) {
    const struct {
        const char* text;
        std::uint32_t expected;
    } cases[] = {
        {"255,0", rgb(255, 0, 0)},
        {"300,0,0", rgb(44, 0, 0)},
        {"blue", rgb(0, 0, 0)},
        {"1,2,3", rgb(1, 2, 3)},
        {"-1,256,0", rgb(255, 0, 0)},
        {"255, 0, 255", rgb(255, 0, 255)},
        {"255 ,0,255", rgb(255, 0, 0)},
        {"10,x,3", rgb(10, 0, 0)},
        {"0,128,128,77", rgb(0, 128, 128)},
    };
    for (const auto& c : cases) {
        const Settings s = loadedFrom(std::string("[Appearance]\nFRAMECOLOR=") + c.text + "\n");
        EXPECT_EQ(s.frameColor, c.expected) << '"' << c.text << '"';
    }
}

TEST(Settings, DebugSwitchIsOnExactlyWhenTheValueStartsWithOne) {
    const struct {
        const char* text;
        bool expected;
    } cases[] = {{"1", true},    {"10", true}, {"01", false},
                 {"yes", false}, {"", false},  {"0", false}};
    for (const auto& c : cases) {
        const Settings s = loadedFrom(std::string("[NAV]\nDEBUGNAV=") + c.text + "\n");
        EXPECT_EQ(s.debugNavigation, c.expected) << '"' << c.text << '"';
    }
}

TEST(Settings, TextsAreTakenUnchangedAlsoWhenEmpty) {
    const Settings empty = loadedFrom("[NAV]\nRELURL=\nFRAME=\n");
    EXPECT_EQ(empty.urlTemplate, "");
    EXPECT_EQ(empty.targetFrame, "");

    const Settings custom =
        loadedFrom("[NAV]\nRELURL=/docs/show.asp?part=#HSPID#&v=2\nFRAME=main\n");
    EXPECT_EQ(custom.urlTemplate, "/docs/show.asp?part=#HSPID#&v=2");
    EXPECT_EQ(custom.targetFrame, "main");
}

TEST(Settings, ProfileLookupIgnoresCaseAndTrimsAsTheSystemDoes) {
    const Settings s = loadedFrom("; a comment\r\n"
                                  "FRAME=outside any section\r\n"
                                  "[appearance]\r\n"
                                  "  frameWidth  =   5  \r\n"
                                  "[Other]\r\n"
                                  "FRAMECOLOR=1,2,3\r\n"
                                  "[nav]\r\n"
                                  "RelUrl = \"/a b/#HSPID#\" \r\n"
                                  "frame='top'\r\n");
    EXPECT_EQ(s.frameWidth, 5);
    EXPECT_EQ(s.frameColor, rgb(0, 128, 128));
    EXPECT_EQ(s.urlTemplate, "/a b/#HSPID#");
    EXPECT_EQ(s.targetFrame, "top");
}

TEST(Settings, AtMost1023CharactersOfAValueTakeEffect) {
    const std::string longUrl = "/" + std::string(1500, 'u');
    const Settings s = loadedFrom("[NAV]\nRELURL=" + longUrl + "\n");
    EXPECT_EQ(s.urlTemplate, longUrl.substr(0, 1023));
}

TEST(Settings, FileIsReadOncePerProcess) {
    const test::TempFile first(".ini");
    writeText(first, "[Appearance]\nFRAMEWIDTH=4\n[NAV]\nFRAME=first\n");
    const test::TempFile second(".ini");
    writeText(second, "[Appearance]\nFRAMEWIDTH=6\n[NAV]\nFRAME=second\n");

    EXPECT_EQ(LoadSettings(first.path()), 0);
    EXPECT_EQ(settings.frameWidth, 4);
    EXPECT_EQ(settings.targetFrame, "first");
    EXPECT_EQ(LoadSettings(second.path()), 0);
    EXPECT_EQ(settings.frameWidth, 4);
    EXPECT_EQ(settings.targetFrame, "first");
    settings = Settings{};
}

#ifndef _WIN32
// The Windows build takes a bare file name from the Windows directory, which tests leave alone.
TEST(Settings, BareFileNameIsTakenFromTheConfigFolder) {
    const std::filesystem::path folder =
        platform::tempDirectory() + "platemap-test-config-" + std::to_string(getpid());
    std::filesystem::create_directory(folder);
    std::ofstream(folder / "platemap.ini") << "[Appearance]\nFRAMEWIDTH=9\n";
    ASSERT_EQ(setenv("PLATEMAP_CONFIG_DIR", folder.c_str(), 1), 0);
    Settings s;
    loadSettingsFrom(s, "platemap.ini");
    unsetenv("PLATEMAP_CONFIG_DIR");
    std::filesystem::remove_all(folder);
    EXPECT_EQ(s.frameWidth, 9);
}
#endif

} // namespace
} // namespace platemap
