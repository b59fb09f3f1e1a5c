#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane {

// Tooltips stay narrow: no line of one is longer than this many characters.
inline constexpr std::size_t kToolTipWidth = 45;

// Breaks every line of `text` longer than `width` characters at the last blank that keeps it
// within the width, and starts each continuation with `indent` blanks. A word longer than the
// width stands alone on its line. Characters are counted as code points, so "−" and "×" count
// one each.
std::string WrapText(std::string_view text, std::size_t width = kToolTipWidth,
                     std::size_t indent = 0);

}  // namespace quorvane
