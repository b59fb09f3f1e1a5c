// Fuzzes reading a pasted setup: any text is read or refused without a crash, a hang or an
// unbounded allocation; a refusal names a line the text has; a text that is read writes back
// to a setup text that reads as the same setup, and writing that again changes nothing.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "setup/SetupText.h"

namespace {

[[noreturn]] void Fail(const char* what, std::string_view text) {
    std::fprintf(stderr, "%s:\n%.*s\n", what, static_cast<int>(text.size()), text.data());
    std::abort();
}

int LineCount(std::string_view text) {
    int lines = 1;
    for (char c : text)
        lines += c == '\n' ? 1 : 0;
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const quorvane::SetupParse parse = quorvane::ParseSetup(text);
    if (!parse.ok) {
        if (parse.error.line < 1 || parse.error.line > LineCount(text))
            Fail("refusal names a line the text has not", text);
        if (parse.error.expected.empty()) Fail("refusal says nothing of what was expected", text);
        return 0;
    }
    const std::string written = quorvane::SetupText(parse.setup);
    const quorvane::SetupParse again = quorvane::ParseSetup(written);
    if (!again.ok) Fail("a written setup is refused", written);
    if (!(again.setup == parse.setup)) Fail("a written setup reads as another", written);
    if (quorvane::SetupText(again.setup) != written)
        Fail("writing again changed the text", written);
    if (written.size() > quorvane::kMostSetupCharacters)
        Fail("a written setup is too long", written);
    return 0;
}
