// Runs a fuzz target's entry over files and folders of inputs, without libFuzzer, so that
// the seed corpus and every input that once failed are checked by every build's tests.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

namespace {

bool replayFile(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return false;
    }
    // Parentheses, not braces: these two iterators are a range, not a list of two bytes.
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    // No byte to spare past the end, so that the sanitizers see any read beyond the input;
    // and a real pointer even for an empty input, as libFuzzer gives.
    bytes.shrink_to_fit();
    static const std::uint8_t none = 0;
    LLVMFuzzerTestOneInput(bytes.empty() ? &none : bytes.data(), bytes.size());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (LLVMFuzzerInitialize != nullptr) {
        LLVMFuzzerInitialize(&argc, &argv);
    }
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(path)) {
            for (const auto &entry : std::filesystem::directory_iterator(path)) {
                if (entry.is_regular_file()) {
                    files.push_back(entry.path());
                }
            }
        } else {
            files.push_back(path);
        }
        std::sort(files.begin(), files.end());
        for (const auto &file : files) {
            if (!replayFile(file)) {
                return 1;
            }
            ++replayed;
        }
    }
    std::printf("%d inputs replayed without a fault\n", replayed);
    return replayed > 0 ? 0 : 1;
}
