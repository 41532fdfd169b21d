#include "archive/read_archive.h"
#include "platemap/cli.h"
#include "platemap/commands.h"
#include "platemap/records_json.h"

namespace platemap::cli {

int archiveCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "usage: platemap archive FILE\n";
        return exitUsage;
    }
    FileInputStream input(args[0]);
    HotspotList list;
    readHotspotArchive(input, list);
    if (input.failed()) {
        err << "platemap: cannot read " << args[0] << '\n';
        return exitUnreadable;
    }
    JsonWriter json(out);
    json.beginObject();
    writeRecords(json, list);
    json.endObject();
    return exitSuccess;
}

} // namespace platemap::cli
