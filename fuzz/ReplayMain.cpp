// Runs a fuzz target over files without the fuzzer engine: every file named on the
// command line, and every file below every folder named there, is passed once to
// LLVMFuzzerTestOneInput. This is how the ordinary build replays the seed corpora and
// the inputs that once found a fault, in seconds.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

std::vector<std::filesystem::path> inputsBelow(const std::filesystem::path& root) {
    std::vector<std::filesystem::path> inputs;
    if (!std::filesystem::is_directory(root)) return {root};
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
    // A fixed order, so that a failure replays the same way.
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

bool replay(const std::filesystem::path& input) {
    std::ifstream stream(input, std::ios::binary);
    if (!stream) {
        std::fprintf(stderr, "cannot read %s\n", input.c_str());
        return false;
    }
    const std::string bytes{std::istreambuf_iterator<char>(stream), {}};
    // A copy of exactly the input's size, so that reading past it is caught.
    std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
    LLVMFuzzerTestOneInput(data.data(), data.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize != nullptr) LLVMFuzzerInitialize(&argc, &argv);
    std::size_t count = 0;
    bool readable = true;
    for (int i = 1; i < argc; ++i) {
        if (!std::filesystem::exists(argv[i])) continue;  // a target without findings yet
        for (const auto& input : inputsBelow(argv[i])) {
            readable = replay(input) && readable;
            ++count;
        }
    }
    std::printf("replayed %zu inputs\n", count);
    return readable ? 0 : 1;
}
