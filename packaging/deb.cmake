# The Debian package (cpack -G DEB in a build tree; scripts/package does it all).
set(CPACK_PACKAGE_NAME sondrix)
set(CPACK_PACKAGE_VENDOR Sondrix)
set(SONDRIX_PACKAGE_MAINTAINER "Sondrix developers <maintainers@sondrix.invalid>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${SONDRIX_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer and converter for oscilloscope waveform captures")
# The summary above is the first line of the Description field; this is the text under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Sondrix reads the binary WFM captures and the CSV/TXT waveform files of a
four-channel digital storage oscilloscope. Its window shows up to four channels
on a 10 x 8 division graticule with zoom, cursors and smoothing, plays the
captures of a folder in turn and stores the displayed waveform as CSV. The
command sondrix-convert turns captures into CSV files in batch.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)

# The Qt libraries come from dpkg-shlibdeps; what it cannot see is named here: the platform
# plugins Qt loads at start-up, a font with the Japanese glyphs of the window's labels, and
# Qt's own dialog and button texts in Japanese, which the window loads at start.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-noto-cjk, qt6-translations-l10n")
# The Python module is built for one Python version and hands out NumPy arrays.
if(TARGET sondrix_python)
  string(REPLACE "." ";" python_version "${SONDRIX_PYTHON_VERSION}")
  list(GET python_version 0 python_major)
  list(GET python_version 1 python_minor)
  math(EXPR python_next "${python_minor} + 1")
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", python3 (>= ${python_major}.${python_minor}), "
         "python3 (<< ${python_major}.${python_next}), python3-numpy")
endif()

set(CPACK_GENERATOR DEB)
include(CPack)
