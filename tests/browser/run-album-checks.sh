#!/usr/bin/env bash
# Generates albums of several kinds with pictaven-cli from photos made here, then opens every page
# of each in headless Chromium (check-album.mjs): pages load without script errors, every picture
# loads with a size, every link, image-map area and list-box entry leads to an existing page. The
# responsive album is also checked at every width, in its viewer and for accessibility
# (check-responsive.mjs).
#
# usage: run-album-checks.sh PICTAVEN_CLI
set -euo pipefail
cli=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PICTAVEN_HOME=$work/home/

# Names with blanks, quotes, ampersands and non-ASCII letters; names a browser would read as a
# scheme or a folder, a Latin-1 name that is not UTF-8; web and non-web formats; a photo turned by
# its camera tag.
photos="$work/My Photos"
mkdir -p "$photos"
convert -size 320x240 gradient:orange-navy "$photos/beach day.jpg"
convert -seed 7 -size 240x320 plasma:fractal "$photos/Mom's & Dad's.JPG"
convert -size 300x300 gradient:red-blue "$photos/café.png"
convert -size 200x150 gradient:white-black "$photos/dune.gif"
convert -size 400x300 gradient:purple-pink "$photos/scan \"old\".tif"
convert -size 256x192 gradient:cyan-brown "$photos/night.jpeg"
convert -size 180x240 gradient:gray-teal "$photos/plain.bmp"
# A phone's portrait photo: stored wide, with the camera tag that turns it upright.
convert -size 320x240 gradient:white-green "$photos/phone upright.jpg"
exiftool -q -overwrite_original -n -Orientation=6 "$photos/phone upright.jpg"
# A photo wider than a phone's window, and one as phones save them.
convert -size 1600x1000 gradient:yellow-blue "$photos/wide.jpg"
convert -size 400x300 gradient:pink-olive "$work/made.png" && heif-enc -q 60 "$work/made.png" -o "$photos/phone.heic" >/dev/null
# ImageMagick reads "photo:" as a format of its own, so these are renamed into place.
convert -size 200x200 gradient:green-yellow "$work/made.jpg" && mv "$work/made.jpg" "$photos/photo:1.jpg"
convert -size 210x160 gradient:blue-white "$work/made.jpg" && mv "$work/made.jpg" "$photos/x\\y.jpg"
convert -size 160x210 gradient:red-gray "$work/made.jpg" && mv "$work/made.jpg" "$photos/"$'caf\xe9 latin.jpg'
# A photo of the same name as one above, from another folder, and the catalog's other files.
mkdir -p "$work/Other" "$work/Extras"
convert -size 330x250 gradient:black-orange "$work/Other/beach day.jpg"
convert -size 32x32 pattern:checkerboard "$work/made.png" && mv "$work/made.png" "$work/Extras/tex:ture #1.png"
convert -size 32x32 pattern:bricks "$work/made.gif" && mv "$work/made.gif" "$work/Extras/"$'pav\xe9.gif'
printf 'MThd\0\0\0\6\0\0\0\1\0\140MTrk\0\0\0\4\0\377\57\0' >"$work/Extras/my song:1.mid"

set_key() { python3 "$here/set-key.py" "$@"; }

