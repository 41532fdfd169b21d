#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace platemap::cli {

// A small streaming JSON writer: two-space indentation, one member per line.
class JsonWriter {
  public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}
    ~JsonWriter() { out_ << '\n'; }

    void beginObject(std::string_view key = {});
    void endObject();
    void beginArray(std::string_view key = {});
    void endArray();
    void member(std::string_view key, std::string_view utf8);
    void member(std::string_view key, std::int64_t number);
    void member(std::string_view key, double number);
    void member(std::string_view key, bool value);

  private:
    void beginValue(std::string_view key);
    void close(char bracket);

    std::ostream& out_;
    std::vector<bool> hasMembers_;
};

// 8-bit texts of the archive carry no code page: valid UTF-8 passes, anything else is Latin-1.
std::string narrowTextToUtf8(std::string_view text);

} // namespace platemap::cli
