// The imaging hot path of album generation: decode, photo resize, thumbnail, shadow blur,
// encode. Run with --benchmark_repetitions=N; an optional first argument (or the environment
// variable PICTAVEN_BENCH_PHOTO) names the photo to measure besides a generated picture.
// DecodeFloor decodes every JPEG file of a folder once (PICTAVEN_BENCH_SET, default the sample
// photos) with libjpeg's defaults into memory and nothing else: no album of those photos can be
// made in less, so generation times are best read as multiples of it.

#include "imaging/GSBlur.h"
#include "imaging/JpegCodec.h"
#include "imaging/PreShrink.h"
#include "imaging/StretchAndResample.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <jpeglib.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

using namespace pictaven;

namespace {

struct Source {
    std::string name;
    std::vector<std::uint8_t> jpeg;
    Bitmap picture;
};

std::vector<std::uint8_t> fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string scratchFile()
{
    return (std::filesystem::temp_directory_path() / ("pictaven_bench_" + std::to_string(::getpid()) + ".jpg"))
        .string();
}

// Smooth gradients with a fine texture, so that the coder sees something like a photo.
Bitmap generatedPicture(int width, int height)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.row(y);
        for (int x = 0; x < width; ++x) {
            const double u = static_cast<double>(x) / width, v = static_cast<double>(y) / height;
            const int texture = static_cast<int>((x * 7919u + y * 104729u) % 23u) - 11;
            row[3 * x] = static_cast<std::uint8_t>(std::clamp(static_cast<int>(255 * u) + texture, 0, 255));
            row[3 * x + 1] = static_cast<std::uint8_t>(std::clamp(static_cast<int>(128 + 100 * std::sin(9 * u + 5 * v)) + texture, 0, 255));
            row[3 * x + 2] = static_cast<std::uint8_t>(std::clamp(static_cast<int>(255 * v) - texture, 0, 255));
        }
    }
    return bitmap;
}

// The photo box fit: the smaller of the two ratios as a 32-bit float, sizes truncated.
std::pair<int, int> fitted(int width, int height, int boxWidth, int boxHeight)
{
    const double byWidth = static_cast<double>(boxWidth) / width;
    const double byHeight = static_cast<double>(boxHeight) / height;
    const auto scale = static_cast<float>(byWidth >= byHeight ? byHeight : byWidth);
    return {static_cast<int>(width * static_cast<double>(scale)), static_cast<int>(height * static_cast<double>(scale))};
}

void decode(benchmark::State& state, const Source* source)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(decodeJpeg(source->jpeg.data(), source->jpeg.size(), source->name));
}

void resizeToPhotoBox(benchmark::State& state, const Source* source, ResamplePath path)
{
    const auto [width, height] = fitted(source->picture.width(), source->picture.height(), 600, 400);
    for (auto _ : state) {
        Bitmap scaled(width, height);
        stretchAndResample(source->picture, scaled, lanczos3Filter, 3.0f, path);
        benchmark::DoNotOptimize(scaled.data());
    }
    state.SetLabel(std::to_string(width) + "x" + std::to_string(height));
}

void thumbnail(benchmark::State& state, const Source* source)
{
    const auto [width, height] = fitted(source->picture.width(), source->picture.height(), 80, 80);
    Bitmap shrunk;
    for (auto _ : state) {
        preShrink(source->picture, shrunk);
        // The thumbnail rectangle lies one pixel inside the fitted size on each side.
        Bitmap thumb(width - 2, height - 2);
        stretchAndResample(shrunk, thumb, lanczos3Filter, 3.0f);
        benchmark::DoNotOptimize(thumb.data());
    }
    state.SetLabel(std::to_string(shrunk.width()) + "x" + std::to_string(shrunk.height()) + " -> " +
                   std::to_string(width - 2) + "x" + std::to_string(height - 2));
}

void encode(benchmark::State& state, const Source* source)
{
    const std::string path = scratchFile();
    for (auto _ : state)
        writeJpeg(source->picture, path, 90);
    std::filesystem::remove(path);
}

void shadowBlur(benchmark::State& state)
{
    Bitmap strip(96, 16);
    for (auto _ : state) {
        state.PauseTiming();
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 96; ++x)
                strip.setPixel(x, y, y < 4 && x >= 8 ? Colour{80, 80, 80} : Colour{255, 255, 255});
        state.ResumeTiming();
        gsBlur(strip, 4.0);
        benchmark::DoNotOptimize(strip.data());
    }
}

