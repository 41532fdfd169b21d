#include "cli_runner.h"
#include "platemap/cli.h"
#include "support/archive_builder.h"
#include "support/temp_file.h"

#include <gtest/gtest.h>
#include <sstream>

namespace platemap {
namespace {

using test::runCli;

TEST(ArchiveCommand, PrintsEveryFieldAsJson) {
    test::TempFile file(".zrv");
    auto builder = test::ArchiveBuilder::withHeader(2);
    builder.rectHotspot("A17", "x\"y", u"Gr\u00fc\u00dfe \u20ac", 10, 20, 110, 80);
    builder.rectHotspot(std::string_view("\xC4"
                                         "1",
                                         2),
                        "", u"", -1, 0, 0, 0);
    file.write(builder.data());

    const auto result = runCli({"archive", file.path()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, R"({
  "records": [
    {
      "classKey": "QZ",
      "id": "A17",
      "auxText": "x\"y",
      "text": "Grüße €",
      "left": 10,
      "top": 20,
      "right": 110,
      "bottom": 80
    },
    {
      "classKey": "QZ",
      "id": "Ä1",
      "auxText": "",
      "text": "",
      "left": -1,
      "top": 0,
      "right": 0,
      "bottom": 0
    }
  ]
}
)");
}

TEST(ArchiveCommand, RejectedArchivePrintsNoRecords) {
    test::TempFile file(".zrv");
    file.write(test::ArchiveBuilder().bytes("not an archive").data());
    const auto result = runCli({"archive", file.path()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "{\n  \"records\": []\n}\n");
}

TEST(ArchiveCommand, UnreadableFileFailsWithOneLine) {
    const test::TempFile missing(".zrv");
    const auto result = runCli({"archive", missing.path()});
    EXPECT_EQ(result.exitCode, cli::exitUnreadable);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
}

TEST(Cli, UnknownCommandOrMissingArgumentShowsUsage) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{}, {"frobnicate"}, {"archive"}}) {
        const auto result = runCli(args);
        EXPECT_EQ(result.exitCode, cli::exitUsage);
        EXPECT_NE(result.err.find("usage:"), std::string::npos);
    }
}

} // namespace
} // namespace platemap
