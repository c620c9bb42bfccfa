#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fresh Debian 12, as root: builds the Windows programs with MinGW-w64 on a Qt for Windows
# built once into a cache (scripts/windows-qt.sh), runs their tests under Wine, and writes
# build-windows/km905-VERSION-win64.zip and build-windows/km905-VERSION-setup.exe, whose
# silent install into a clean Wine prefix is checked.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
step() { printf '\n== %s (%ds)\n' "$*" $((SECONDS - start)); }

if [ "${KM905_SKIP_SETUP:-0}" != 1 ]; then
  step "installing the tools"
  # The Linux build's own (its simulated meter serves the end-to-end run), then Windows'.
  scripts/setup-debian.sh
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y --no-install-recommends cmake ninja-build g++ ccache \
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev qt6-base-dev qt6-base-dev-tools \
    wine wine64 nsis icoutils librsvg2-bin googletest xvfb xauth zip unzip ca-certificates \
    fonts-liberation fonts-dejavu-core
fi

step "Qt for Windows"
qt=$(scripts/windows-qt.sh)
export KM905_QT_WIN="$qt"
echo "Qt for Windows: $qt"

step "building with the windows preset"
# ccache keeps a second run (CI's) to the files that changed.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake --preset windows "${launcher[@]}"
cmake --build --preset windows -j "$(nproc)"

