#include "platemap/json_writer.h"

#include "platform/utf.h"

#include <cstdio>

namespace platemap::cli {

namespace {

void writeQuoted(std::ostream& out, std::string_view utf8) {
    out << '"';
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out << "\\\"";
            break;
        case '\\':
            out << "\\\\";
            break;
        case '\n':
            out << "\\n";
            break;
        case '\r':
            out << "\\r";
            break;
        case '\t':
            out << "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out << escaped;
            } else {
                out << c;
            }
        }
    }
    out << '"';
}

bool isValidUtf8(std::string_view text) {
    const std::u16string wide = platform::utf8ToUtf16(text);
    return platform::utf16ToUtf8(wide) == text;
}

} // namespace

void JsonWriter::beginValue(std::string_view key) {
    if (!hasMembers_.empty()) {
        out_ << (hasMembers_.back() ? ",\n" : "\n");
        hasMembers_.back() = true;
        out_ << std::string(2 * hasMembers_.size(), ' ');
    }
    if (!key.empty()) {
        writeQuoted(out_, key);
        out_ << ": ";
    }
}

void JsonWriter::close(char bracket) {
    const bool hadMembers = hasMembers_.back();
    hasMembers_.pop_back();
    if (hadMembers)
        out_ << '\n' << std::string(2 * hasMembers_.size(), ' ');
    out_ << bracket;
}

void JsonWriter::beginObject(std::string_view key) {
    beginValue(key);
    out_ << '{';
    hasMembers_.push_back(false);
}

void JsonWriter::endObject() {
    close('}');
}

void JsonWriter::beginArray(std::string_view key) {
    beginValue(key);
    out_ << '[';
    hasMembers_.push_back(false);
}

void JsonWriter::endArray() {
    close(']');
}

void JsonWriter::member(std::string_view key, std::string_view utf8) {
    beginValue(key);
    writeQuoted(out_, utf8);
}

void JsonWriter::member(std::string_view key, std::int64_t number) {
    beginValue(key);
    out_ << number;
}

void JsonWriter::member(std::string_view key, double number) {
    beginValue(key);
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", number);
    out_ << text;
}

void JsonWriter::member(std::string_view key, bool value) {
    beginValue(key);
    out_ << (value ? "true" : "false");
}

std::string narrowTextToUtf8(std::string_view text) {
    if (isValidUtf8(text))
        return std::string(text);
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

} // namespace platemap::cli
