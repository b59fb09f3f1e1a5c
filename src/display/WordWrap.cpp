#include "display/WordWrap.h"

#include <vector>

namespace quorvane {

namespace {

std::size_t CodePoints(std::string_view s) {
    std::size_t count = 0;
    for (const char c : s)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == separator) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

std::string WrapLine(std::string_view line, std::size_t width, std::size_t indent) {
    std::string wrapped;
    std::string current;
    std::size_t length = 0;
    for (const std::string_view word : Split(line, ' ')) {
        const std::size_t size = CodePoints(word);
        if (!current.empty() && length + 1 + size > width) {
            wrapped += current + "\n";
            current = std::string(indent, ' ');
            length = indent;
        } else if (!current.empty() || length > 0) {
            current += ' ';
            ++length;
        }
        current += word;
        length += size;
    }
    return wrapped + current;
}

}  // namespace

std::string WrapText(std::string_view text, std::size_t width, std::size_t indent) {
    std::string wrapped;
    bool first = true;
    for (const std::string_view line : Split(text, '\n')) {
        if (!first) wrapped += '\n';
        first = false;
        wrapped += CodePoints(line) <= width ? std::string(line) : WrapLine(line, width, indent);
    }
    return wrapped;
}

}  // namespace quorvane
