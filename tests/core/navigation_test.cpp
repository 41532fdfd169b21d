#include "plugin/navigation.h"

#include <gtest/gtest.h>

namespace platemap {
namespace {

TEST(Navigation, BuiltInSettingsSendTheIdToTheBlobServletInTheCurrentFrame) {
    Settings record;
    const auto request = navigationRequest(record, "A17");
    ASSERT_TRUE(request);
    EXPECT_EQ(*request, (NavigationRequest{"/servlets/BlobShtml?ShtmlFile=A17", "_current"}));
}

TEST(Navigation, EveryTokenIsReplacedByTheIdAsItIs) {
    const struct {
        const char* urlTemplate;
        const char* id;
        const char* expected;
    } cases[] = {
        {"/p?a=#HSPID#&b=#HSPID#", "X1", "/p?a=X1&b=X1"},
        {"#HSPID##HSPID#", "ab", "abab"},
        {"/static/page.html", "X1", "/static/page.html"},
        {"/p?id=#HSPID#", "two words & more", "/p?id=two words & more"},
        {"/p?id=#HSPID#", "%41+/?#", "/p?id=%41+/?#"},
        {"/p?id=#HSPID#", "", "/p?id="},
        // An id holding the token is inserted literally, also where it forms one with the text
        // that follows it.
        {"/p?id=#HSPID#", "#HSPID#", "/p?id=#HSPID#"},
        {"#HSPID#&#HSPID#", "id #HSPID# in", "id #HSPID# in&id #HSPID# in"},
        {"#HSPID#ID#", "#HSP", "#HSPID#"},
        // The token is case-sensitive and whole.
        {"/p?id=#hspid#", "X", "/p?id=#hspid#"},
        {"/p?id=#HSPID", "X", "/p?id=#HSPID"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(buildNavigationUrl(c.urlTemplate, c.id), c.expected) << c.urlTemplate;
}

TEST(Navigation, EmptyTargetBecomesTheCurrentFrameInTheRecordToo) {
    Settings record;
    record.targetFrame = "";
    const auto request = navigationRequest(record, "A1");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->target, "_current");
    EXPECT_EQ(record.targetFrame, "_current");

    record.targetFrame = "main";
    EXPECT_EQ(navigationRequest(record, "A1")->target, "main");
}

TEST(Navigation, EmptyUrlNavigatesNowhere) {
    Settings record;
    record.urlTemplate = "";
    record.targetFrame = "";
    EXPECT_FALSE(navigationRequest(record, "A1"));
    EXPECT_EQ(record.targetFrame, "_current");

    record.urlTemplate = "#HSPID#";
    EXPECT_FALSE(navigationRequest(record, ""));
}

TEST(Navigation, ScriptAndDataSchemesAreRecognisedAsBrowsersReadThem) {
    const struct {
        const char* url;
        bool script;
    } cases[] = {
        {"javascript:alert(1)", true},
        {"JavaScript:alert(1)", true},
        {"  javascript:x", true},
        {"\t\r\n\x01\x1f\x7fjavascript:x", true},
        {"java\tscr\nipt:x", true},
        {"VBScript:MsgBox", true},
        {"vbscript:x", true},
        {"data:text/html,<b>x</b>", true},
        {" DATA:x", true},
        {"page.html?javascript=1", false},
        {"/js/x", false},
        {"/javascript:x", false},
        {"http://host/javascript:x", false},
        {"javascript", false},
        {"javascript/x", false},
        {"java script:x", false},
        {"datum:x", false},
        {"", false},
        {"   ", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isScriptUrl(c.url), c.script) << '"' << c.url << '"';
}

TEST(Navigation, ScriptUrlsAreNotNavigated) {
    const struct {
        const char* urlTemplate;
        const char* id;
    } cases[] = {
        {"javascript:show('#HSPID#')", "A1"},
        {"#HSPID#", "javascript:alert(1)"},
        {" #HSPID#", "Data:text/html,x"},
        {"vb#HSPID#", "script:x"},
    };
    for (const auto& c : cases) {
        Settings record;
        record.urlTemplate = c.urlTemplate;
        EXPECT_FALSE(navigationRequest(record, c.id)) << c.urlTemplate << " with " << c.id;
    }
}

TEST(Navigation, OrdinaryTemplatesMentioningSchemesStillNavigate) {
    Settings record;
    record.urlTemplate = "page.html?javascript=1&id=#HSPID#";
    const auto request = navigationRequest(record, "data:x");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->url, "page.html?javascript=1&id=data:x");
}

} // namespace
} // namespace platemap
