#pragma once

#include <ostream>
#include <span>
#include <string>

namespace platemap::cli {

// Each command gets its own arguments (after its name) and returns the exit code.
int archiveCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int inspectCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int renderCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);
int quantizeCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace platemap::cli
