#pragma once

#include <ostream>
#include <span>
#include <string>

namespace platemap::cli {

inline constexpr int exitSuccess = 0;
inline constexpr int exitUsage = 1;
inline constexpr int exitUnreadable = 2;

// Runs one command line (without the program name); returns the process exit code.
int run(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace platemap::cli
