#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane {

// Tooltips are read at a glance: no line is wider than about this many characters.
inline constexpr std::size_t kToolTipWidth = 45;

// Breaks a UTF-8 text into lines of at most `width` characters (not bytes) at blanks, and starts
// each line it adds with `indent` blanks. The line breaks the text already has are kept; runs of
// blanks between words become one; a word longer than a line stands alone on its line, unbroken.
std::string WrapText(std::string_view text, std::size_t width = kToolTipWidth,
                     std::size_t indent = 0);

// The number of characters of a UTF-8 text.
std::size_t CharacterCount(std::string_view text);

}  // namespace quorvane
