#include "document/document.h"
#include "platemap/cli.h"
#include "platemap/commands.h"
#include "platemap/document_loading.h"
#include "raster/bitmap_file.h"
#include "raster/dib_errors.h"

#include <vector>

namespace platemap::cli {

int renderCommand(std::span<const std::string> args, std::ostream&, std::ostream& err) {
    std::vector<std::string> files;
    std::string output;
    bool usage = false;
    bool paletteDisplay = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--palette-display")
            paletteDisplay = true;
        else if (args[i] != "-o")
            files.push_back(args[i]);
        else if (i + 1 < args.size() && output.empty())
            output = args[++i];
        else
            usage = true;
    }
    if (usage || files.size() != 1 || output.empty()) {
        err << "usage: platemap render FILE -o OUT.bmp [--palette-display]\n";
        return exitUsage;
    }
    const std::string& input = files[0];
    // The document as a screen of 8 bits per pixel would hold it: reduced, with a palette.
    Document document(paletteDisplay ? 8 : Document::defaultScreenBitsPerPixel);
    const auto messages = loadDocument(document, input);
    if (!document.dib) {
        reportUndecodable(err, input, messages);
        return exitUnreadable;
    }
    reportMessages(err, messages);
    if (const int code = writeBitmapFile(document.dib.get(), output); code != 0) {
        err << "platemap: cannot write " << output << ": " << dibErrorText(code) << '\n';
        return exitUnreadable;
    }
    return exitSuccess;
}

} // namespace platemap::cli
