// Writes the test fixtures into fuzz/seeds/<format>/, the starting corpus of each fuzzer.
//   build-fuzz/fuzz/fuzz_write_seeds fuzz/seeds

#include "decoders/FixtureFiles.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    if (argc != 2) {
        std::cerr << "Usage: fuzz_write_seeds SEEDS_FOLDER\n";
        return 2;
    }
    const std::map<std::string, std::string> fuzzerOf = {
        {".bmp", "bmp"}, {".dib", "bmp"}, {".rle", "bmp"}, {".pcx", "pcx"}, {".tga", "tga"}, {".psd", "psd"},
        {".pdd", "psd"}, {".ppm", "pnm"}, {".pgm", "pnm"}, {".pbm", "pnm"}, {".pic", "pic"}, {".cel", "pic"},
        {".cut", "cut"}, {".psp", "psp"}, {".png", "png"}, {".gif", "gif"}, {".tif", "tif"}};
    for (const auto& fixture : pictaven::test::allFixtures()) {
        const std::string format = fuzzerOf.at(fs::path(fixture.file).extension().string());
        pictaven::test::Bytes bytes = fixture.bytes;
        if (format == "cut") {
            // The CUT fuzzer reads the picture and its palette from one input (see FuzzDecoder.cpp).
            const pictaven::test::Bytes palette = pictaven::test::haloPalette();
            const std::size_t total = bytes.size() + palette.size();
            bytes.insert(bytes.end(), palette.begin(), palette.end());
            bytes.insert(bytes.begin(), static_cast<std::uint8_t>((fixture.bytes.size() * 256 + total - 1) / total));
        }
        const fs::path folder = fs::path(argv[1]) / format;
        fs::create_directories(folder);
        std::ofstream(folder / fixture.file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    return 0;
}
