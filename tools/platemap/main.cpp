#include "platemap/cli.h"
#include "platform/message_box.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

// A command-line tool shows no modal boxes: on Windows one would wait for a click.
void printBox(const std::string& title, const std::string& text) {
    std::cerr << (title.empty() ? "" : title + ": ") << text << '\n';
}

} // namespace

int main(int argc, char** argv) {
    platemap::platform::setMessageBoxObserver(printBox);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return platemap::cli::run(args, std::cout, std::cerr);
}
