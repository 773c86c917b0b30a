#include "imaging/GSBlur.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace pictaven {

Kernel makeKernel(double radius)
{
    Kernel kernel;
    const double r = radius + 0.0001;
    for (int j = -Kernel::MaxSize; j <= Kernel::MaxSize; ++j) {
        const double x = j / r;
        kernel.weights[static_cast<std::size_t>(j + Kernel::MaxSize)] = static_cast<float>(std::exp(-(x * x) / 2.0));
    }
    const auto normalise = [&kernel](int size) {
        double sum = 0.0;
        for (int j = -size; j <= size; ++j)
            sum += kernel.weight(j);
        for (int j = -size; j <= size; ++j) {
            float& weight = kernel.weights[static_cast<std::size_t>(j + Kernel::MaxSize)];
            weight = static_cast<float>(weight / sum);
        }
    };
    normalise(Kernel::MaxSize);
    // The trimmed tails may add up to at most half of one step of 255.
    int size = Kernel::MaxSize;
    double tail = 0.0;
    while (tail < 1.0 / 510.0 && size > 1) {
        tail += 2.0 * kernel.weight(size);
        --size;
    }
    kernel.size = size;
    normalise(size);
    return kernel;
}

namespace {

std::uint8_t blurredByte(double sum)
{
    if (sum < 0.0)
        return 0;
    if (sum >= 255.0)
        return 255;
    return static_cast<std::uint8_t>(sum);
}

// out[q] = sum over n = -size..size of weight(n) * padded[q + (size - n) * 3], for q < count;
// padded holds the line with `size` edge pixels repeated on each side.
void convolve(const Kernel& kernel, const std::vector<double>& padded, std::vector<double>& sums, std::size_t count)
{
    std::fill(sums.begin(), sums.begin() + static_cast<std::ptrdiff_t>(count), 0.0);
    for (int n = -kernel.size; n <= kernel.size; ++n) {
        const double weight = kernel.weight(n);
        const double* in = padded.data() + static_cast<std::size_t>(kernel.size - n) * 3;
        for (std::size_t q = 0; q < count; ++q)
            sums[q] += weight * in[q];
    }
}

} // namespace

void gsBlur(Bitmap& bitmap, double radius)
{
    if (bitmap.bitsPerPixel() != 24)
        throw std::runtime_error("Not a 24-bit bitmap");
    if (bitmap.empty())
        return;
    const Kernel kernel = makeKernel(radius);
    const int width = bitmap.width();
    const int height = bitmap.height();
    const int size = kernel.size;
    const std::size_t longest = static_cast<std::size_t>(width + 2 * size) * 3;
    std::vector<double> padded(longest);
    std::vector<double> sums(longest);

    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.row(y);
        for (int p = -size; p < width + size; ++p) {
            const std::uint8_t* pixel = row + 3 * std::clamp(p, 0, width - 1);
            for (int c = 0; c < 3; ++c)
                padded[static_cast<std::size_t>(p + size) * 3 + c] = pixel[c];
        }
        convolve(kernel, padded, sums, bitmap.stride());
        std::transform(sums.begin(), sums.begin() + static_cast<std::ptrdiff_t>(bitmap.stride()), row, blurredByte);
    }

    // The columns are blurred a whole row of them at a time, from a copy of the row pass's
    // result, which is what blurring them one by one reads.
    const Bitmap rowsDone = bitmap;
    const std::size_t count = bitmap.stride();
    for (int y = 0; y < height; ++y) {
        std::fill(sums.begin(), sums.begin() + static_cast<std::ptrdiff_t>(count), 0.0);
        for (int n = -size; n <= size; ++n) {
            const double weight = kernel.weight(n);
            const std::uint8_t* in = rowsDone.row(std::clamp(y - n, 0, height - 1));
            for (std::size_t q = 0; q < count; ++q)
                sums[q] += weight * in[q];
        }
        std::transform(sums.begin(), sums.begin() + static_cast<std::ptrdiff_t>(count), bitmap.row(y), blurredByte);
    }
}

} // namespace pictaven
