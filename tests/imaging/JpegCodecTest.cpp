#include "imaging/JpegCodec.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

using pictaven::Bitmap;
using pictaven::decodeJpeg;
using pictaven::ImageSize;
using pictaven::readJpeg;
using pictaven::readJpegSize;
using pictaven::writeJpeg;
using pictaven::test::readFile;
using pictaven::test::TempDir;
using pictaven::test::writeFile;

namespace {

const std::string PhotoDir = std::string(TEST_DATA_DIR) + "/photos/";

// libjpeg used directly, the way its own documentation shows, as the reference to compare with.
// Only ever given valid input, so its default error handler is good enough here.
struct Reference {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

Reference referenceDecode(const std::string& bytes)
{
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    Reference ref;
    ref.width = static_cast<int>(cinfo.output_width);
    ref.height = static_cast<int>(cinfo.output_height);
    ref.rgb.resize(static_cast<std::size_t>(ref.width) * ref.height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = ref.rgb.data() + static_cast<std::size_t>(cinfo.output_scanline) * ref.width * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return ref;
}

struct EncodeOptions {
    J_COLOR_SPACE input = JCS_RGB;
    J_COLOR_SPACE stored = JCS_UNKNOWN; // JCS_UNKNOWN: libjpeg's defaults for the input
    bool adobeMarker = true;            // only with a stored colour space given
    bool progressive = false;
    int quality = 90;
};

std::string referenceEncode(const std::vector<unsigned char>& pixels, int width, int height, int components,
                            const EncodeOptions& options)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = options.input;
    jpeg_set_defaults(&cinfo);
    if (options.stored != JCS_UNKNOWN) {
        jpeg_set_colorspace(&cinfo, options.stored);
        cinfo.write_Adobe_marker = options.adobeMarker ? TRUE : FALSE;
    }
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (options.progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels.data() + static_cast<std::size_t>(cinfo.next_scanline) * width *
                                                                components);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return bytes;
}

// A picture with smooth ramps and sharp edges, so that every coding step matters.
Bitmap testPattern(int width, int height, int bitsPerPixel)
{
    Bitmap bitmap(width, height, bitsPerPixel);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = bitmap.row(y);
        for (int x = 0; x < width; ++x, p += bitmap.bytesPerPixel()) {
            p[0] = static_cast<std::uint8_t>(x * 255 / width);
            p[1] = static_cast<std::uint8_t>(y * 255 / height);
            p[2] = ((x / 8 + y / 8) % 2) ? 230 : 20;
            if (bitmap.bytesPerPixel() == 4)
                p[3] = 77;
        }
    }
    return bitmap;
}

std::vector<unsigned char> toRgb(const Bitmap& bitmap)
{
    std::vector<unsigned char> rgb;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x) {
            const std::uint8_t* p = bitmap.row(y) + x * bitmap.bytesPerPixel();
            rgb.insert(rgb.end(), {p[2], p[1], p[0]});
        }
    return rgb;
}

void expectSameAsReference(const Bitmap& decoded, const Reference& ref)
{
    ASSERT_EQ(decoded.bitsPerPixel(), 24);
    ASSERT_EQ(decoded.width(), ref.width);
    ASSERT_EQ(decoded.height(), ref.height);
    EXPECT_TRUE(toRgb(decoded) == ref.rgb);
}

void expectFailure(const std::function<void()>& action, const std::string& name, const std::string& reason)
{
    try {
        action();
        ADD_FAILURE() << "no exception for " << name;
    } catch (const std::runtime_error& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find(name), std::string::npos) << message;
        EXPECT_NE(message.find(reason), std::string::npos) << message;
    }
}

} // namespace

TEST(JpegCodec, EncodesExactlyLikeLibjpegWithBaselineQualityTables)
{
    TempDir dir;
    for (int quality : {0, 35, 80, 97, 100}) {
        for (int bits : {24, 32}) {
            SCOPED_TRACE("quality " + std::to_string(quality) + ", " + std::to_string(bits) + " bits");
            const Bitmap bitmap = testPattern(61, 37, bits);
            const std::string path = (dir / "out.jpg").string();
            writeJpeg(bitmap, path, quality);
            const std::string written = readFile(path);

            EncodeOptions options;
            options.quality = quality;
            EXPECT_TRUE(written == referenceEncode(toRgb(bitmap), 61, 37, 3, options));
            EXPECT_EQ(written.substr(6, 5), std::string("JFIF\0", 5));
            EXPECT_NE(written.find("\xFF\xC0"), std::string::npos) << "baseline frame marker";
        }
    }
}

TEST(JpegCodec, DecodesExactlyLikeLibjpeg)
{
    TempDir dir;
    const Bitmap bitmap = testPattern(45, 30, 24);
    const std::string path = (dir / "pattern.jpg").string();
    writeJpeg(bitmap, path, 75);
    const Bitmap decoded = readJpeg(path);
    expectSameAsReference(decoded, referenceDecode(readFile(path)));
    EXPECT_EQ(readJpegSize(path), (ImageSize{45, 30}));
}

TEST(JpegCodec, DecodesSamplePhotosLikeLibjpeg)
{
    // Baseline 4:2:0, progressive 4:2:2, and greyscale.
    for (const char* name : {"opencv_board.jpg", "plasma_ColorfulCups.jpg", "opencv_left01_grey.jpg"}) {
        SCOPED_TRACE(name);
        const std::string path = PhotoDir + name;
        const std::string bytes = readFile(path);
        const Bitmap fromFile = readJpeg(path);
        const Bitmap fromMemory =
            decodeJpeg(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), name);
        expectSameAsReference(fromFile, referenceDecode(bytes));
        EXPECT_TRUE(fromFile == fromMemory);
        EXPECT_EQ(readJpegSize(path), (ImageSize{fromFile.width(), fromFile.height()}));
    }
}

