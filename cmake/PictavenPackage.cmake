# `cpack -G DEB` turns what `cmake --install` lays out into a Debian package installed below /usr.
set(CPACK_PACKAGE_NAME pictaven)
set(CPACK_PACKAGE_VENDOR "Pictaven developers")
set(CPACK_PACKAGE_CONTACT "Pictaven developers <pictaven@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "make web photo albums and publish them by FTP")
set(CPACK_PACKAGE_DESCRIPTION
    "Pictaven turns a set of digital photographs into a self-contained web photo album and publishes it to a web server by FTP, FTPS or SFTP, step by step in one window. The pictaven-cli command makes catalogs and generates and uploads albums without a display.")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps names the libraries the programs link (Qt, libjpeg, FreeType, fontconfig,
# OpenSSL, libssh...). Pure-FTPd, the other FTP servers and sshd are only started by the tests:
# the package needs none.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Videos are published by running the ffmpeg program, which no library linking can name; its
# libraries come with it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS ffmpeg)
# The templates ask for Helvetica, which fontconfig finds as Liberation Sans.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)

include(CPack)
