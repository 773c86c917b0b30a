#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

struct AVCodec;
struct AVFormatContext;
struct AVIOContext;
struct AVStream;

namespace pictaven {

// A video file opened for FFmpeg's demuxers within fixed bounds: only a regular file (see
// InputFile), read through this object rather than by FFmpeg opening names itself, only the
// MP4/QuickTime and Matroska/WebM demuxers, a few megabytes and seconds of probing, and a
// deadline after which every read fails. Its headers are read and its best video stream, whose
// frames must fit the Bitmap limits and MaxPixels and for which a decoder is installed, is
// found. Every failure throws DecoderError "<path>: <reason>".
class VideoInput {
public:
    // Largest frame a video may have: room for the 8K of the largest cameras, while a decoder's
    // reference frames of that size still fit in a few hundred megabytes.
    static constexpr std::int64_t MaxPixels = std::int64_t{8192} * 4320;

    // `timeLimit` bounds everything done through this object, from opening on.
    VideoInput(const std::string& path, std::chrono::seconds timeLimit);
    ~VideoInput();
    VideoInput(const VideoInput&) = delete;
    VideoInput& operator=(const VideoInput&) = delete;

    const std::string& path() const { return m_path; }
    AVFormatContext* format() const { return m_format; }
    AVStream* videoStream() const { return m_video; }
    // The decoder of the video stream's frames.
    const AVCodec* videoDecoder() const { return m_decoder; }
    // The best sound stream; nullptr for a silent clip.
    AVStream* audioStream() const { return m_audio; }
    // The first bytes of the file, which tell Matroska's kinds apart.
    const std::string& leadingBytes() const { return m_leadingBytes; }

    // Clockwise degrees (0, 90, 180 or 270) that show the video stream's frames upright, from
    // its display matrix.
    int rotation() const;

    bool pastDeadline() const;

    // Throws DecoderError naming the file, with FFmpeg's message for `error` in brackets.
    [[noreturn]] void fail(const std::string& reason, int error) const;

private:
    // What FFmpeg's reads go through; its address is handed to FFmpeg.
    struct Source {
        std::FILE* file = nullptr;
        std::int64_t size = 0;
        std::chrono::steady_clock::time_point deadline;
    };

    static int readPacket(void* opaque, std::uint8_t* buffer, int size);
    static std::int64_t seek(void* opaque, std::int64_t offset, int whence);
    static int interrupted(void* opaque);

    void open();
    void release();
    void findStreams();
    // Throws for frames beyond the Bitmap limits or MaxPixels.
    void checkFrameSize(const AVStream& stream) const;

    std::string m_path;
    Source m_source;
    std::string m_leadingBytes;
    AVIOContext* m_io = nullptr;
    AVFormatContext* m_format = nullptr;
    AVStream* m_video = nullptr;
    const AVCodec* m_decoder = nullptr;
    AVStream* m_audio = nullptr;
};

} // namespace pictaven
