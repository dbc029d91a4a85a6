#!/usr/bin/env bash
# Builds a static Qt base (Core, Gui, Widgets, PrintSupport) for 64-bit
# Windows with MinGW-w64 from Debian's own Qt source, once, and prints the
# install folder as the last line of standard output (all else goes to
# standard error):
#   QT=$(scripts/windows-qt.sh)
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DCMAKE_PREFIX_PATH="$QT" -DQT_HOST_PATH=/usr ...
# The install lands in ${XDG_CACHE_HOME:-~/.cache}/torvan-pc-encoder/windows/
# qt-<version>-<key>, the key hashing the version, the configure line, the
# toolchain file and the wintab shim, so changing any of them builds anew. A
# finished install holds .complete, written last; with it the script only
# prints the path. A failed build leaves its build folder, which the next run
# with the same key resumes. Debian ships no Qt for MinGW; the build takes
# 35-60 minutes on two cores, at the lowest priority.
set -euo pipefail
exec 3>&1 1>&2

checkout=$(cd "$(dirname "$0")/.." && pwd)
toolchain=$checkout/cmake/mingw-w64-x86_64.cmake
qt_version=6.4.2
source_package=qt6-base
cache=${XDG_CACHE_HOME:-$HOME/.cache}/torvan-pc-encoder/windows
host_cmake_dir=/usr/lib/$(uname -m)-linux-gnu/cmake

