#include "imaging/SoftEdgeMask.h"

#include "imaging/BitmapDrawing.h"
#include "imaging/JpegCodec.h"
#include "imaging/Rect.h"

namespace pictaven {

void maskWith(Bitmap& photo, const Bitmap& maskPicture, std::uint32_t colour)
{
    if (photo.bitsPerPixel() != 32)
        photo = photo.withDepth(32);
    const int width = photo.width();
    const int height = photo.height();
    Bitmap stretched(width, height, maskPicture.bitsPerPixel());
    stretchBitmap(stretched, Rect{0, 0, width, height}, maskPicture);
    const float fill[3] = {static_cast<float>((colour >> 16) & 255), static_cast<float>((colour >> 8) & 255),
                           static_cast<float>(colour & 255)};
    const int maskStep = stretched.bytesPerPixel();
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* m = stretched.row(y);
        std::uint8_t* p = photo.row(y);
        for (int x = 0; x < width; ++x, m += maskStep, p += 4) {
            if (m[0] != m[1] || m[1] != m[2]) {
                p[0] = m[0];
                p[1] = m[1];
                p[2] = m[2];
                continue;
            }
            // How much of the fill colour replaces the photo, as a single-precision fraction.
            float a = 255.0f - static_cast<float>(m[2]);
            if (!(a > 0.0f))
                a = 0.0f;
            a = static_cast<float>(static_cast<double>(a) * (1.0 / 255.0));
            for (int c = 0; c < 3; ++c) {
                const float blended = static_cast<float>((1.0 - static_cast<double>(a)) * p[c] +
                                                         static_cast<double>(fill[c]) * a);
                p[c] = static_cast<std::uint8_t>(blended);
            }
        }
    }
}

void mask(Bitmap& photo, const std::string& maskPath, std::uint32_t colour)
{
    const Bitmap maskPicture = readJpeg(maskPath);
    maskWith(photo, maskPicture, colour);
}

} // namespace pictaven
