#include "decoders/PictureFormats.h"
#include "decoders/VideoFile.h"
#include "decoders/VideoInput.h"
#include "ini/AsciiCase.h"

#include <cstdio>
#include <ctime>
#include <string_view>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
}

// Everything probing learns from FFmpeg is read in this file.

namespace pictaven {
namespace {

constexpr std::chrono::seconds kProbeTime{20};

using Tags = std::vector<std::pair<std::string, std::string>>;

Tags tagsOf(const AVDictionary* dictionary)
{
    Tags tags;
    const AVDictionaryEntry* entry = nullptr;
    while ((entry = av_dict_get(dictionary, "", entry, AV_DICT_IGNORE_SUFFIX)))
        tags.emplace_back(entry->key, entry->value);
    return tags;
}

std::string tagValue(const AVDictionary* dictionary, const char* key)
{
    const AVDictionaryEntry* entry = av_dict_get(dictionary, key, nullptr, 0);
    return entry ? entry->value : "";
}

// "location", "location-eng", "com.apple.quicktime.location.ISO6709", GPS coordinates and the like.
bool saysWhere(const AVDictionary* dictionary)
{
    for (const auto& [key, value] : tagsOf(dictionary)) {
        const std::string lowered = asciiLower(key);
        if (!value.empty() &&
            (lowered.find("location") != std::string::npos || lowered.find("gps") != std::string::npos))
            return true;
    }
    return false;
}

std::string codecName(const AVStream* stream)
{
    if (!stream)
        return {};
    switch (stream->codecpar->codec_id) {
    case AV_CODEC_ID_H264:
        return "H.264";
    case AV_CODEC_ID_HEVC:
        return "HEVC";
    case AV_CODEC_ID_VP8:
        return "VP8";
    case AV_CODEC_ID_VP9:
        return "VP9";
    case AV_CODEC_ID_AV1:
        return "AV1";
    case AV_CODEC_ID_PRORES:
        return "ProRes";
    case AV_CODEC_ID_MJPEG:
        return "MJPEG";
    case AV_CODEC_ID_MPEG4:
        return "MPEG-4";
    case AV_CODEC_ID_AAC:
        return "AAC";
    case AV_CODEC_ID_OPUS:
        return "Opus";
    case AV_CODEC_ID_VORBIS:
        return "Vorbis";
    case AV_CODEC_ID_MP3:
        return "MP3";
    case AV_CODEC_ID_AC3:
        return "AC-3";
    case AV_CODEC_ID_EAC3:
        return "E-AC-3";
    case AV_CODEC_ID_FLAC:
        return "FLAC";
    case AV_CODEC_ID_ALAC:
        return "ALAC";
    default:
        return asciiUpper(avcodec_get_name(stream->codecpar->codec_id));
    }
}

// The ISO brands of MP4 and M4V files; QuickTime's is "qt  ".
bool isoBrand(const std::string& majorBrand)
{
    const std::string brand = asciiLower(majorBrand);
    return brand.starts_with("mp4") || brand.starts_with("m4v") || brand.starts_with("iso") ||
           brand.starts_with("avc") || brand.starts_with("dash");
}

// A Matroska file names its kind in its EBML header's DocType element (ID 42 82), "webm" or
// "matroska".
bool webmDocType(const std::string& leadingBytes)
{
    return leadingBytes.find("\x42\x82\x84webm") != std::string::npos;
}

struct Container {
    std::string name;
    bool isoMp4 = false;
};

Container containerOf(const VideoInput& input)
{
    const std::string_view demuxer = input.format()->iformat->name;
    if (demuxer.starts_with("matroska"))
        return {webmDocType(input.leadingBytes()) ? "WebM" : "Matroska", false};
    const std::string brand = tagValue(input.format()->metadata, "major_brand");
    if (isoBrand(brand))
        return {"MP4", true};
    return {"QuickTime", false};
}

double durationOf(const VideoInput& input)
{
    if (input.format()->duration != AV_NOPTS_VALUE && input.format()->duration > 0)
        return static_cast<double>(input.format()->duration) / AV_TIME_BASE;
    const AVStream* video = input.videoStream();
    if (video->duration != AV_NOPTS_VALUE && video->duration > 0)
        return static_cast<double>(video->duration) * av_q2d(video->time_base);
    return 0;
}

// "2024-05-01T12:34:56.000000Z", or with an offset ("+0200", "+02:00") as Apple writes its
// creation date; without either it is taken as UTC, as MP4 stores it. 0 when it is no such text.
std::int64_t secondsSinceEpoch(const std::string& text)
{
    std::tm parts{};
    int consumed = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%*1[T ]%2d:%2d:%2d%n", &parts.tm_year, &parts.tm_mon, &parts.tm_mday,
                    &parts.tm_hour, &parts.tm_min, &parts.tm_sec, &consumed) != 6 ||
        consumed == 0)
        return 0;
    parts.tm_year -= 1900;
    parts.tm_mon -= 1;
    std::int64_t seconds = ::timegm(&parts);
    std::size_t at = static_cast<std::size_t>(consumed);
    if (at < text.size() && text[at] == '.') {
        while (++at < text.size() && text[at] >= '0' && text[at] <= '9') { }
    }
    int hours = 0;
    int minutes = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-') &&
        (std::sscanf(text.c_str() + at + 1, "%2d:%2d", &hours, &minutes) == 2 ||
         std::sscanf(text.c_str() + at + 1, "%2d%2d", &hours, &minutes) == 2)) {
        const int offset = (hours * 60 + minutes) * 60;
        seconds -= text[at] == '+' ? offset : -offset;
    }
    return seconds > 0 ? seconds : 0;
}

std::int64_t creationTimeOf(const VideoInput& input)
{
    for (const char* key : {"creation_time", "com.apple.quicktime.creationdate"}) {
        if (const std::int64_t seconds = secondsSinceEpoch(tagValue(input.format()->metadata, key)))
            return seconds;
    }
    return secondsSinceEpoch(tagValue(input.videoStream()->metadata, "creation_time"));
}

bool hasLocation(const VideoInput& input)
{
    if (saysWhere(input.format()->metadata))
        return true;
    for (unsigned i = 0; i < input.format()->nb_streams; ++i) {
        if (saysWhere(input.format()->streams[i]->metadata))
            return true;
    }
    return false;
}

} // namespace

bool isVideoPath(const std::string& path)
{
    const PictureFormat* format = pictureFormatFor(path);
    return format && isVideoFormat(*format);
}

VideoFacts probeVideo(const std::string& path)
{
    const VideoInput input(path, kProbeTime);
    const AVCodecParameters& video = *input.videoStream()->codecpar;
    VideoFacts facts;
    const Container container = containerOf(input);
    facts.container = container.name;
    facts.isoMp4 = container.isoMp4;
    facts.videoCodec = codecName(input.videoStream());
    facts.audioCodec = codecName(input.audioStream());
    if (const char* name = av_get_pix_fmt_name(static_cast<AVPixelFormat>(video.format)))
        facts.pixelFormat = name;
    facts.durationSeconds = durationOf(input);
    facts.coded = {video.width, video.height};
    facts.rotation = input.rotation();
    facts.shown = facts.rotation % 180 == 0 ? facts.coded : ImageSize{video.height, video.width};
    facts.creationTime = creationTimeOf(input);
    facts.hasLocation = hasLocation(input);
    facts.tags = tagsOf(input.format()->metadata);
    return facts;
}

ImageSize readVideoSize(const std::string& path)
{
    return probeVideo(path).shown;
}

} // namespace pictaven