# The configure line, less -prefix and the toolchain's path (they are added
# below, and the key covers the toolchain's content instead):
#   configure -static -release -nomake tests -nomake examples -no-opengl
#     -no-feature-vulkan -no-dbus -no-icu -no-zstd -no-feature-network
#     -no-feature-sql -no-feature-xml -no-feature-concurrent
#     -no-feature-testlib -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg
#     -qt-freetype -qt-harfbuzz -qt-doubleconversion -direct2d
#     -qt-host-path /usr -prefix <install>
#     -- -DCMAKE_TOOLCHAIN_FILE=<toolchain> -DQT_HOST_PATH_CMAKE_DIR=<host cmake>
configure_args=(
  -static -release
  # Not shipped; building them would double the build time.
  -nomake tests -nomake examples
  # Widgets paint with QPainter through the raster engine; no GL windows.
  -no-opengl
  # Nothing renders through Vulkan, and MinGW has no Vulkan headers here.
  -no-feature-vulkan
  # D-Bus does not exist on Windows.
  -no-dbus
  # Windows' own locale and collation functions serve; ICU adds ~30 MB.
  -no-icu
  # No MinGW zstd; the host rcc then writes resources target Core can read.
  -no-zstd
  # The program does no network I/O.
  -no-feature-network
  # No database.
  -no-feature-sql
  # No DOM/SAX use (QXmlStreamReader, in Core, stays).
  -no-feature-xml
  # Threads are std::thread; QtConcurrent is unused.
  -no-feature-concurrent
  # The tests run on Linux against the host's Qt.
  -no-feature-testlib
  # Debian has no MinGW builds of these; bundled, the program stays one file.
  -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz
  -qt-doubleconversion
  # Kept on on purpose: without it 6.4.2's Windows plugin leaves DirectWrite
  # symbols undefined when a program links.
  -direct2d
  # moc, rcc, uic and the like are the host's (qt6-base-dev-tools); no Qt
  # tools are built for Windows.
  -qt-host-path /usr
)
cmake_args=(-DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir")

# Debian's repacked source drops src/3rdparty/wintab, which the Windows
# platform plugin includes for pen tablets. Wine's LGPL copies of wintab.h
# and pktdef.h (libwine-dev) serve once the two Wine-only name macros they
# use are defined for the plain Windows headers, and API, which the original
# header defines and Qt's plugin uses.
read -r -d '' wintab_shim <<'EOF' || true
/* Wine's wintab.h with the two Wine-only macros it relies on. */
#ifndef TORVAN_WINTAB_SHIM_H
#define TORVAN_WINTAB_SHIM_H
#include <windows.h>
#ifndef WINELIB_NAME_AW
#  ifdef UNICODE
#    define WINELIB_NAME_AW(name) name##W
#  else
#    define WINELIB_NAME_AW(name) name##A
#  endif
#endif
#ifndef DECL_WINELIB_TYPE_AW
#  define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;
#endif
/* The tablet vendor's header names the calling convention API; Qt uses it. */
#ifndef API
#  define API WINAPI
#endif
#include "wine-wintab.h"
#endif
EOF

key=$(
  {
    printf '%s\n' "$qt_version" "${configure_args[@]}" "${cmake_args[@]}" "$wintab_shim"
    cat "$toolchain"
  } | sha256sum | cut -c1-12
)
prefix=$cache/qt-$qt_version-$key
build=$cache/build-$qt_version-$key

if [ -f "$prefix/.complete" ]; then
  echo "$prefix" >&3
  exit 0
fi

# --- Packages --------------------------------------------------------------
run_as_root=()
[ "$(id -u)" -eq 0 ] || run_as_root=(sudo)
apt_get() {
  DEBIAN_FRONTEND=noninteractive "${run_as_root[@]}" apt-get -o DPkg::Lock::Timeout=900 "$@"
}
packages=(
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  libwine-dev
  cmake ninja-build perl
  qt6-base-dev qt6-base-dev-tools
  dpkg-dev xz-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt_get update -qq
  apt_get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# --- Source ----------------------------------------------------------------
# apt-get source needs a deb-src entry; add one for the distribution's own
# mirror unless one is configured already.
# shellcheck disable=SC1091 # the running system's file
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
index_targets() {
  # shellcheck disable=SC2016 # apt's own $(FIELD) placeholders
  apt-get indextargets --no-release-info --format '$(CREATED_BY) $(SITE) $(RELEASE) $(COMPONENT)'
}
if ! index_targets | grep -q "^Sources .* $codename main$"; then
  mirror=$(index_targets | awk -v s="$codename" '$1 == "Packages" && $3 == s && $4 == "main" { print $2; exit }')
  mirror=${mirror:-http://deb.debian.org/debian}
  echo "Adding a deb-src entry for $mirror $codename main"
  {
    echo "Types: deb-src"
    echo "URIs: $mirror"
    echo "Suites: $codename"
    echo "Components: main"
    if [ -f /usr/share/keyrings/debian-archive-keyring.gpg ]; then
      echo "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
    fi
  } | "${run_as_root[@]}" tee /etc/apt/sources.list.d/torvan-deb-src.sources >/dev/null
  apt_get update -qq
fi
source_version() {
  apt-cache showsrc "$source_package" 2>/dev/null |
    awk -v v="$qt_version" 'index($0, "Version: " v "+") == 1 || $0 == "Version: " v { print $2 }' |
    sort -V | tail -n 1
}
debian_version=$(source_version)
if [ -z "$debian_version" ]; then
  apt_get update -qq
  debian_version=$(source_version)
fi
if [ -z "$debian_version" ]; then
  echo "No source package $source_package $qt_version is available" >&2
  exit 1
fi

downloads=$cache/src
source_dir=$downloads/$source_package-$debian_version
mkdir -p "$downloads"
if [ ! -f "$source_dir/.unpacked" ]; then
  echo "Fetching $source_package $debian_version"
  (cd "$downloads" && apt-get source --download-only -qq "$source_package=$debian_version")
  rm -rf "$source_dir"
  # Unpacking applies Debian's patches, its security fixes among them.
  (cd "$downloads" && dpkg-source -x "$source_package"_"${debian_version#*:}".dsc "$source_dir" >/dev/null)
  touch "$source_dir/.unpacked"
fi

wine_wintab=$(dpkg -L libwine-dev | grep '/windows/wintab\.h$' | head -n 1)
wintab_dir=$source_dir/src/3rdparty/wintab
mkdir -p "$wintab_dir"
# Replaced only when changed, so a resumed build does not recompile for it.
put() {
  cmp -s "$1" "$2" || cp "$1" "$2"
}
put "$wine_wintab" "$wintab_dir/wine-wintab.h"
put "$(dirname "$wine_wintab")/pktdef.h" "$wintab_dir/pktdef.h"
printf '%s\n' "$wintab_shim" >"$wintab_dir/wintab.h.new"
put "$wintab_dir/wintab.h.new" "$wintab_dir/wintab.h"
rm "$wintab_dir/wintab.h.new"

# --- Build -----------------------------------------------------------------
configure=(
  "$source_dir/configure" "${configure_args[@]}" -prefix "$prefix"
  -- -DCMAKE_TOOLCHAIN_FILE="$toolchain" "${cmake_args[@]}"
)
if [ ! -f "$build/.configured" ]; then
  rm -rf "$build"
  mkdir -p "$build"
  echo "Configuring Qt $qt_version for Windows in $build:"
  echo "  ${configure[*]}"
  (cd "$build" && nice -n 19 "${configure[@]}")
  touch "$build/.configured"
else
  echo "Resuming the build in $build"
fi
echo "Building Qt $qt_version for Windows (takes 35-60 minutes)"
started=$SECONDS
nice -n 19 cmake --build "$build" --parallel 2
echo "Built in $(((SECONDS - started) / 60)) minutes"
rm -rf "$prefix"
cmake --install "$build" >/dev/null
touch "$prefix/.complete"
rm -rf "$build"
echo "Installed in $prefix ($(du -sh "$prefix" | cut -f1))"
echo "$prefix" >&3
