// SPDX-License-Identifier: GPL-3.0-or-later
// A plain main for the fuzz targets: runs every file named on the command line (or found in a
// named folder) through the target once. Lets CTest replay the seed corpora with the ordinary
// compiler, so the targets keep building and their seeds keep passing without libFuzzer.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        if (fs::is_directory(argv[i])) {
            for (const auto& entry : fs::directory_iterator(argv[i]))
                if (entry.is_regular_file())
                    inputs.push_back(entry.path());
        } else if (fs::is_regular_file(argv[i])) {
            inputs.emplace_back(argv[i]);
        } else {
            return std::fprintf(stderr, "no such input: %s\n", argv[i]), 2;
        }
    }
    if (inputs.empty())
        return std::fprintf(stderr, "no inputs to replay\n"), 2;
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path& p : inputs) {
        std::ifstream in(p, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::fprintf(stderr, "%s\n", p.filename().string().c_str());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs replayed\n", inputs.size());
}
