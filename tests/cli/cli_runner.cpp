#include "cli_runner.h"

#include "platemap/cli.h"

#include <sstream>

namespace platemap::test {

CliResult runCli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = cli::run(args, out, err);
    return {code, out.str(), err.str()};
}

} // namespace platemap::test
