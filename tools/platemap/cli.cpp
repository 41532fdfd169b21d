#include "platemap/cli.h"

#include "platemap/commands.h"

#include <string_view>

namespace platemap::cli {

namespace {

struct Command {
    std::string_view name;
    std::string_view usage;
    int (*run)(std::span<const std::string>, std::ostream&, std::ostream&);
};

constexpr Command commands[] = {
    {"archive", "archive FILE             print a raw hotspot archive as JSON", archiveCommand},
    {"inspect", "inspect FILE             decode a TIFF: image, hotspots and entries as JSON",
     inspectCommand},
    {"render", "render FILE -o OUT.bmp [--palette-display]  decode a TIFF into a bitmap file",
     renderCommand},
    {"quantize", "quantize IN OUT [--colours N]  24-bit bitmap to 8 bits", quantizeCommand},
};

void printUsage(std::ostream& err) {
    err << "usage: platemap COMMAND ...\n";
    for (const Command& command : commands)
        err << "  platemap " << command.usage << '\n';
}

} // namespace

int run(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (!args.empty()) {
        for (const Command& command : commands) {
            if (args[0] == command.name)
                return command.run(args.subspan(1), out, err);
        }
    }
    printUsage(err);
    return exitUsage;
}

} // namespace platemap::cli
