#include "platemap/cli.h"
#include "platemap/commands.h"
#include "raster/bmp_quantizer.h"

#include <charconv>
#include <optional>

namespace platemap::cli {

namespace {

constexpr std::string_view usage = "usage: platemap quantize IN.bmp OUT.bmp [--colours N]\n";

std::optional<int> parseColourLimit(const std::string& text) {
    int limit = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), limit);
    if (error != std::errc() || end != text.data() + text.size() || limit < 1 ||
        limit > OctreeQuantizer::paletteCapacity)
        return std::nullopt;
    return limit;
}

} // namespace

int quantizeCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> paths;
    int limit = OctreeQuantizer::paletteCapacity;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--colours") {
            paths.push_back(args[i]);
            continue;
        }
        const std::optional<int> parsed =
            i + 1 < args.size() ? parseColourLimit(args[++i]) : std::nullopt;
        if (!parsed) {
            err << "platemap: --colours takes a number from 1 to 256\n" << usage;
            return exitUsage;
        }
        limit = *parsed;
    }
    if (paths.size() != 2) {
        err << usage;
        return exitUsage;
    }
    BmpQuantizer quantizer;
    quantizer.setMaxColours(limit);
    if (!quantizer.quantize(paths[0], paths[1])) {
        err << "platemap: cannot quantize " << paths[0] << " into " << paths[1]
            << " (a 24-bit bitmap file is needed)\n";
        return exitUnreadable;
    }
    out << "colours: " << quantizer.colourCount() << '\n';
    return exitSuccess;
}

} // namespace platemap::cli
