#include "texts/TextWrap.h"

#include <vector>

namespace quorvane {

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

void WrapParagraph(std::string_view paragraph, std::size_t width, std::size_t indent,
                   std::string& out) {
    std::size_t lineLength = 0;
    bool lineEmpty = true;
    for (std::string_view word : Split(paragraph, ' ')) {
        if (word.empty()) continue;
        const std::size_t length = CharacterCount(word);
        if (!lineEmpty && lineLength + 1 + length > width) {
            out.push_back('\n');
            out.append(indent, ' ');
            lineLength = indent;
            lineEmpty = true;
        }
        if (!lineEmpty) {
            out.push_back(' ');
            ++lineLength;
        }
        out.append(word);
        lineLength += length;
        lineEmpty = false;
    }
}

}  // namespace

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        // Continuation bytes of a UTF-8 sequence start with the bits 10.
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    }
    return count;
}

std::string WrapText(std::string_view text, std::size_t width, std::size_t indent) {
    std::string out;
    out.reserve(text.size() + text.size() / width + 1);
    bool first = true;
    for (std::string_view paragraph : Split(text, '\n')) {
        if (!first) out.push_back('\n');
        first = false;
        WrapParagraph(paragraph, width, indent, out);
    }
    return out;
}

}  // namespace quorvane
