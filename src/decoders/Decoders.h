#pragma once

#include "imaging/Bitmap.h"
#include "imaging/ImageSize.h"

#include <cstdint>
#include <span>
#include <string>

namespace pictaven {

// One reader per picture format, each decoding a whole file held in memory into a new 24-bit
// bitmap. `name` is the file's path: every failure (damaged or hostile data, a size beyond the
// Bitmap limits, a variant the reader does not handle) throws DecoderError, a
// std::runtime_error whose message starts with `name`. No reader writes anything or keeps a
// reference to the bytes. Before a reader takes memory for the whole picture, the bytes must be
// able to hold it: too few for the size the header claims are refused as a truncated file.
//
// Each format also has a size reader, read<Format>Size, which reads and checks only the header
// and gives the size decoding would give; it throws like the decoder for a damaged header or a
// size beyond the Bitmap limits.

// JPEG through libjpeg (the codec of imaging/JpegCodec).
Bitmap decodeJpegFile(std::span<const std::uint8_t> data, const std::string& name);
ImageSize readJpegFileSize(std::span<const std::uint8_t> data, const std::string& name);

// Windows bitmaps .bmp/.dib/.rle: 1, 4, 8, 16, 24 and 32 bits, RLE4 and RLE8, bit fields,
// bottom-up and top-down; also a .dib without its file header.
Bitmap decodeBmp(std::span<const std::uint8_t> data, const std::string& name);
ImageSize readBmpSize(std::span<const std::uint8_t> data, const std::string& name);

// ZSoft PCX: 1 to 8 bits in one plane, 16-colour planar, 24-bit (and a 4th plane ignored).
Bitmap decodePcx(std::span<const std::uint8_t> data, const std::string& name);
ImageSize readPcxSize(std::span<const std::uint8_t> data, const std::string& name);

// Truevision Targa: colour-mapped, true colour and grey, raw or RLE, either origin.
Bitmap decodeTga(std::span<const std::uint8_t> data, const std::string& name);
ImageSize readTgaSize(std::span<const std::uint8_t> data, const std::string& name);

// Photoshop .psd/.pdd (and .psb): the flattened composite image; bitmap, grey, duotone,
// indexed and RGB, 8 or 16 bits a channel (1 for bitmap mode), raw or RLE.
Bitmap decodePsd(std::span<const std::uint8_t> data, const std::string& name);
ImageSize readPsdSize(std::span<const std::uint8_t> data, const std::string& name);

// Netpbm P1 to P6 (PBM, PGM, PPM), ASCII or binary, any maxval up to 65535 scaled to 8 bits.
Bitmap decodePnm(std::span<const std::uint8_t> data, const std::string& name);
ImageSize readPnmSize(std::span<const std::uint8_t> data, const std::string& name);

// Autodesk Animator PIC/CEL (the 0x9119 format with its 6-bit VGA palette).
Bitmap decodeAnimatorPic(std::span<const std::uint8_t> data, const std::string& name);
ImageSize readAnimatorPicSize(std::span<const std::uint8_t> data, const std::string& name);

// Dr. Halo CUT with the bytes of its .PAL palette file, or greyscale when `paletteFile` is
// empty; `paletteName` names the palette file in messages.
Bitmap decodeCut(std::span<const std::uint8_t> data, const std::string& name,
                 std::span<const std::uint8_t> paletteFile, const std::string& paletteName);
// The same, with the palette file looked up beside `path` (same base name, extension .pal in
// any letter case); greyscale when there is none.
Bitmap decodeCutBesidePalette(std::span<const std::uint8_t> data, const std::string& path);
ImageSize readCutSize(std::span<const std::uint8_t> data, const std::string& name);

// Paint Shop Pro: the stored composite image, or the single raster layer of a one-layer file.
Bitmap decodePsp(std::span<const std::uint8_t> data, const std::string& name);
ImageSize readPspSize(std::span<const std::uint8_t> data, const std::string& name);

// PNG through libpng; transparency is composed over white.
Bitmap decodePng(std::span<const std::uint8_t> data, const std::string& name);
ImageSize readPngSize(std::span<const std::uint8_t> data, const std::string& name);

// GIF through giflib: the first frame on the logical screen, transparent pixels white.
Bitmap decodeGif(std::span<const std::uint8_t> data, const std::string& name);
ImageSize readGifSize(std::span<const std::uint8_t> data, const std::string& name);

// TIFF through libtiff: the first image, any layout libtiff's RGBA interface reads;
// transparency is composed over white.
Bitmap decodeTiff(std::span<const std::uint8_t> data, const std::string& name);
ImageSize readTiffSize(std::span<const std::uint8_t> data, const std::string& name);

// HEIF (.heic/.heif) and AVIF through libheif: the primary picture, turned and mirrored as the
// file says; transparency is composed over white. A compression whose decoder is not installed
// is refused by name.
Bitmap decodeHeif(std::span<const std::uint8_t> data, const std::string& name);
ImageSize readHeifSize(std::span<const std::uint8_t> data, const std::string& name);

// WebP through libwebp: a still picture or the first frame of an animation; transparency is
// composed over white.
Bitmap decodeWebp(std::span<const std::uint8_t> data, const std::string& name);
ImageSize readWebpSize(std::span<const std::uint8_t> data, const std::string& name);

// Windows metafiles .emf/.wmf: always throws, as no library here renders them.
Bitmap decodeMetafile(std::span<const std::uint8_t> data, const std::string& name);
ImageSize readMetafileSize(std::span<const std::uint8_t> data, const std::string& name);

} // namespace pictaven
