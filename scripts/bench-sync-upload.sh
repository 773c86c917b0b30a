#!/usr/bin/env bash
# Sync upload of a large album to pyftpdlib on 127.0.0.1.
#
#   scripts/bench-sync-upload.sh [COUNT]
#
# Makes an album of COUNT photos (default 200): copies of ../shared/photos beside the clone under
# distinct names, a catalog with the settings of bench-large-album.sh, the album generated. Then
# uploads it once without --sync, for comparison, and three times with it, printing for each run
# the seconds, the files sent and the bytes of photos sent: the first sync upload (which finds no
# record), a second one of the unchanged album, and a third after one photo was replaced by another
# picture and the album generated again, with the names of the files that third run sent. Uses pictaven-cli from
# $PICTAVEN_BUILD_DIR (default build).
set -euo pipefail
cd "$(dirname "$0")/.."

count=${1:-200}
photos=$(realpath ../shared/photos)
build=${PICTAVEN_BUILD_DIR:-build}
[[ -x "$build/src/cli/pictaven-cli" ]] || { echo "build pictaven-cli in $build first" >&2; exit 2; }
cli=$(realpath "$build/src/cli/pictaven-cli")

work=$(mktemp -d)
server=
cleanup() {
  [[ -n "$server" ]] && kill "$server" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export PICTAVEN_HOME="$work/home"

mapfile -t sources < <(find "$photos" -maxdepth 1 -type f -iname '*.jpg' | sort)
[[ ${#sources[@]} -gt 1 ]] || { echo "too few JPEG photos in $photos" >&2; exit 2; }
mkdir -p "$work/album" "$work/ftp"
for ((i = 0; i < count; i++)); do
  cp "${sources[i % ${#sources[@]}]}" "$work/album/photo$(printf '%04d' "$i").jpg"
done

port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
/usr/bin/python3 -m pyftpdlib -i 127.0.0.1 -p "$port" -w -d "$work/ftp" -u bench -P "bench pw" \
  >"$work/server.log" 2>&1 &
server=$!
for _ in $(seq 100); do
  /usr/bin/python3 -c "import socket; socket.create_connection(('127.0.0.1', $port), 1)" 2>/dev/null && break
  sleep 0.1
done

catalog="$work/album.CAT"
"$cli" new-catalog "$catalog" --photos "$work/album" --title "Sync bench" >/dev/null
for key in "Resize Image Type=1" "New Photo Width=600" "New Photo Height=400" "Resample=1" \
  "ThumbWidth=80" "ThumbHeight=80" "Shadow=1"; do
  sed -i "s/^${key%%=*}=[^\r]*/${key}/" "$catalog"
done
printf 'bench pw\n' | "$cli" profile bench.prf --host 127.0.0.1 --port "$port" --user bench --password \
  --ftp-folder / >/dev/null
out="$work/out"
generate() { "$cli" generate "$catalog" --output "$out" >"$work/generate.log" 2>&1 || { cat "$work/generate.log" >&2; exit 1; }; }
generate

# One upload with the options after the title: seconds, files sent, bytes of photos sent (photo
# files, not thumbnails).
upload() {
  local title=$1 start end
  shift
  start=$(date +%s.%N)
  "$cli" upload "$catalog" --profile bench.prf --output "$out" --verbose "$@" >"$work/upload.log" 2>&1 ||
    { cat "$work/upload.log" >&2; exit 1; }
  end=$(date +%s.%N)
  sed -n 's/^  PUT //p' "$work/upload.log" >"$work/sent"
  local bytes=0 name
  while IFS= read -r name; do
    [[ "$name" == photo*.jpg ]] && bytes=$((bytes + $(stat -c %s "$out/$name")))
  done <"$work/sent"
  printf '%-34s %8.2f %7d %14d\n' "$title" "$(echo "$end - $start" | bc)" "$(wc -l <"$work/sent")" "$bytes"
}

printf '%-34s %8s %7s %14s\n' run seconds files "photo bytes"
upload "plain upload ($count photos)"
upload "first sync upload" --sync
upload "second sync, nothing changed" --sync
cp "${sources[1]}" "$work/album/photo0000.jpg"
generate
upload "third sync, photo0000 replaced" --sync
echo "files the third upload sent:"
sed 's/^/  /' "$work/sent"
