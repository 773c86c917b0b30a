#include "decoders/VideoInput.h"

#include "imaging/Bitmap.h"
#include "imaging/DecoderError.h"
#include "imaging/InputFile.h"

#include <cerrno>
#include <cmath>
#include <limits>
#include <mutex>
#include <vector>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libavutil/mem.h>
}

namespace pictaven {
namespace {

constexpr int kBufferBytes = 64 * 1024;
constexpr std::int64_t kProbeBytes = 8 * 1024 * 1024;
constexpr std::int64_t kAnalyzeMicroseconds = 5 * std::int64_t{AV_TIME_BASE};
constexpr std::size_t kLeadingBytes = 64;
// FFmpeg's names of the demuxers for MP4/QuickTime and Matroska/WebM.
constexpr const char* kDemuxers = "mov,mp4,m4a,3gp,3g2,mj2,matroska,webm";

std::string ffmpegMessage(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return text;
}

// The most FFmpeg may take in one allocation: a hostile header can ask for tables of billions of
// entries, while the largest frame and the index of a clip of many hours stay well below this.
constexpr std::size_t kLargestAllocation = std::size_t{256} * 1024 * 1024;

void setUpLibraries()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // FFmpeg reports on standard error by default; our messages name the file instead.
        av_log_set_level(AV_LOG_QUIET);
        av_max_alloc(kLargestAllocation);
    });
}

} // namespace

VideoInput::VideoInput(const std::string& path, std::chrono::seconds timeLimit)
    : m_path(path)
{
    setUpLibraries();
    m_source.deadline = std::chrono::steady_clock::now() + timeLimit;
    // A video may be far larger than a picture: it is read in parts, never whole.
    InputFile file(path, std::numeric_limits<std::int64_t>::max());
    m_source.size = file.size();
    m_source.file = file.releaseStream();
    try {
        open();
        findStreams();
    } catch (...) {
        release();
        throw;
    }
}

VideoInput::~VideoInput()
{
    release();
}

void VideoInput::release()
{
    avformat_close_input(&m_format);
    if (m_io)
        av_freep(&m_io->buffer);
    avio_context_free(&m_io);
    if (m_source.file)
        std::fclose(m_source.file);
    m_source.file = nullptr;
}

int VideoInput::readPacket(void* opaque, std::uint8_t* buffer, int size)
{
    auto& source = *static_cast<Source*>(opaque);
    if (std::chrono::steady_clock::now() > source.deadline)
        return AVERROR_EXIT;
    const std::size_t got = std::fread(buffer, 1, static_cast<std::size_t>(size), source.file);
    if (got > 0)
        return static_cast<int>(got);
    return std::ferror(source.file) ? AVERROR(EIO) : AVERROR_EOF;
}

std::int64_t VideoInput::seek(void* opaque, std::int64_t offset, int whence)
{
    auto& source = *static_cast<Source*>(opaque);
    if (whence & AVSEEK_SIZE)
        return source.size;
    if (::fseeko(source.file, offset, whence & ~AVSEEK_FORCE) != 0)
        return AVERROR(errno);
    return ::ftello(source.file);
}

int VideoInput::interrupted(void* opaque)
{
    return std::chrono::steady_clock::now() > static_cast<Source*>(opaque)->deadline ? 1 : 0;
}

bool VideoInput::pastDeadline() const
{
    return std::chrono::steady_clock::now() > m_source.deadline;
}

void VideoInput::fail(const std::string& reason, int error) const
{
    if (pastDeadline())
        throw DecoderError(m_path, "reading it took too long");
    throw DecoderError(m_path, reason + " (" + ffmpegMessage(error) + ")");
}

void VideoInput::open()
{
    m_leadingBytes.resize(kLeadingBytes);
    m_leadingBytes.resize(std::fread(m_leadingBytes.data(), 1, kLeadingBytes, m_source.file));
    std::rewind(m_source.file);

    auto* buffer = static_cast<std::uint8_t*>(av_malloc(kBufferBytes));
    if (buffer)
        m_io = avio_alloc_context(buffer, kBufferBytes, 0, &m_source, readPacket, nullptr, seek);
    if (!m_io) {
        av_free(buffer);
        throw DecoderError(m_path, "out of memory");
    }
    m_format = avformat_alloc_context();
    if (!m_format)
        throw DecoderError(m_path, "out of memory");
    m_format->pb = m_io;
    m_format->flags |= AVFMT_FLAG_CUSTOM_IO;
    m_format->interrupt_callback = {interrupted, &m_source};
    m_format->probesize = kProbeBytes;
    m_format->max_analyze_duration = kAnalyzeMicroseconds;
    m_format->format_whitelist = av_strdup(kDemuxers);
    // On failure avformat_open_input frees the context it was given.
    if (const int error = avformat_open_input(&m_format, nullptr, nullptr, nullptr); error < 0)
        fail("damaged, or not a video this program reads", error);
}

void VideoInput::findStreams()
{
    // The sizes the container declares are refused before any decoder sees them; the decoders
    // that find_stream_info runs on the first frames take no frame beyond the limit either.
    const unsigned streams = m_format->nb_streams;
    for (unsigned i = 0; i < streams; ++i) {
        if (m_format->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
            checkFrameSize(*m_format->streams[i]);
    }
    std::vector<AVDictionary*> options(streams, nullptr);
    for (AVDictionary*& streamOptions : options)
        av_dict_set_int(&streamOptions, "max_pixels", MaxPixels, 0);
    const int found = avformat_find_stream_info(m_format, options.data());
    for (AVDictionary*& streamOptions : options)
        av_dict_free(&streamOptions);
    if (found < 0)
        fail("damaged, or not a video this program reads", found);

    const int video = av_find_best_stream(m_format, AVMEDIA_TYPE_VIDEO, -1, -1, &m_decoder, 0);
    if (video == AVERROR_DECODER_NOT_FOUND)
        throw DecoderError(m_path, "no decoder for its video is installed");
    if (video < 0)
        fail("holds no video", video);
    m_video = m_format->streams[video];
    const int audio = av_find_best_stream(m_format, AVMEDIA_TYPE_AUDIO, -1, video, nullptr, 0);
    if (audio >= 0)
        m_audio = m_format->streams[audio];

    if (m_video->codecpar->width <= 0 || m_video->codecpar->height <= 0)
        throw DecoderError(m_path, "its video has no picture size");
    checkFrameSize(*m_video);
}

void VideoInput::checkFrameSize(const AVStream& stream) const
{
    const std::int64_t width = stream.codecpar->width;
    const std::int64_t height = stream.codecpar->height;
    if (width > Bitmap::MaxSide || height > Bitmap::MaxSide || width * height > MaxPixels)
        throw DecoderError(m_path, "its frames of " + std::to_string(width) + " x " + std::to_string(height) +
                                       " pixels are larger than this program reads");
}

int VideoInput::rotation() const
{
    const auto* matrix =
        reinterpret_cast<const std::int32_t*>(av_stream_get_side_data(m_video, AV_PKT_DATA_DISPLAYMATRIX, nullptr));
    if (!matrix)
        return 0;
    const double counterClockwise = av_display_rotation_get(matrix);
    if (std::isnan(counterClockwise))
        return 0;
    // The nearest quarter turn, clockwise.
    const int quarters = static_cast<int>(std::lround(-counterClockwise / 90.0));
    return ((quarters % 4) + 4) % 4 * 90;
}

} // namespace pictaven
