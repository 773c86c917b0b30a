#!/usr/bin/env bash
# Installs a built tree into a scratch prefix, and unpacks its Debian package into a scratch root
# when dpkg-deb is there, and makes an album of a photo with each installed pictaven-cli. Neither
# touches the system. Usage: scripts/check-install.sh [BUILD_DIR]
set -euo pipefail
source=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$source/build}" && pwd)
photo="$source/tests/data/photos/opencv_board.jpg"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "check-install: $*" >&2
  exit 1
}

ui=$(sed -n 's/^PICTAVEN_BUILD_UI:BOOL=//p' "$build/CMakeCache.txt")
expected=(bin/pictaven-cli share/pictaven/ALBUMS/DEFAULT.CFG share/pictaven/NAVBUTS share/man/man1/pictaven-cli.1)
[[ "$ui" == ON ]] && expected+=(bin/pictaven share/applications/pictaven.desktop
  share/icons/hicolor/48x48/apps/pictaven.png share/metainfo/org.example.pictaven.metainfo.xml
  share/mime/packages/pictaven-catalog.xml share/man/man1/pictaven.1)

# Checks the layout below PREFIX, then makes a catalog and an album with its pictaven-cli in a
# fresh program folder. A file added to the installed data folder must be copied into the program
# folder: the program took its data from there and not from the source tree it was built from.
check_prefix() {
  local prefix=$1 work=$2
  for path in "${expected[@]}"; do
    [[ -e "$prefix/$path" ]] || fail "$prefix/$path was not installed"
  done
  local marker="installed-here-$RANDOM"
  touch "$prefix/share/pictaven/$marker"
  mkdir -p "$work/photos"
  cp "$photo" "$work/photos/"
  export PICTAVEN_HOME="$work/home"
  (cd "$work" && "$prefix/bin/pictaven-cli" new-catalog album.CAT --photos photos --title "Installed") >/dev/null
  (cd "$work" && "$prefix/bin/pictaven-cli" generate album.CAT --output album --jobs 1) >"$work/generate.log" \
    || { cat "$work/generate.log" >&2; fail "the installed pictaven-cli in $prefix did not generate the album"; }
  [[ -f "$work/home/$marker" ]] || fail "pictaven-cli in $prefix did not use the data in $prefix/share/pictaven"
  local index
  index=$(sed -n 's/^Photo Album URL : //p' "$work/generate.log")
  [[ "$index" == "$work/album/"* && -f "$index" ]] || fail "pictaven-cli in $prefix made no index page in $work/album"
  rm "$prefix/share/pictaven/$marker"
}

# Moved after installing, so the programs must find their data wherever the prefix is.
cmake --install "$build" --prefix "$scratch/installed" >/dev/null
mv "$scratch/installed" "$scratch/moved"
check_prefix "$scratch/moved" "$scratch/prefix-run"
if command -v groff >/dev/null; then
  for page in "$scratch"/moved/share/man/man1/*.1; do
    [[ -z "$(groff -man -ww -z "$page" 2>&1)" ]] || fail "$page has roff warnings: $(groff -man -ww -z "$page" 2>&1)"
  done
fi
if [[ "$ui" == ON ]] && command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --pedantic "$scratch/moved/share/metainfo/org.example.pictaven.metainfo.xml" >/dev/null \
    || fail "the AppStream metainfo file does not validate"
fi
if [[ "$ui" == ON ]]; then
  entry="$scratch/moved/share/applications/pictaven.desktop"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "the desktop entry does not validate"
  fi
  grep -q '^Exec=pictaven %f$' "$entry" || fail "the desktop entry does not pass the file it opens"
  grep -q '^MimeType=.*application/x-pictaven-catalog;' "$entry" || fail "the desktop entry does not open catalogs"
  # The installed definition makes .cat in any case a catalog, as the file manager will see it.
  if command -v update-mime-database >/dev/null; then
    cp -r "$scratch/moved/share/mime" "$scratch/mime"
    update-mime-database "$scratch/mime" >/dev/null 2>&1
    grep -qx 'application/x-pictaven-catalog' "$scratch/mime/types" \
      || fail "the MIME definition of catalogs does not load"
    grep -q '^[0-9]*:application/x-pictaven-catalog:\*\.cat$' "$scratch/mime/globs2" \
      || fail "the MIME definition does not match *.cat"
  fi
fi
# Every command that --help lists is described in the manual page.
for command in $("$scratch/moved/bin/pictaven-cli" --help | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p'); do
  grep -q "^\.BI\? ${command//-/\\\\-}\b" "$scratch/moved/share/man/man1/pictaven-cli.1" \
    || fail "the manual page of pictaven-cli does not describe its command $command"
done

if command -v dpkg-deb >/dev/null && command -v dpkg-shlibdeps >/dev/null; then
  cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/deb" >/dev/null
  deb=$(echo "$scratch"/deb/pictaven_*.deb)
  [[ -f "$deb" ]] || fail "cpack made no pictaven_*.deb"
  dpkg-deb -I "$deb"
  depends=$(dpkg-deb -f "$deb" Depends)
  for library in libjpeg62-turbo libpng16 libfreetype6 libfontconfig1; do
    [[ "$depends" == *"$library"* ]] || fail "the package does not depend on $library: $depends"
  done
  [[ "$ui" == ON && "$depends" != *libqt6widgets6* ]] && fail "the package does not depend on Qt's widgets: $depends"
  [[ "$depends" == *ffmpeg* ]] || fail "the package does not depend on ffmpeg, which publishes videos: $depends"
  [[ "$depends" == *pure-ftpd* ]] && fail "the package depends on Pure-FTPd, which only the tests use"
  # What `apt install ./pictaven_*.deb` would do, simulated: every dependency resolves to a
  # package of this system's archive.
  if command -v apt-get >/dev/null; then
    apt-get install --simulate "$deb" >"$scratch/apt.log" 2>&1 \
      || { cat "$scratch/apt.log" >&2; fail "apt cannot install $deb: its dependencies do not resolve"; }
  fi
  dpkg-deb -c "$deb" | grep -E ' \./usr/(bin|share/(applications|metainfo|man|mime))/' || true
  dpkg-deb -x "$deb" "$scratch/root"
  check_prefix "$scratch/root/usr" "$scratch/deb-run"
fi
echo "check-install: the installed programs found their data and made an album"