// Whole-file reads and plain libjpeg decoding, as a program that does nothing else would.
void decodeFloor(benchmark::State& state, const std::vector<std::string>* files)
{
    double megapixels = 0;
    for (auto _ : state) {
        megapixels = 0;
        for (const std::string& file : *files) {
            const std::vector<std::uint8_t> bytes = fileBytes(file);
            jpeg_decompress_struct decoder{};
            jpeg_error_mgr errors{};
            decoder.err = jpeg_std_error(&errors);
            jpeg_create_decompress(&decoder);
            jpeg_mem_src(&decoder, bytes.data(), static_cast<unsigned long>(bytes.size()));
            jpeg_read_header(&decoder, TRUE);
            jpeg_start_decompress(&decoder);
            const std::size_t stride = static_cast<std::size_t>(decoder.output_width) * decoder.output_components;
            std::vector<std::uint8_t> pixels(stride * decoder.output_height);
            while (decoder.output_scanline < decoder.output_height) {
                JSAMPROW row = pixels.data() + stride * decoder.output_scanline;
                jpeg_read_scanlines(&decoder, &row, 1);
            }
            jpeg_finish_decompress(&decoder);
            megapixels += static_cast<double>(decoder.output_width) * decoder.output_height / 1e6;
            jpeg_destroy_decompress(&decoder);
            benchmark::DoNotOptimize(pixels.data());
        }
    }
    state.counters["megapixels"] = megapixels;
    state.SetLabel(std::to_string(files->size()) + " photos");
}

std::vector<std::string> photoSet()
{
    const char* chosen = std::getenv("PICTAVEN_BENCH_SET");
    const std::filesystem::path folder = chosen ? std::filesystem::path(chosen) : std::filesystem::path(SHARED_DIR) / "photos";
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::string extension = entry.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
        if (entry.is_regular_file() && (extension == ".jpg" || extension == ".jpeg"))
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

void registerSource(const Source& source)
{
    const auto unit = benchmark::kMillisecond;
    benchmark::RegisterBenchmark((source.name + "/JpegDecode").c_str(), decode, &source)->Unit(unit);
    benchmark::RegisterBenchmark((source.name + "/StretchAndResample600x400").c_str(), resizeToPhotoBox, &source,
                                 fastestResamplePath())
        ->Unit(unit);
    if (fastestResamplePath() != ResamplePath::Scalar)
        benchmark::RegisterBenchmark((source.name + "/StretchAndResample600x400/scalar").c_str(), resizeToPhotoBox,
                                     &source, ResamplePath::Scalar)
            ->Unit(unit);
    benchmark::RegisterBenchmark((source.name + "/PreShrinkStretchAndResample80x80").c_str(), thumbnail, &source)
        ->Unit(unit);
    benchmark::RegisterBenchmark((source.name + "/JpegEncodeQ90").c_str(), encode, &source)->Unit(unit);
}

std::string photoPath(int argc, char** argv)
{
    if (argc > 1)
        return argv[1];
    if (const char* path = std::getenv("PICTAVEN_BENCH_PHOTO"))
        return path;
    const std::string fallback = std::string(SHARED_DIR) + "/photos/digikam_body-background_iphone7.jpg";
    return std::filesystem::exists(fallback) ? fallback : std::string();
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    // The sources live until the end of main, where the benchmarks run.
    std::vector<Source> sources;
    sources.reserve(2);
    {
        Source generated{"generated_4000x3000", {}, generatedPicture(4000, 3000)};
        const std::string path = scratchFile();
        writeJpeg(generated.picture, path, 90);
        generated.jpeg = fileBytes(path);
        std::filesystem::remove(path);
        sources.push_back(std::move(generated));
    }
    const std::string photo = photoPath(argc, argv);
    if (!photo.empty()) {
        try {
            Source source{std::filesystem::path(photo).filename().string(), fileBytes(photo), Bitmap()};
            source.picture = decodeJpeg(source.jpeg.data(), source.jpeg.size(), photo);
            sources.push_back(std::move(source));
        } catch (const std::exception& error) {
            std::cerr << error.what() << "\n";
            return 1;
        }
    }
    for (const Source& source : sources)
        registerSource(source);
    const std::vector<std::string> set = photoSet();
    if (!set.empty())
        benchmark::RegisterBenchmark("DecodeFloor", decodeFloor, &set)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("GSBlur_radius4_96x16", shadowBlur)->Unit(benchmark::kMicrosecond);
    std::cout << "Resampling path: " << (fastestResamplePath() == ResamplePath::Avx2 ? "AVX2+FMA" : "scalar")
              << "\n";
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
