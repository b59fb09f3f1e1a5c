// Replays kept inputs through a fuzz target without libFuzzer, so the normal build's test run
// (and the sanitizer build's) repeats every finding and the corpus. Each argument is a file or a
// folder of files; a target that finds a fault aborts, which fails the test.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsIn(const fs::path& argument) {
    std::vector<fs::path> inputs;
    if (fs::is_directory(argument)) {
        for (const fs::directory_entry& entry : fs::directory_iterator(argument)) {
            if (entry.is_regular_file()) inputs.push_back(entry.path());
        }
        std::sort(inputs.begin(), inputs.end());
    } else {
        inputs.push_back(argument);
    }
    return inputs;
}

std::vector<std::uint8_t> Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char* argv[]) {
    std::size_t replayed = 0;
    for (int a = 1; a < argc; ++a) {
        if (!fs::exists(argv[a])) {
            std::fprintf(stderr, "no input at %s\n", argv[a]);
            return 1;
        }
        for (const fs::path& input : InputsIn(argv[a])) {
            const std::vector<std::uint8_t> bytes = Bytes(input);
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++replayed;
        }
    }
    std::printf("replayed %zu inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
