#include "decoders/TurnedGif.h"

#include "decoders/FileBytes.h"
#include "imaging/Bitmap.h"
#include "imaging/TurnPixels.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <vector>

namespace pictaven {
namespace {

struct MemoryReader {
    const std::vector<std::uint8_t>* bytes;
    std::size_t position = 0;
};

int readGif(GifFileType* gif, GifByteType* buffer, int length)
{
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    const std::size_t count =
        std::min(static_cast<std::size_t>(std::max(length, 0)), reader->bytes->size() - reader->position);
    std::memcpy(buffer, reader->bytes->data() + reader->position, count);
    reader->position += count;
    return static_cast<int>(count);
}

int writeGif(GifFileType* gif, const GifByteType* buffer, int length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), buffer, buffer + length);
    return length;
}

struct ReaderCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

struct WriterCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};

[[noreturn]] void fail(const std::string& path, const std::string& reason)
{
    throw std::runtime_error(path + ": " + reason);
}

std::string gifReason(int error)
{
    const char* text = GifErrorString(error);
    return text ? text : "GIF error " + std::to_string(error);
}

void check(int result, GifFileType* gif, const std::string& path)
{
    if (result == GIF_ERROR)
        fail(path, gifReason(gif->Error));
}

// Writes extension blocks as giflib keeps them: a block with a function code opens an extension
// and the continuation blocks after it belong to it.
void putExtensions(GifFileType* out, const ExtensionBlock* blocks, int count, const std::string& path)
{
    for (int i = 0; i < count;) {
        check(EGifPutExtensionLeader(out, blocks[i].Function), out, path);
        check(EGifPutExtensionBlock(out, blocks[i].ByteCount, blocks[i].Bytes), out, path);
        for (++i; i < count && blocks[i].Function == CONTINUE_EXT_FUNC_CODE; ++i)
            check(EGifPutExtensionBlock(out, blocks[i].ByteCount, blocks[i].Bytes), out, path);
        check(EGifPutExtensionTrailer(out), out, path);
    }
}

std::vector<std::uint8_t> turnedGifBytes(const std::vector<std::uint8_t>& bytes, const std::string& source,
                                         int rotation)
{
    MemoryReader reader{&bytes};
    int error = 0;
    std::unique_ptr<GifFileType, ReaderCloser> gif(DGifOpen(&reader, readGif, &error));
    if (!gif)
        fail(source, gifReason(error));
    check(DGifSlurp(gif.get()), gif.get(), source);
    if (gif->ImageCount < 1)
        fail(source, "no picture in the file");

    // Frames may reach beyond the logical screen; the turned screen holds them all.
    int screenWidth = gif->SWidth;
    int screenHeight = gif->SHeight;
    for (int i = 0; i < gif->ImageCount; ++i) {
        const GifImageDesc& d = gif->SavedImages[i].ImageDesc;
        if (d.Width < 1 || d.Height < 1 || !gif->SavedImages[i].RasterBits)
            fail(source, "empty frame");
        screenWidth = std::max(screenWidth, d.Left + d.Width);
        screenHeight = std::max(screenHeight, d.Top + d.Height);
    }
    Bitmap::checkSize(screenWidth, screenHeight);
    const bool quarter = rotation == 1 || rotation == 2;

    std::vector<std::uint8_t> result;
    std::unique_ptr<GifFileType, WriterCloser> out(EGifOpen(&result, writeGif, &error));
    if (!out)
        fail(source, gifReason(error));
    EGifSetGifVersion(out.get(), true);
    check(EGifPutScreenDesc(out.get(), quarter ? screenHeight : screenWidth, quarter ? screenWidth : screenHeight,
                            gif->SColorResolution, gif->SBackGroundColor, gif->SColorMap),
          out.get(), source);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& frame = gif->SavedImages[i];
        const GifImageDesc& d = frame.ImageDesc;
        putExtensions(out.get(), frame.ExtensionBlocks, frame.ExtensionBlockCount, source);
        const auto size = static_cast<std::size_t>(d.Width) * static_cast<std::size_t>(d.Height);
        const std::vector<std::uint8_t> raster(frame.RasterBits, frame.RasterBits + size);
        std::vector<std::uint8_t> turned = turnPixels(raster, d.Width, d.Height, 1, rotation);
        // The frame's corner moves with the turn of the whole screen.
        int left = d.Left;
        int top = d.Top;
        int width = d.Width;
        int height = d.Height;
        if (rotation == 1) {
            left = d.Top;
            top = screenWidth - d.Left - d.Width;
        } else if (rotation == 2) {
            left = screenHeight - d.Top - d.Height;
            top = d.Left;
        } else {
            left = screenWidth - d.Left - d.Width;
            top = screenHeight - d.Top - d.Height;
        }
        if (quarter)
            std::swap(width, height);
        check(EGifPutImageDesc(out.get(), left, top, width, height, false, d.ColorMap), out.get(), source);
        for (int y = 0; y < height; ++y)
            check(EGifPutLine(out.get(), turned.data() + static_cast<std::size_t>(y) * width, width), out.get(),
                  source);
    }
    putExtensions(out.get(), gif->ExtensionBlocks, gif->ExtensionBlockCount, source);
    GifFileType* finished = out.release();
    if (EGifCloseFile(finished, &error) == GIF_ERROR)
        fail(source, gifReason(error));
    return result;
}

} // namespace

void writeTurnedGif(const std::string& source, const std::string& target, int rotation)
{
    if (rotation < 1 || rotation > 3)
        fail(source, "unknown rotation " + std::to_string(rotation));
    const std::vector<std::uint8_t> bytes = turnedGifBytes(readFileBytes(source), source, rotation);
    std::ofstream file(target, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        std::remove(target.c_str());
        fail(target, "cannot write the file");
    }
}

} // namespace pictaven
