#!/usr/bin/env bash
# Retakes the pictures of the help pages at scale 1: help-pictures.sh SCREENSHOTS_PROGRAM
# PHOTO_FOLDER HELP_PICTURE_FOLDER. The windows run in an empty home folder, so that the folder
# trees show the sample album and nothing of the machine they were taken on.
set -euo pipefail
program=$1 photos=$2 target=$3

base=$(mktemp -d -t pictaven.XXXXXX)
trap 'rm -rf "$base"' EXIT
home=$base/home
mkdir -p "$home/Pictures/Holiday" "$base/tmp" "$base/shots"
mkdir -m 700 "$base/run"
cp "$photos"/*.jpg "$home/Pictures/Holiday/"
HOME="$home" TMPDIR="$base/tmp" XDG_RUNTIME_DIR="$base/run" QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=1 \
  "$program" "$base/shots" "$home/Pictures/Holiday" "$home/Web/Holiday" >/dev/null
for picture in "$base"/shots/*.png; do
  case $(basename "$picture") in
    about.png | help.png) ;; # no help page shows these
    *) cp "$picture" "$target/" ;;
  esac
done
