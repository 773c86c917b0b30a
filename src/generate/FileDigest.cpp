#include "generate/FileDigest.h"

#include "ini/IoError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <openssl/evp.h>
#include <vector>

namespace pictaven
{

namespace
{

// `feed` hands the bytes to the function it is given, in as many pieces as it likes.
std::string sha256Of(const std::function<void(const std::function<void(const void*, std::size_t)>&)>& feed,
    const std::string& what)
{
    std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX*)> context(::EVP_MD_CTX_new(), &::EVP_MD_CTX_free);
    if (!context || ::EVP_DigestInit_ex(context.get(), ::EVP_sha256(), nullptr) != 1)
        throw IoError("Unable to read " + what + ": no SHA-256 digest available");
    feed([&](const void* data, std::size_t size) { ::EVP_DigestUpdate(context.get(), data, size); });
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    ::EVP_DigestFinal_ex(context.get(), digest, &length);
    static constexpr char hex[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < length; ++i) {
        text += hex[digest[i] >> 4];
        text += hex[digest[i] & 15];
    }
    return text;
}

} // namespace

std::string fileSha256(const std::string& path)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file)
        throw IoError("Unable to read " + path + ": " + std::strerror(errno));
    return sha256Of(
        [&](const std::function<void(const void*, std::size_t)>& update) {
            std::vector<unsigned char> chunk(1 << 16);
            for (;;) {
                const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
                if (got > 0)
                    update(chunk.data(), got);
                if (got < chunk.size())
                    break;
            }
            if (std::ferror(file.get()))
                throw IoError("Unable to read " + path);
        },
        path);
}

std::string textSha256(std::string_view bytes)
{
    return sha256Of(
        [&](const std::function<void(const void*, std::size_t)>& update) {
            update(bytes.data(), bytes.size());
        },
        "a text");
}

} // namespace pictaven
