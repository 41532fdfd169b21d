#include "platemap/document_loading.h"

#include "platform/message_box.h"
#include "platform/text.h"

namespace platemap::cli {

namespace {

// The observer is a plain function: the messages of the load in progress go here.
std::vector<ShownMessage>* collecting = nullptr;

void collect(const std::string& title, const std::string& text) {
    if (collecting)
        collecting->push_back({title, text});
}

} // namespace

std::vector<ShownMessage> loadDocument(Document& document, const std::string& path) {
    std::vector<ShownMessage> messages;
    collecting = &messages;
    const platform::MessageBoxObserver previous = platform::setMessageBoxObserver(collect);
    const std::u16string wide = platform::ansiToWide(path);
    document.LoadFile(wide.c_str());
    platform::setMessageBoxObserver(previous);
    collecting = nullptr;
    return messages;
}

void reportUndecodable(std::ostream& err, const std::string& path,
                       const std::vector<ShownMessage>& messages) {
    err << "platemap: cannot decode " << path;
    if (!messages.empty())
        err << ": " << messages.front().text;
    err << '\n';
}

void reportMessages(std::ostream& err, const std::vector<ShownMessage>& messages) {
    for (std::size_t i = 0; i < messages.size();) {
        std::size_t same = 1;
        while (i + same < messages.size() && messages[i + same].title == messages[i].title &&
               messages[i + same].text == messages[i].text)
            ++same;
        err << "platemap: " << messages[i].title << ": " << messages[i].text;
        if (same > 1)
            err << " (" << same << " times)";
        err << '\n';
        i += same;
    }
}

} // namespace platemap::cli
