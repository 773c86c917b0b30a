#include "decoders/VideoFile.h"
#include "decoders/VideoInput.h"
#include "imaging/DecoderError.h"
#include "imaging/RotateBitmap.h"

#include <cmath>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

// Everything that decodes frames and converts their pixels lives in this file.

namespace pictaven {
namespace {

constexpr std::chrono::seconds kPosterTime{30};
// How far into the clip a poster is looked for, and bounds that hold for any timestamps.
constexpr double kSearchSeconds = 3;
constexpr int kMaxFrames = 240;
constexpr int kMaxPackets = 2000;
// A frame whose small grey copy is darker than this on average, or varies less than this
// around its average, is a black or flat frame, such as a fade-in starts with.
constexpr double kLeastMeanGrey = 40;
constexpr double kLeastGreySpread = 8;
// A fade-in (or a phone's exposure settling) goes on while a frame is brighter than the poster
// chosen so far by more than this, within a few frames.
constexpr double kFadeStep = 1;
constexpr int kSteadyFrames = 5;
constexpr int kSampleWidth = 64;
constexpr int kSampleHeight = 36;

struct CodecFree {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameFree {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketFree {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct ScalerFree {
    void operator()(SwsContext* scaler) const { sws_freeContext(scaler); }
};
using Frame = std::unique_ptr<AVFrame, FrameFree>;

Frame newFrame(const VideoInput& input)
{
    Frame frame(av_frame_alloc());
    if (!frame)
        throw DecoderError(input.path(), "out of memory");
    return frame;
}

std::unique_ptr<AVCodecContext, CodecFree> openDecoder(const VideoInput& input)
{
    const AVCodecParameters& parameters = *input.videoStream()->codecpar;
    const AVCodec* codec = input.videoDecoder();
    std::unique_ptr<AVCodecContext, CodecFree> decoder(avcodec_alloc_context3(codec));
    if (!decoder)
        throw DecoderError(input.path(), "out of memory");
    if (const int error = avcodec_parameters_to_context(decoder.get(), &parameters); error < 0)
        input.fail("its video cannot be decoded", error);
    decoder->max_pixels = VideoInput::MaxPixels;
    decoder->thread_count = 1;
    decoder->pkt_timebase = input.videoStream()->time_base;
    if (const int error = avcodec_open2(decoder.get(), codec, nullptr); error < 0)
        input.fail("its video cannot be decoded", error);
    return decoder;
}

// A scaler from the frame's pixels to `format` at the given size, with the frame's colour matrix
// and range, which phones' HD clips give as BT.709.
std::unique_ptr<SwsContext, ScalerFree> scalerFor(const VideoInput& input, const AVFrame& frame, int width, int height,
                                                  AVPixelFormat format)
{
    const auto source = static_cast<AVPixelFormat>(frame.format);
    if (!sws_isSupportedInput(source))
        throw DecoderError(input.path(), "its frames' pixel layout cannot be converted");
    std::unique_ptr<SwsContext, ScalerFree> scaler(sws_getContext(frame.width, frame.height, source, width, height,
                                                                  format, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!scaler)
        throw DecoderError(input.path(), "its frames' pixel layout cannot be converted");
    const int matrix = frame.colorspace == AVCOL_SPC_UNSPECIFIED ? SWS_CS_DEFAULT : frame.colorspace;
    const int* coefficients = sws_getCoefficients(matrix);
    const int fullRange = frame.color_range == AVCOL_RANGE_JPEG ? 1 : 0;
    sws_setColorspaceDetails(scaler.get(), coefficients, fullRange, coefficients, 1, 0, 1 << 16, 1 << 16);
    return scaler;
}

// The average and the spread around it of a small grey copy of the frame.
struct GreyLevels {
    double mean = 0;
    double spread = 0;
    // Neither black nor of one flat colour.
    bool showSomething() const { return mean >= kLeastMeanGrey && spread >= kLeastGreySpread; }
};

GreyLevels greyLevels(const VideoInput& input, const AVFrame& frame)
{
    const auto scaler = scalerFor(input, frame, kSampleWidth, kSampleHeight, AV_PIX_FMT_GRAY8);
    std::uint8_t grey[kSampleWidth * kSampleHeight];
    std::uint8_t* planes[4] = {grey, nullptr, nullptr, nullptr};
    int strides[4] = {kSampleWidth, 0, 0, 0};
    sws_scale(scaler.get(), frame.data, frame.linesize, 0, frame.height, planes, strides);
    double sum = 0;
    double squares = 0;
    for (const std::uint8_t value : grey) {
        sum += value;
        squares += static_cast<double>(value) * value;
    }
    const double count = sizeof grey;
    const double mean = sum / count;
    return {mean, std::sqrt(std::max(0.0, squares / count - mean * mean))};
}

Bitmap toBitmap(const VideoInput& input, const AVFrame& frame)
{
    checkPictureSize(frame.width, frame.height, input.path());
    if (static_cast<std::int64_t>(frame.width) * frame.height > VideoInput::MaxPixels)
        throw DecoderError(input.path(), "its frames are larger than this program reads");
    Bitmap picture(frame.width, frame.height);
    const auto scaler = scalerFor(input, frame, frame.width, frame.height, AV_PIX_FMT_BGR24);
    std::uint8_t* planes[4] = {picture.data(), nullptr, nullptr, nullptr};
    int strides[4] = {static_cast<int>(picture.stride()), 0, 0, 0};
    sws_scale(scaler.get(), frame.data, frame.linesize, 0, frame.height, planes, strides);
    return picture;
}

// The rotation code of rotateBitmap for a clockwise turn of so many degrees.
int bitmapRotation(int clockwiseDegrees)
{
    switch (clockwiseDegrees) {
    case 90:
        return 2;
    case 180:
        return 3;
    case 270:
        return 1;
    default:
        return 0;
    }
}

// Decodes the video stream from the start and keeps the frame that becomes the poster.
class PosterSearch {
public:
    explicit PosterSearch(const VideoInput& input)
        : m_input(input)
        , m_decoder(openDecoder(input))
        , m_frame(newFrame(input))
    {
    }

    // The chosen frame; nullptr when no frame could be decoded.
    const AVFrame* run()
    {
        std::unique_ptr<AVPacket, PacketFree> packet(av_packet_alloc());
        if (!packet)
            throw DecoderError(m_input.path(), "out of memory");
        const int stream = m_input.videoStream()->index;
        for (int packets = 0; packets < kMaxPackets && !m_done; ++packets) {
            const int read = av_read_frame(m_input.format(), packet.get());
            if (read < 0) {
                // The end of the file, or damage further in: the decoder gives what it still holds.
                avcodec_send_packet(m_decoder.get(), nullptr);
                receiveFrames();
                break;
            }
            if (packet->stream_index == stream && avcodec_send_packet(m_decoder.get(), packet.get()) >= 0)
                receiveFrames();
            av_packet_unref(packet.get());
        }
        return m_chosen ? m_chosen.get() : m_first.get();
    }

private:
    void receiveFrames()
    {
        while (!m_done && avcodec_receive_frame(m_decoder.get(), m_frame.get()) >= 0) {
            take(*m_frame);
            av_frame_unref(m_frame.get());
        }
    }

    void take(const AVFrame& frame)
    {
        const double seconds =
            frame.best_effort_timestamp == AV_NOPTS_VALUE
                ? 0
                : static_cast<double>(frame.best_effort_timestamp) * av_q2d(m_input.videoStream()->time_base);
        if (!m_first) {
            m_first = newFrame(m_input);
            av_frame_ref(m_first.get(), &frame);
            m_start = seconds;
        }
        // Of the frames that show something, the poster is the last that brightens the picture,
        // once a few frames in a row do not: where a fade-in ends.
        const GreyLevels levels = greyLevels(m_input, frame);
        if (levels.showSomething()) {
            if (!m_chosen || levels.mean > m_chosenMean + kFadeStep) {
                if (m_chosen)
                    av_frame_unref(m_chosen.get());
                else
                    m_chosen = newFrame(m_input);
                av_frame_ref(m_chosen.get(), &frame);
                m_chosenMean = levels.mean;
                m_steadyFrames = 0;
            } else if (++m_steadyFrames >= kSteadyFrames) {
                m_done = true;
                return;
            }
        }
        ++m_frames;
        if (m_frames >= kMaxFrames || seconds - m_start > kSearchSeconds || m_input.pastDeadline())
            m_done = true;
    }

    const VideoInput& m_input;
    std::unique_ptr<AVCodecContext, CodecFree> m_decoder;
    Frame m_frame;
    Frame m_first;
    Frame m_chosen;
    double m_chosenMean = 0;
    int m_steadyFrames = 0;
    double m_start = 0;
    int m_frames = 0;
    bool m_done = false;
};

} // namespace

Bitmap decodeVideoPoster(const std::string& path)
{
    const VideoInput input(path, kPosterTime);
    // Only the video stream's packets are wanted from the file.
    for (unsigned i = 0; i < input.format()->nb_streams; ++i) {
        if (input.format()->streams[i] != input.videoStream())
            input.format()->streams[i]->discard = AVDISCARD_ALL;
    }
    PosterSearch search(input);
    const AVFrame* frame = search.run();
    if (!frame) {
        if (input.pastDeadline())
            throw DecoderError(path, "reading it took too long");
        throw DecoderError(path, "damaged: no frame of its video could be decoded");
    }
    Bitmap poster = toBitmap(input, *frame);
    if (const int rotation = bitmapRotation(input.rotation())) {
        Bitmap upright;
        rotateBitmap(poster, upright, rotation);
        return upright.withDepth(24);
    }
    return poster;
}

} // namespace pictaven
