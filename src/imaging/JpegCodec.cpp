#include "imaging/JpegCodec.h"

#include "imaging/DecoderError.h"
#include "imaging/InputFile.h"

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

// jpeglib.h must come first: it sets the options that decide which messages jerror.h declares.
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

// Everything that touches libjpeg lives in this file. libjpeg reports errors through a callback
// that must not return; ours longjmps back to the one function that drives the library, which
// holds no C++ objects of its own, and the caller turns the failure into an exception.

namespace pictaven {
namespace {

// A hostile progressive file can carry thousands of tiny scans and keep the decoder busy for
// minutes; real photographs use about ten.
constexpr int MaxProgressiveScans = 500;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void failWith(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void errorExit(j_common_ptr cinfo)
{
    failWith(cinfo);
}

// Warnings that mean pixels are missing or wrong stop the decode: a truncated or damaged photo
// must not be published as a half-grey picture. Harmless ones (stray bytes between markers, an
// unknown JFIF revision) are ignored, and nothing is ever printed.
void emitMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return;
    switch (cinfo->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
        failWith(cinfo);
    default:
        break;
    }
}

void outputMessage(j_common_ptr) { }

void limitScans(j_common_ptr cinfo)
{
    auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (cinfo->is_decompressor && dinfo->input_scan_number > MaxProgressiveScans) {
        std::snprintf(reinterpret_cast<ErrorManager*>(cinfo->err)->message, JMSG_LENGTH_MAX,
                      "Too many scans in progressive JPEG (more than %d)", MaxProgressiveScans);
        std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
    }
}

void installErrorManager(ErrorManager& err)
{
    jpeg_std_error(&err.pub);
    err.pub.error_exit = errorExit;
    err.pub.emit_message = emitMessage;
    err.pub.output_message = outputMessage;
    err.message[0] = '\0';
}

struct FileCloser {
    std::FILE* file = nullptr;
    ~FileCloser()
    {
        if (file)
            std::fclose(file);
    }
};

std::runtime_error failure(const std::string& path, const std::string& message)
{
    return std::runtime_error(path + ": " + message);
}

// Where the compressed bytes come from.
struct Source {
    std::FILE* file = nullptr;
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;           // of the file or the data
    std::unique_ptr<char[]> buffer; // the file's, when it has one of its own
};

enum class Reading { Header, Whole };

// Only a regular file of a picture's size is read: a named pipe or a device would otherwise
// stall the program or feed it bytes without end. The file must be closed before the source
// goes.
Source openForReading(const std::string& path, Reading reading)
{
    InputFile input(path);
    Source source;
    source.size = static_cast<std::size_t>(input.size());
    source.file = input.releaseStream();
    if (reading == Reading::Whole) {
        // libjpeg asks for 4 KB at a time, which a stream of the usual buffer size turns into
        // one system call each.
        constexpr std::size_t BufferBytes = 64 * 1024;
        source.buffer.reset(new char[BufferBytes]);
        std::setvbuf(source.file, source.buffer.get(), _IOFBF, BufferBytes);
    }
    return source;
}

std::FILE* openForWriting(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw failure(path, std::strerror(errno));
    return file;
}

struct Decoder {
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    jpeg_progress_mgr progress{};
    // The whole picture, or with a band reader the band being decoded.
    Bitmap bitmap;
    std::vector<JSAMPLE> inkRow;
    const JpegBandReader* bands = nullptr; // not owned; null to decode the whole picture