TEST(JpegCodec, GreyscaleExpandsToEqualChannels)
{
    const Bitmap grey = readJpeg(PhotoDir + "opencv_left01_grey.jpg");
    ASSERT_EQ(grey.width(), 640);
    bool sawShades = false;
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x) {
            const std::uint8_t* p = grey.row(y) + x * 3;
            ASSERT_EQ(p[0], p[1]);
            ASSERT_EQ(p[1], p[2]);
            sawShades = sawShades || (p[0] != grey.row(0)[0]);
        }
    EXPECT_TRUE(sawShades);
}

TEST(JpegCodec, ConvertsInkJpegsToColour)
{
    // Ink (cyan, magenta, yellow, black) 0..255 for a flat picture, and the light expected from it.
    struct Case {
        const char* what;
        J_COLOR_SPACE stored;
        bool adobe;
    };
    const Case cases[] = {{"Adobe CMYK", JCS_CMYK, true}, {"Adobe YCCK", JCS_YCCK, true}, {"plain CMYK", JCS_CMYK, false}};
    const unsigned char ink[4] = {0, 255, 128, 51}; // no cyan, full magenta, half yellow, 20 % black
    const int expectedBgr[3] = {102, 0, 204};      // red 0.8, green 0, blue 0.4 of full light

    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<unsigned char> pixels;
        for (int i = 0; i < 16 * 16; ++i)
            for (int k = 0; k < 4; ++k)
                pixels.push_back(c.adobe ? 255 - ink[k] : ink[k]);
        EncodeOptions options;
        options.input = JCS_CMYK;
        options.stored = c.stored;
        options.adobeMarker = c.adobe;
        options.quality = 100;
        const std::string path = (dir / "ink.jpg").string();
        writeFile(path, referenceEncode(pixels, 16, 16, 4, options));

        const Bitmap decoded = readJpeg(path);
        ASSERT_EQ(decoded.width(), 16);
        ASSERT_EQ(decoded.bitsPerPixel(), 24);
        for (int k = 0; k < 3; ++k)
            EXPECT_NEAR(decoded.row(8)[8 * 3 + k], expectedBgr[k], 3) << "channel " << k;
    }
}

TEST(JpegCodec, DamagedFilesFailWithLibjpegsMessageAndTheName)
{
    TempDir dir;
    const std::string photo = readFile(PhotoDir + "opencv_board.jpg");
    std::string badHuffman = photo;
    // Overwrite entropy-coded data well inside the scan with bytes that form no valid code.
    for (std::size_t i = photo.size() / 2; i < photo.size() / 2 + 64; ++i)
        badHuffman[i] = '\xFF';
    std::string hugeHeader = photo;
    const std::size_t sof = photo.find("\xFF\xC0");
    hugeHeader[sof + 5] = '\x75'; // height 0x7530 = 30000 ...
    hugeHeader[sof + 6] = '\x30';
    hugeHeader[sof + 7] = '\x75'; // ... and width 30000: 900 million pixels
    hugeHeader[sof + 8] = '\x30';

    struct Case {
        const char* file;
        std::string bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"truncated.jpg", photo.substr(0, photo.size() / 2), "Premature end of JPEG file"},
        {"png.jpg", std::string("\x89PNG\r\n\x1a\n", 8) + std::string(100, '\0'), "Not a JPEG file"},
        {"empty.jpg", "", "Empty input file"},
        {"header-only.jpg", photo.substr(0, 300), "Premature end of JPEG file"},
        {"bad-huffman.jpg", badHuffman, "Corrupt JPEG data"},
        {"huge.jpg", hugeHeader, "too large"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = (dir / c.file).string();
        writeFile(path, c.bytes);
        expectFailure([&] { readJpeg(path); }, path, c.reason);
        expectFailure(
            [&] { decodeJpeg(reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size(), c.file); },
            c.file, c.reason);
    }
    expectFailure([&] { readJpegSize((dir / "png.jpg").string()); }, "png.jpg", "Not a JPEG file");
    expectFailure([&] { readJpeg((dir / "missing.jpg").string()); }, "missing.jpg", "No such file");
}

TEST(JpegCodec, RefusesProgressiveFilesWithEndlessScans)
{
    EncodeOptions options;
    options.progressive = true;
    const std::vector<unsigned char> pixels(16 * 16 * 3, 128);
    const std::string bytes = referenceEncode(pixels, 16, 16, 3, options);
    // Repeat the last scan (its header up to the end-of-image marker) a thousand times.
    const std::size_t lastScan = bytes.rfind("\xFF\xDA");
    const std::string scan = bytes.substr(lastScan, bytes.size() - 2 - lastScan);
    std::string hostile = bytes.substr(0, lastScan);
    for (int i = 0; i < 1000; ++i)
        hostile += scan;
    hostile += "\xFF\xD9";
    expectFailure([&] { decodeJpeg(reinterpret_cast<const std::uint8_t*>(hostile.data()), hostile.size(), "scans"); },
                  "scans", "Too many scans");
    EXPECT_NO_THROW(decodeJpeg(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), "fine"));
}

TEST(JpegCodec, WriteFailuresThrowAndLeaveNoFile)
{
    TempDir dir;
    expectFailure([&] { writeJpeg(Bitmap(), (dir / "empty.jpg").string(), 80); }, "empty.jpg", "empty");
    EXPECT_FALSE(std::filesystem::exists(dir / "empty.jpg"));
    expectFailure([&] { writeJpeg(testPattern(4, 4, 24), (dir / "no/such/folder.jpg").string(), 80); },
                  "folder.jpg", "No such file");
}
