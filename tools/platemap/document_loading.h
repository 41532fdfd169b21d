#pragma once

#include "document/document.h"

#include <ostream>
#include <string>
#include <vector>

namespace platemap::cli {

struct ShownMessage {
    std::string title;
    std::string text;
};

// Loads FILE (a path as the command line gives it) into the document; the message boxes that the
// load would show come back instead of being shown.
std::vector<ShownMessage> loadDocument(Document& document, const std::string& path);

// A load that gave no image: one line, with the first message as the reason.
void reportUndecodable(std::ostream& err, const std::string& path,
                       const std::vector<ShownMessage>& messages);

// A load that gave an image: its messages (rows that failed, say), repeats counted on one line.
void reportMessages(std::ostream& err, const std::vector<ShownMessage>& messages);

} // namespace platemap::cli