    Decoder()
    {
        cinfo.err = &err.pub;
        installErrorManager(err);
        progress.progress_monitor = limitScans;
    }
    ~Decoder() { jpeg_destroy_decompress(&cinfo); }
};

void setSource(Decoder& d, const Source& source)
{
    if (source.file)
        jpeg_stdio_src(&d.cinfo, source.file);
    else
        jpeg_mem_src(&d.cinfo, source.data, static_cast<unsigned long>(source.size));
}

// Ink amounts to light. Adobe's writers store CMYK inverted (0 = full ink), and every file with
// an Adobe marker is taken to be such a file; without the marker the values are plain ink.
void inkRowToBgr(const JSAMPLE* ink, std::uint8_t* bgr, int width, bool inverted)
{
    for (int x = 0; x < width; ++x, ink += 4, bgr += 3) {
        const unsigned k = inverted ? ink[3] : 255u - ink[3];
        for (int c = 0; c < 3; ++c) {
            const unsigned value = inverted ? ink[c] : 255u - ink[c];
            bgr[2 - c] = static_cast<std::uint8_t>((value * k + 127) / 255);
        }
    }
}

// Returns false when libjpeg failed; the message is then in d.err.message. Holds no objects
// with destructors, so the longjmp out of libjpeg skips nothing that needs cleaning up. Throws
// std::length_error for a picture too large to hold.
bool runDecode(Decoder& d, const Source& source, bool headerOnly)
{
    if (setjmp(d.err.jump))
        return false;
    jpeg_create_decompress(&d.cinfo);
    setSource(d, source);
    jpeg_read_header(&d.cinfo, TRUE);
    if (headerOnly)
        return true;

    Bitmap::checkSize(d.cinfo.image_width, d.cinfo.image_height);
    if (!d.cinfo.arith_code) {
        // Huffman coding spends at least one bit on each block of a component in its first
        // scan, so a file with fewer bits than the smallest component has blocks is cut short.
        // It is refused before memory for the picture is taken.
        std::uint64_t blocks = std::numeric_limits<std::uint64_t>::max();
        for (int c = 0; c < d.cinfo.num_components; ++c) {
            const jpeg_component_info& component = d.cinfo.comp_info[c];
            blocks =
                std::min<std::uint64_t>(blocks, std::uint64_t{component.width_in_blocks} * component.height_in_blocks);
        }
        if (source.size < leastEncodedBytes(blocks, 8)) {
            std::snprintf(d.err.message, JMSG_LENGTH_MAX, "truncated JPEG file");
            std::longjmp(d.err.jump, 1);
        }
    }
    const bool ink = d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK;
    d.cinfo.out_color_space = ink ? JCS_CMYK : JCS_EXT_BGR;
    d.cinfo.progress = &d.progress;
    jpeg_start_decompress(&d.cinfo);

    const int width = static_cast<int>(d.cinfo.output_width);
    const int height = static_cast<int>(d.cinfo.output_height);
    // Several rows per call let libjpeg-turbo upsample and convert in bigger blocks; a band is
    // filled completely before it is handed on, so that its reader works on many rows at once.
    constexpr int Batch = 16;
    constexpr int BandRows = 64;
    if (d.bands)
        d.bands->start({width, height});
    d.bitmap = Bitmap(width, d.bands ? std::min(BandRows, height) : height, 24);
    if (ink)
        d.inkRow.resize(static_cast<std::size_t>(width) * 4);
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        const int first = static_cast<int>(d.cinfo.output_scanline);
        // A band is decoded into the top rows of the band bitmap.
        const int top = d.bands ? 0 : first;
        const int wanted = std::min(d.bands ? BandRows : Batch, height - first);
        int count = 0;
        while (count < wanted) {
            if (ink) {
                JSAMPROW row = d.inkRow.data();
                if (jpeg_read_scanlines(&d.cinfo, &row, 1) != 1)
                    break;
                inkRowToBgr(d.inkRow.data(), d.bitmap.row(top + count), width, d.cinfo.saw_Adobe_marker);
                ++count;
            } else {
                JSAMPROW rows[Batch];
                const int ask = std::min(Batch, wanted - count);
                for (int i = 0; i < ask; ++i)
                    rows[i] = d.bitmap.row(top + count + i);
                const auto got = static_cast<int>(jpeg_read_scanlines(&d.cinfo, rows, static_cast<JDIMENSION>(ask)));
                if (got == 0)
                    break;
                count += got;
            }
        }
        if (count == 0) {
            // Only a suspending data source returns no rows; ours never do, but a loop that
            // waited for rows would then never end.
            std::snprintf(d.err.message, JMSG_LENGTH_MAX, "The decoder gave no rows at row %d", first);
            std::longjmp(d.err.jump, 1);
        }
        if (d.bands)
            d.bands->band(d.bitmap, first, count);
    }
    jpeg_finish_decompress(&d.cinfo);
    return true;
}

Bitmap decode(const Source& source, const std::string& name, const JpegBandReader* bands = nullptr)
{
    Decoder d;
    d.bands = bands;
    bool decoded = false;
    try {
        decoded = runDecode(d, source, false);
    } catch (const std::length_error& e) {
        throw failure(name, e.what());
    } catch (const std::bad_alloc&) {
        throw failure(name, "not enough memory for the picture");
    }
    if (!decoded)
        throw failure(name, d.err.message);
    return std::move(d.bitmap);
}

struct Encoder {
    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    // Where libjpeg puts the compressed bytes; its own allocation, grown as it writes.
    unsigned char* bytes = nullptr;
    unsigned long size = 0;