version=$(sed -n 's/^project(km905 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
bin=build-windows/bin

step "a private Wine prefix"
export WINEPREFIX="$PWD/build-windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Made once, before tests start side by side.
[ -f "$WINEPREFIX/system.reg" ] || { wineboot -i >/dev/null 2>&1 || true; wineserver -w; }
# Windows has Arial; the prefix gets the Liberation fonts the program falls back on, and
# DejaVu, in its own fonts folder, where the offscreen tests read fonts as on Windows.
cp -n /usr/share/fonts/truetype/liberation/*.ttf /usr/share/fonts/truetype/dejavu/*.ttf \
  "$WINEPREFIX/drive_c/windows/Fonts/"

step "tests under Wine"
ctest --preset windows -j 2 2>&1 | tee build-windows/ctest.log
grep -E '^[0-9]+% tests passed' build-windows/ctest.log | tail -n 1 >build-windows/ctest.summary
# Each CTest entry is one test program; count the cases they ran.
cases=$(grep -hE '^\[  PASSED  \] [0-9]+ test' build-windows/Testing/Temporary/LastTest.log |
  awk '{n += $4} END {print n + 0}')
echo "windows tests: $(cat build-windows/ctest.summary); $cases GoogleTest cases passed"

step "end to end under Wine: km905-cli.exe against the simulated meter on COM5"
scripts/windows-e2e.sh

step "the portable zip"
stage=build-windows/stage
name="km905-$version"
rm -rf "$stage"
mkdir -p "$stage/$name"
cp "$bin"/km905.exe "$bin"/km905-cli.exe "$bin"/help.html "$stage/$name/"
cp "$bin"/Qt6*.dll "$bin"/libstdc++-6.dll "$bin"/libgcc_s_seh-1.dll "$bin"/libwinpthread-1.dll \
  "$stage/$name/"
for kind in platforms styles printsupport imageformats; do
  if [ -d "$bin/$kind" ]; then cp -r "$bin/$kind" "$stage/$name/"; fi
done
if [ -f res/help.chm ]; then cp res/help.chm "$stage/$name/"; fi
# The licence, and the notices of what ships beside the program with where its source is had.
sed 's/$/\r/' LICENSE >"$stage/$name/LICENSE.txt"
mkdir -p "$stage/$name/licenses"
qtsrc=$(find "${KM905_QT_CACHE:-/var/cache/km905}/src" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
qtver=$(basename "$qtsrc" | sed 's/^qt6-base-//')
for f in LGPL-3.0-only GPL-3.0-only; do
  sed 's/$/\r/' "$qtsrc/LICENSES/$f.txt" >"$stage/$name/licenses/Qt-$f.txt"
done
sed 's/$/\r/' /usr/share/doc/gcc-mingw-w64-base/copyright >"$stage/$name/licenses/GCC-runtime.txt"
sed 's/$/\r/' /usr/share/doc/mingw-w64-x86-64-dev/copyright >"$stage/$name/licenses/mingw-w64.txt"
sed 's/$/\r/' >"$stage/$name/THIRD-PARTY.txt" <<NOTICE
KM905 is free software under the GNU General Public License, version 3 or later (LICENSE.txt).
It ships these libraries beside it, each under its own licence:

Qt $qtver (Qt6Core, Qt6Gui, Qt6Widgets, Qt6PrintSupport and the plugins in platforms,
styles, printsupport and imageformats), under the GNU Lesser General Public License version 3
(licenses/Qt-LGPL-3.0-only.txt, with the GPL it builds on in licenses/Qt-GPL-3.0-only.txt).
They were built unchanged from Debian's source package qt6-base $qtver
(https://deb.debian.org/debian/pool/main/q/qt6-base/), which holds their complete source
and the notices of the code Qt bundles. You may replace these DLLs with your own build of the
same Qt version.

The GCC runtime (libstdc++-6.dll, libgcc_s_seh-1.dll), under the GNU General Public License
version 3 with the GCC Runtime Library Exception (licenses/GCC-runtime.txt), and the
MinGW-w64 thread library (libwinpthread-1.dll), under the MIT and BSD licences
(licenses/mingw-w64.txt); their source is Debian's gcc-mingw-w64 and mingw-w64 source
packages (https://deb.debian.org/debian/pool/main/g/gcc-mingw-w64/ and
https://deb.debian.org/debian/pool/main/m/mingw-w64/).
NOTICE
zipfile="build-windows/$name-win64.zip"
rm -f "$zipfile"
(cd "$stage" && zip -qr9 "../$name-win64.zip" "$name")

step "the installer"
# The uninstaller deletes exactly what was installed.
list="$PWD/$stage/uninstall-files.nsh"
(cd "$stage/$name" && find . -type f | sed 's|^\./||; s|/|\\|g' |
  awk '{print "  Delete \"$INSTDIR\\" $0 "\""}'
  find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g' |
  awk '{print "  RMDir \"$INSTDIR\\" $0 "\""}') >"$list"
setup="$PWD/build-windows/$name-setup.exe"
makensis -V2 -DVERSION="$version" -DSRCDIR="$PWD/$stage/$name" -DICON="$PWD/build-windows/winicon/km905.ico" \
  -DFILELIST="$list" -DOUTFILE="$setup" res/windows/km905.nsi

step "silent install into a clean Wine prefix"
clean="$PWD/build-windows/wine-install"
rm -rf "$clean"
(
  export WINEPREFIX="$clean"
  wineboot -i >/dev/null 2>&1 || true
  wine "$setup" /S
  wineserver -w
  exe=$(find "$clean/drive_c" -iname km905.exe -path '*KM905*' | head -n 1)
  [ -n "$exe" ] || { echo "km905.exe was not installed" >&2; exit 1; }
  echo "installed: $exe"
  said=$(wine "$exe" --version | tr -d '\r')
  [ "$said" = "km905 $version" ] || { echo "installed km905.exe --version said '$said'" >&2; exit 1; }
  echo "installed km905.exe --version: $said"
  find "$clean/drive_c" -iname 'KM905.lnk' | grep -q . || { echo "no Start-menu entry" >&2; exit 1; }
  wine reg query 'HKLM\Software\Classes\KM905.AsmDat\shell\open\command' /ve | tr -d '\r' |
    grep -q 'km905.exe" "%1"' || { echo ".AsmDat is not opened by km905.exe" >&2; exit 1; }
  wineserver -k || true
)

step "done"
ls -l "$zipfile" "$setup"
echo "windows: $(cat build-windows/ctest.summary); $cases cases; $((SECONDS - start)) s in all"
