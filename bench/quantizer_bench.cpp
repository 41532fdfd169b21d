// The colour quantiser on a photograph-sized 24-bit bitmap file, next to ImageMagick's
// `convert -colors 224 +dither` on the same file when Debian's ImageMagick is installed.
#include "platform/files.h"
#include "raster/bmp_quantizer.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int imageWidth = 4000;
constexpr int imageHeight = 3000;
constexpr int colourLimit = 224;
constexpr const char* imageMagickConvert = "/usr/bin/convert";

void putLe(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::vector<std::uint8_t> bitmapHeaders(std::uint32_t imageSize) {
    std::vector<std::uint8_t> bytes;
    putLe(bytes, 0x4D42, 2);
    putLe(bytes, 54 + imageSize, 4);
    putLe(bytes, 0, 4);
    putLe(bytes, 54, 4);
    putLe(bytes, 40, 4);
    putLe(bytes, imageWidth, 4);
    putLe(bytes, imageHeight, 4);
    putLe(bytes, 1, 2);
    putLe(bytes, 24, 2);
    putLe(bytes, 0, 4);
    putLe(bytes, imageSize, 4);
    for (int field = 0; field < 4; ++field)
        putLe(bytes, 0, 4);
    return bytes;
}

std::uint8_t component(double value) {
    return static_cast<std::uint8_t>(std::lround(std::fmin(255.0, std::fmax(0.0, value))));
}

// Smooth shading in broad bands with a little sensor noise.
void writePhotoLikeBitmap(const std::string& path) {
    const std::size_t rowBytes = (3 * imageWidth + 3) / 4 * 4;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return;
    const std::vector<std::uint8_t> headers =
        bitmapHeaders(static_cast<std::uint32_t>(rowBytes * imageHeight));
    std::fwrite(headers.data(), 1, headers.size(), file);
    std::vector<std::uint8_t> row(rowBytes, 0);
    std::uint32_t noise = 12345;
    for (int y = 0; y < imageHeight; ++y) {
        for (int x = 0; x < imageWidth; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const double jitter = static_cast<double>(noise >> 28) - 7.5;
            const double u = x / 400.0;
            const double v = y / 300.0;
            row[3 * x] = component(110 + 90 * std::sin(u + 0.7 * v) + jitter);
            row[3 * x + 1] = component(120 + 80 * std::cos(0.6 * u - v) + jitter);
            row[3 * x + 2] = component(130 + 100 * std::sin(0.3 * u * v + 1) + jitter);
        }
        std::fwrite(row.data(), 1, row.size(), file);
    }
    std::fclose(file);
}

struct BenchFiles {
    BenchFiles() { writePhotoLikeBitmap(input); }
    ~BenchFiles() {
        platemap::platform::deleteFile(input);
        platemap::platform::deleteFile(output);
    }
    BenchFiles(const BenchFiles&) = delete;
    BenchFiles& operator=(const BenchFiles&) = delete;

    std::string input = platemap::platform::tempDirectory() + "platemap-bench-photo.bmp";
    std::string output = platemap::platform::tempDirectory() + "platemap-bench-photo-8bit.bmp";
};

void quantizeWithOctree(benchmark::State& state, const BenchFiles* files) {
    for (auto _ : state) {
        platemap::BmpQuantizer quantizer;
        quantizer.setMaxColours(colourLimit);
        if (!quantizer.quantize(files->input, files->output)) {
            state.SkipWithError("quantize failed");
            break;
        }
        state.counters["colours"] = quantizer.colourCount();
    }
    state.SetItemsProcessed(state.iterations() * imageWidth * imageHeight);
}

void quantizeWithImageMagick(benchmark::State& state, const BenchFiles* files) {
    const std::string command = std::string(imageMagickConvert) + " '" + files->input +
                                "' -colors 224 +dither '" + files->output + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("convert failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * imageWidth * imageHeight);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const BenchFiles files;
    benchmark::RegisterBenchmark("BmpQuantizer/4000x3000/224", quantizeWithOctree, &files)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    if (platemap::platform::fileExists(imageMagickConvert)) {
        benchmark::RegisterBenchmark("ImageMagickConvert/4000x3000/224", quantizeWithImageMagick,
                                     &files)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