    Encoder()
    {
        cinfo.err = &err.pub;
        installErrorManager(err);
    }
    ~Encoder()
    {
        jpeg_destroy_compress(&cinfo);
        std::free(bytes);
    }
};

bool runEncode(Encoder& e, const Bitmap& bitmap, int quality)
{
    if (setjmp(e.err.jump))
        return false;
    jpeg_create_compress(&e.cinfo);
    jpeg_mem_dest(&e.cinfo, &e.bytes, &e.size);
    e.cinfo.image_width = static_cast<JDIMENSION>(bitmap.width());
    e.cinfo.image_height = static_cast<JDIMENSION>(bitmap.height());
    e.cinfo.input_components = bitmap.bytesPerPixel();
    e.cinfo.in_color_space = bitmap.bytesPerPixel() == 4 ? JCS_EXT_BGRX : JCS_EXT_BGR;
    jpeg_set_defaults(&e.cinfo);
    jpeg_set_quality(&e.cinfo, quality, TRUE);
    jpeg_start_compress(&e.cinfo, TRUE);
    while (e.cinfo.next_scanline < e.cinfo.image_height) {
        // libjpeg's interface is not const-correct; it only reads the rows.
        JSAMPROW row = const_cast<JSAMPROW>(bitmap.row(static_cast<int>(e.cinfo.next_scanline)));
        jpeg_write_scanlines(&e.cinfo, &row, 1);
    }
    jpeg_finish_compress(&e.cinfo);
    return true;
}

} // namespace

Bitmap readJpeg(const std::string& path)
{
    const Source source = openForReading(path, Reading::Whole);
    FileCloser file{source.file};
    return decode(source, path);
}

void readJpegBands(const std::string& path, const JpegBandReader& reader)
{
    const Source source = openForReading(path, Reading::Whole);
    FileCloser file{source.file};
    decode(source, path, &reader);
}

Bitmap decodeJpeg(const std::uint8_t* data, std::size_t size, const std::string& nameForMessages)
{
    Source source;
    source.data = data;
    source.size = size;
    return decode(source, nameForMessages);
}

namespace {

ImageSize headerSize(const Source& source, const std::string& name)
{
    Decoder d;
    if (!runDecode(d, source, true))
        throw failure(name, d.err.message);
    return {static_cast<int>(d.cinfo.image_width), static_cast<int>(d.cinfo.image_height)};
}

} // namespace

ImageSize readJpegSize(const std::string& path)
{
    const Source source = openForReading(path, Reading::Header);
    FileCloser file{source.file};
    return headerSize(source, path);
}

ImageSize decodeJpegSize(const std::uint8_t* data, std::size_t size, const std::string& nameForMessages)
{
    Source source;
    source.data = data;
    source.size = size;
    return headerSize(source, nameForMessages);
}

std::string encodeJpeg(const Bitmap& bitmap, int quality)
{
    if (bitmap.empty())
        throw std::runtime_error("cannot write an empty picture as JPEG");
    Encoder e;
    if (!runEncode(e, bitmap, quality))
        throw std::runtime_error(e.err.message);
    return std::string(reinterpret_cast<const char*>(e.bytes), e.size);
}

void writeJpeg(const Bitmap& bitmap, const std::string& path, int quality)
{
    std::string bytes;
    try {
        bytes = encodeJpeg(bitmap, quality);
    } catch (const std::runtime_error& error) {
        throw failure(path, error.what());
    }
    FileCloser file{openForWriting(path)};
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.file) == bytes.size();
    int error = written ? 0 : errno;
    // A full disk may only show when the buffered bytes are flushed.
    if (std::fclose(file.file) != 0 && error == 0)
        error = errno;
    file.file = nullptr;
    if (error != 0) {
        // A half-written JPEG would later pass for a photo; leave no file instead.
        std::remove(path.c_str());
        throw failure(path, std::strerror(error));
    }
}

} // namespace pictaven
