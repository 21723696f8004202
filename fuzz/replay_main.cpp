// Runs a fuzz target over files instead of under libFuzzer: every file named, and every file in every folder
// named (in name order), once each. Built with any compiler, so that the seeds and the crash inputs ever found
// are replayed by the normal test run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

int main(int argc, char **argv)
{
    namespace fs = std::filesystem;
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i)
    {
        fs::path p(argv[i]);
        if (fs::is_directory(p))
        {
            for (const auto &e : fs::directory_iterator(p))
                if (e.is_regular_file() && e.path().filename().string()[0] != '.' && e.path().filename() != "README")
                    files.push_back(e.path());
        }
        else if (fs::exists(p))
            files.push_back(p);
    }
    std::sort(files.begin(), files.end());
    for (const fs::path &f : files)
    {
        std::ifstream in(f, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::fprintf(stderr, "replaying %s (%zu bytes)\n", f.c_str(), bytes.size());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs replayed\n", files.size());
    // A target whose corpus went missing would otherwise pass for ever without testing anything.
    return files.empty() ? 1 : 0;
}
