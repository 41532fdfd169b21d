#pragma once

#include <string>
#include <vector>

namespace platemap::test {

struct CliResult {
    int exitCode;
    std::string out;
    std::string err;
};

// Runs the tool's command line in-process, capturing both output streams.
CliResult runCli(const std::vector<std::string>& args);

} // namespace platemap::test
