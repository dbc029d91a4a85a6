// Runs a fuzz target once on each file of its seed corpus, without libFuzzer,
// so that every build's ctest checks the targets' properties on the inputs
// kept for them. A broken property aborts, as under the fuzzer.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::uint8_t> Contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
            const std::vector<std::uint8_t> input = Contents(entry.path());
            std::printf("%s\n", entry.path().filename().string().c_str());
            std::fflush(stdout);  // the name stays on screen if the input aborts
            LLVMFuzzerTestOneInput(input.data(), input.size());
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    // An empty corpus would pass without checking anything.
    return replayed > 0 ? 0 : 1;
}
