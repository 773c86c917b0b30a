#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Pictaven need, when missing.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config ccache clang-format
  # core libraries (libssl-dev: FTPS; libssh-dev: SFTP; libexiv2-dev: photo metadata)
  libssl-dev libssh-dev libjpeg62-turbo-dev libpng-dev libgif-dev libtiff-dev libheif-dev libwebp-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-liberation
  libexiv2-dev
  # videos: FFmpeg's libraries probe them and take their poster frames; its program converts them
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev ffmpeg
  # desktop program
  qt6-base-dev qt6-base-dev-tools libgl-dev
  # tests and benchmarks
  libgtest-dev libbenchmark-dev clang libclang-rt-14-dev xvfb xauth libjpeg-turbo-progs
  # reference decoder for the picture readers' tests, and the metadata tool that checks what photos carry
  imagemagick libimage-exiftool-perl
  # make the HEIC, AVIF and WebP test pictures
  libheif-examples webp
  # checks the desktop entry, the AppStream file and the manual pages, and builds the Debian package
  desktop-file-utils appstream groff-base dpkg-dev file
  # FTP servers that the network tests start on loopback; Pure-FTPd refuses listings with a pattern
  python3-pyftpdlib ftp-proxy pure-ftpd
  # pyftpdlib's TLS server for the FTPS tests, and the tool that makes its certificate
  python3-openssl openssl
  # OpenSSH's server for the SFTP tests, and ssh-keygen and ssh-agent for their keys
  openssh-server openssh-client
  # headless browser that opens generated albums
  chromium
)
# The browser tests drive Chromium from Node.js; a machine that has its own Node.js keeps it.
command -v node >/dev/null && command -v npm >/dev/null || packages+=(nodejs npm)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
# The tests start their own Pure-FTPd on loopback; the one the package starts on port 21 of every
# address is not wanted.
if [[ " ${missing[*]} " == *" pure-ftpd "* && -d /run/systemd/system ]]; then
  $sudo systemctl disable --now pure-ftpd 2>/dev/null || true
fi
