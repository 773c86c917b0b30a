#!/usr/bin/env bash
# Rebuilds fuzz/seeds: the test fixtures (through fuzz_write_seeds of a fuzz build) and a few
# tiny pictures in other variants, written by ImageMagick from a sample photo.
#   fuzz/make-seeds.sh build-fuzz
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: fuzz/make-seeds.sh FUZZ_BUILD_FOLDER}
"$build/fuzz/fuzz_write_seeds" fuzz/seeds

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert tests/data/photos/opencv_board.jpg -resize 9x7! "$tmp/photo.ppm"
# Without their date chunks the files stay the same from one run to the next.
im() { convert "$tmp/photo.ppm" "${@:2}" -define png:exclude-chunks=date,time "fuzz/seeds/$1"; }
im bmp/rle4.bmp -colors 16 -compress RLE
im bmp/mono.bmp -monochrome
im bmp/rgb565.bmp -define bmp:subtype=RGB565
im pcx/mono.pcx -monochrome
im tga/grey-rle.tga -colorspace gray -compress RLE
im psd/grey.psd -colorspace gray
im pnm/grey.pgm -colorspace gray
im pnm/mono.pbm
im pnm/ascii.pbm -compress none
im png/palette.png -colors 20
im png/interlaced16.png -interlace PNG -depth 16
im gif/interlaced.gif -interlace GIF
im tif/zip.tif -compress zip
im tif/grey.tif -colorspace gray
im tif/jpeg.tif -compress jpeg
im tif/palette.tif -colors 20
im jpg/baseline.jpg -quality 80
im jpg/progressive.jpg -interlace JPEG -sampling-factor 2x1
im jpg/grey.jpg -colorspace gray
im jpg/cmyk.jpg -colorspace cmyk
# Phone formats, by the encoders their users' phones and tools stand in for.
convert "$tmp/photo.ppm" "$tmp/photo.png"
mkdir -p fuzz/seeds/heic fuzz/seeds/avif fuzz/seeds/webp
heif-enc -q 50 "$tmp/photo.png" -o fuzz/seeds/heic/photo.heic >/dev/null
heif-enc -A "$tmp/photo.png" -o fuzz/seeds/avif/photo.avif >/dev/null
cwebp -quiet "$tmp/photo.png" -o fuzz/seeds/webp/photo.webp
cwebp -quiet -lossless "$tmp/photo.png" -o fuzz/seeds/webp/lossless.webp
cp tests/data/phone/alpha.webp tests/data/phone/anim.webp fuzz/seeds/webp/
