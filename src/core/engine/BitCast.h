#pragma once

#include <cstring>

namespace quorvane {

// The bits of one type read as another of the same size: std::bit_cast, which some standard
// libraries (WebAssembly's among them) do not have yet.
template <class To, class From>
To BitCast(const From& from) {
    static_assert(sizeof(To) == sizeof(From));
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}

}  // namespace quorvane
