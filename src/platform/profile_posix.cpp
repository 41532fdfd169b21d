#include "platform/profile.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string_view>

namespace platemap::platform {

namespace {

constexpr std::string_view blanks = " \t\r\n\v\f";

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

char lowered(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return lowered(x) == lowered(y); });
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string settingsPath(const std::string& fileName) {
    if (fileName.find('/') != std::string::npos)
        return fileName;
    const char* folder = std::getenv("PLATEMAP_CONFIG_DIR");
    if (!folder || !*folder)
        return fileName;
    std::string path = folder;
    if (path.back() != '/')
        path += '/';
    return path + fileName;
}

// The value of the key in the first section of that name, as the profile functions find it.
std::optional<std::string> findValue(std::istream& in, std::string_view section,
                                     std::string_view key) {
    bool inSection = false;
    for (std::string line; std::getline(in, line);) {
        const std::string_view text = trimmed(line);
        const auto close = text.rfind(']');
        if (text.starts_with('[') && close != std::string_view::npos) {
            if (inSection)
                return std::nullopt;
            inSection = equalIgnoringCase(trimmed(text.substr(1, close - 1)), section);
            continue;
        }
        const auto equals = text.find('=');
        if (inSection && equals != std::string_view::npos &&
            equalIgnoringCase(trimmed(text.substr(0, equals)), key))
            return std::string(unquoted(trimmed(text.substr(equals + 1))));
    }
    return std::nullopt;
}

} // namespace

std::string profileString(const std::string& section, const std::string& key,
                          const std::string& defaultValue, const std::string& fileName) {
    std::ifstream in(settingsPath(fileName));
    std::string value = in ? findValue(in, section, key).value_or(defaultValue) : defaultValue;
    if (value.size() >= profileValueBufferSize)
        value.resize(profileValueBufferSize - 1);
    return value;
}

} // namespace platemap::platform