# Prints the name of the first picture template shipped with the program.
first_picture_template() {
  local bmp
  for bmp in "$PICTAVEN_HOME"ALBUMS/*.[bB][mM][pP]; do
    [[ -e "$bmp" ]] || continue
    basename "${bmp%.*}"
    return
  done
  echo "no picture template in ${PICTAVEN_HOME}ALBUMS" >&2
  return 1
}

failures=0
# check NAME [--template T] -- SECTION KEY VALUE ...
check() {
  local name=$1; shift
  local template_args=()
  if [[ ${1:-} == --template ]]; then template_args=(--template "$2"); shift 2; fi
  [[ ${1:-} == -- ]] && shift
  local catalog="$work/$name.CAT" output="$work/out-$name"
  "$cli" new-catalog "$catalog" --photos "$photos" "${template_args[@]}" --title "Tom & Jerry's <Album>"
  while (($# >= 3)); do set_key "$catalog" "$1" "$2" "$3"; shift 3; done
  echo "== $name"
  if ! "$cli" generate "$catalog" --output "$output"; then
    echo "FAILED: $name: generation failed"; failures=$((failures + 1)); return
  fi
  if ! node "$here/check-album.mjs" "$output" phone_upright; then
    echo "FAILED: $name: the browser found broken pages"; failures=$((failures + 1))
  fi
}

# Start the program folder once so that the shipped templates are there.
"$cli" new-catalog "$work/probe.CAT" --photos "$photos" >/dev/null
template=$(first_picture_template)
# Let every test photo in, also the formats that generation converts to JPEG.
set_key "${PICTAVEN_HOME}settings.ini" Vardle FileMask '*.jpg;*.jpeg;*.gif;*.png;*.tif;*.bmp;*.heic'

photo_count=13
# The catalog's own photos, then the photo of the same name, its audio and the two textures.
extras=(Files "Source_File_$((photo_count + 1))" "$work/Other/beach day.jpg"
  Files AudioFile_2 "$work/Extras/my song:1.mid"
  Preferences "Background Image" "$work/Extras/tex:ture #1.png"
  Preferences "Thumbnail Background Image" "$work/Extras/"$'pav\xe9.gif')
check basic-text-buttons -- Appearance ButtonType 0 Appearance MultiWindow 0 \
  Size "Thumbnails Per Row" 2 Size "Rows Per Page" 1 "${extras[@]}"
grep -q "Source_File_$photo_count=" "$work/basic-text-buttons.CAT" || { echo "FAILED: not every photo made it into the catalog"; exit 1; }
# Blanks become "_" (Substitutions is on by default).
for file in beach_day_2.jpg jpg_beach_day_2.htm thumb_jpg_beach_day_2.jpg "my_song:1.mid" "tex:ture_#1.png"; do
  [[ -f "$work/out-basic-text-buttons/$file" ]] || { echo "FAILED: $file is not in the album"; failures=$((failures + 1)); }
done
check basic-frames-picture-buttons-slideshow -- \
  Appearance MultiWindow 1 Appearance ButtonType 3 Appearance DisplaySlideShow 1 \
  "FTP Appearance" "Resize Image Type" 1 "Generate Options" Resample 1 "${extras[@]}"
check picture-template --template "$template" -- Appearance MultiWindow 0 Appearance ButtonType 10 "${extras[@]}"
check picture-template-frames-slideshow --template "$template" -- \
  Appearance MultiWindow 1 Appearance ButtonType 0 Appearance DisplaySlideShow 1 \
  "FTP Appearance" "Soft Edge" 1 "FTP Appearance" "Watermark Type" 1 "FTP Appearance" "Watermark Text" "(c) Tom"
# The responsive template, and what a visitor's browser does with it at every width.
check responsive --template Responsive -- Appearance MultiWindow 0 "${extras[@]}"
if ! node "$here/check-responsive.mjs" "$work/out-responsive" myalbum.htm wide.jpg; then
  echo "FAILED: responsive: the viewer or the layout does not work"; failures=$((failures + 1))
fi

# Videos beside a photo of the same name: a clip to copy, a phone's portrait HEVC clip turned by
# its display matrix with the place it was shot, and a clip that fades in from black.
clips="$work/Clips"
mkdir -p "$clips"
pattern=(-f lavfi -i testsrc2=size=320x180:rate=30:duration=3 -f lavfi -i sine=frequency=440:duration=3)
h264=(-c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac)
make_clip() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }
convert -size 320x240 gradient:orange-navy "$clips/IMG_0001.jpg"
make_clip "${pattern[@]}" "${h264[@]}" -movflags +faststart "$clips/land.mp4"
make_clip "${pattern[@]}" -vf fade=in:0:45 "${h264[@]}" "$clips/fade.mp4"
make_clip "${pattern[@]}" -c:v libx265 -x265-params log-level=error -tag:v hvc1 -c:a aac "$work/unturned.mov"
make_clip -i "$work/unturned.mov" -map 0 -c copy -metadata:s:v:0 rotate=90 -metadata location=+48.8584+002.2945/ \
  -metadata com.apple.quicktime.location.ISO6709=+48.8584+002.2945/ -movflags use_metadata_tags "$clips/IMG_0001.MOV"
# check_videos NAME [--template T]: the album of the photo and the clips, every clip played.
check_videos() {
  local name=$1; shift
  local catalog="$work/$name.CAT" output="$work/out-$name"
  "$cli" new-catalog "$catalog" --photos "$clips" "$@" --title "Clips"
  # Listed whatever the file mask takes in, after the photo.
  set_key "$catalog" Files Source_File_1 "$clips/IMG_0001.jpg"
  set_key "$catalog" Files Source_File_2 "$clips/land.mp4"
  set_key "$catalog" Files Source_File_3 "$clips/IMG_0001.MOV"
  set_key "$catalog" Files Source_File_4 "$clips/fade.mp4"
  set_key "$catalog" Files Source_File_5 ""
  set_key "$catalog" Appearance MultiWindow 0
  echo "== $name"
  if ! "$cli" generate "$catalog" --output "$output"; then
    echo "FAILED: $name: generation failed"; failures=$((failures + 1)); return
  fi
  if ! node "$here/check-album.mjs" "$output"; then
    echo "FAILED: $name: the browser found broken pages"; failures=$((failures + 1))
  fi
  local index=()
  [[ $name == *responsive* ]] && index=(myalbum.htm)
  if ! node "$here/check-videos.mjs" "$output" IMG_0001 "${index[@]}"; then
    echo "FAILED: $name: a video does not play as its page says"; failures=$((failures + 1))
  fi
  local file
  for file in "$output"/*; do
    if ffprobe -hide_banner -loglevel error -show_format -show_streams "$file" 2>/dev/null |
      grep -qiE 'TAG:location|ISO6709'; then
      echo "FAILED: $name: $(basename "$file") says where it was shot"; failures=$((failures + 1))
    fi
  done
}
check_videos videos-basic
check_videos videos-picture-template --template "$template"
check_videos videos-responsive --template Responsive

if ((failures > 0)); then
  echo "$failures album(s) broken"
  exit 1
fi
echo "every album works in the browser"
