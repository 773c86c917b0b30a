#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace pictaven {

// A regular file opened for reading, after following symbolic links. Opening never waits: the
// file is opened without blocking and then judged by what was opened, not by its name, so a
// named pipe, a device, a socket or a folder is refused and nothing can be swapped in between.
// A file larger than the limit is refused before anything is read. Every failure throws
// DecoderError "<path>: <reason>". Owns the descriptor until it is handed on.
class InputFile {
public:
    // Largest file read as a picture (or a picture's palette): room for an uncompressed 24-bit
    // picture of about 178 million pixels, close to the largest picture a Bitmap may hold.
    static constexpr std::int64_t MaxPictureBytes = std::int64_t{512} * 1024 * 1024;

    explicit InputFile(const std::string& path, std::int64_t maxBytes = MaxPictureBytes);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Size in bytes when the file was opened.
    std::int64_t size() const { return m_size; }

    // The whole content; a file that has grown past the limit meanwhile is refused.
    std::vector<std::uint8_t> readAll();

    // Hands the descriptor over as a stdio stream, which the caller then closes.
    std::FILE* releaseStream();

private:
    std::string m_path;
    std::int64_t m_maxBytes;
    std::int64_t m_size = 0;
    int m_fd = -1;
};

} // namespace pictaven
