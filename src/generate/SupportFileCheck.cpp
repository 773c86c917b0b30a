#include "generate/SupportFileCheck.h"

#include "decoders/PictureLoader.h"
#include "generate/HtmlText.h"
#include "imaging/DecoderError.h"
#include "imaging/InputFile.h"
#include "ini/AsciiCase.h"
#include "ini/Utf8Text.h"

#include <cstdint>
#include <exception>
#include <filesystem>
#include <cstdio>
#include <limits>
#include <string_view>

namespace pictaven {

namespace {

namespace fs = std::filesystem;

std::string extensionOf(const std::string& path)
{
    return asciiLower(fs::path(path).extension().string());
}

// Up to `count` bytes from the start of the file; fewer when it is shorter. Opened as pictures
// are, so a file swapped for a pipe after the check above cannot block. Throws DecoderError.
std::string firstBytes(const std::string& path, std::size_t count)
{
    InputFile file(path, std::numeric_limits<std::int64_t>::max());
    std::FILE* stream = file.releaseStream();
    std::string bytes(count, '\0');
    bytes.resize(std::fread(bytes.data(), 1, count, stream));
    std::fclose(stream);
    return bytes;
}

bool at(std::string_view bytes, std::size_t offset, std::string_view expected)
{
    return bytes.size() >= offset + expected.size() && bytes.substr(offset, expected.size()) == expected;
}

// MPEG audio frame sync: eleven set bits (an MP3 without an ID3 tag, or AAC in ADTS frames).
bool frameSync(std::string_view bytes)
{
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xff &&
           (static_cast<unsigned char>(bytes[1]) & 0xe0) == 0xe0;
}

bool audioSignature(const std::string& extension, std::string_view bytes)
{
    static constexpr std::string_view asfGuid{"\x30\x26\xb2\x75\x8e\x66\xcf\x11\xa6\xd9\x00\xaa\x00\x62\xce\x6c", 16};
    if (extension == ".mp3")
        return at(bytes, 0, "ID3") || frameSync(bytes);
    if (extension == ".aac")
        return frameSync(bytes);
    if (extension == ".wav")
        return at(bytes, 0, "RIFF") && at(bytes, 8, "WAVE");
    if (extension == ".mid" || extension == ".midi")
        return at(bytes, 0, "MThd");
    if (extension == ".ogg" || extension == ".oga" || extension == ".opus")
        return at(bytes, 0, "OggS");
    if (extension == ".flac")
        return at(bytes, 0, "fLaC");
    if (extension == ".au" || extension == ".snd")
        return at(bytes, 0, ".snd");
    if (extension == ".aif" || extension == ".aiff" || extension == ".aifc")
        return at(bytes, 0, "FORM") && (at(bytes, 8, "AIFF") || at(bytes, 8, "AIFC"));
    if (extension == ".wma")
        return at(bytes, 0, asfGuid);
    if (extension == ".m4a")
        return at(bytes, 4, "ftyp");
    return false;
}

bool cssText(std::string_view text)
{
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t' && c != '\n' && c != '\f' && c != '\r') || byte == 0x7f)
            return false;
    }
    return isUtf8(text);
}

} // namespace

std::string SupportFileCheck::refusal(const std::string& path, Kind kind)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status))
        return "The file " + path + " does not exist; the album is made without it.";
    const std::uintmax_t size = fs::is_regular_file(status) ? fs::file_size(path, error) : 0;
    if (!fs::is_regular_file(status) || error)
        return "The file " + path + " is not copied into the album: it is not a plain file that can be read.";
    try {
        return kindRefusal(path, kind, size);
    } catch (const DecoderError&) {
        return "The file " + path + " is not copied into the album: it is not a plain file that can be read.";
    }
}

std::string SupportFileCheck::kindRefusal(const std::string& path, Kind kind, std::uintmax_t size)
{
    switch (kind) {
    case Kind::StyleSheet:
        if (extensionOf(path) != ".css" || size > static_cast<std::uintmax_t>(maxStyleSheetBytes) ||
            !cssText(firstBytes(path, static_cast<std::size_t>(size))))
            return "The style sheet " + path + " is not copied into the album: a style sheet must be a text file "
                   "named *.css of at most 1 MB.";
        return {};
    case Kind::Picture:
        try {
            loadPicture(path);
        } catch (const std::exception& failure) {
            return "The picture " + path + " is not copied into the album: it is not a picture this program reads (" +
                   failure.what() + ").";
        }
        return {};
    case Kind::Audio:
        if (!audioSignature(extensionOf(path), firstBytes(path, 16)))
            return "The audio file " + path + " is not copied into the album: it must be an audio file (MP3, AAC, "
                   "WAV, MIDI, Ogg, FLAC, AU, AIFF, WMA or M4A) whose contents match its extension.";
        return {};
    }
    return {};
}

} // namespace pictaven
