#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from the build tree given, unpacks it as dpkg does into a scratch
# root and checks that every file lies where its reader looks: the shell, the desktop menu,
# the icon theme, AppStream, shared-mime-info, man and udev.
set -eu
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    exit 1
fi
# The version the build was configured with, as the package names it.
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
[ -n "$version" ] || { echo "FAIL: no version in $build/CPackConfig.cmake"; exit 1; }
deb="$scratch/out/km905_$version-1_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls -l "$scratch/out"; echo "FAIL: no $deb"; exit 1; }
root="$scratch/root"
dpkg -x "$deb" "$root"

for f in usr/bin/km905 usr/bin/km905-cli; do
    [ -x "$root/$f" ] || fail "$f is not an executable"
done
# The simulated meter is the developers' tool, not the user's.
[ ! -e "$root/usr/bin/km905-sim" ] || fail "usr/bin/km905-sim is in the user's package"
for f in usr/share/km905/help.html \
    usr/share/applications/io.github.km905.km905.desktop \
    usr/share/metainfo/io.github.km905.km905.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/io.github.km905.km905.svg \
    usr/share/man/man1/km905.1.gz usr/share/man/man1/km905-cli.1.gz \
    usr/share/doc/km905/copyright usr/share/doc/km905/changelog.Debian.gz \
    usr/share/lintian/overrides/km905; do
    [ -s "$root/$f" ] || fail "$f is missing"
done
for size in 16 32 48 64 128 256; do
    png="$root/usr/share/icons/hicolor/${size}x${size}/apps/io.github.km905.km905.png"
    case "$(file -b "$png" 2>&1)" in
    "PNG image data, $size x $size,"*) ;;
    *) fail "no ${size}x${size} PNG icon: $(file -b "$png" 2>&1)" ;;
    esac
done
# Debian 12's udev reads /lib/udev/rules.d and /usr/lib/udev/rules.d, one folder on a merged /usr.
rules=""
for d in lib/udev/rules.d usr/lib/udev/rules.d; do
    [ -f "$root/$d/70-km905.rules" ] && rules="$root/$d/70-km905.rules"
done
if [ -z "$rules" ]; then
    fail "no 70-km905.rules in lib/udev/rules.d or usr/lib/udev/rules.d"
elif ! grep -q '^SUBSYSTEM=="tty", ATTRS{idVendor}=="10c4", ATTRS{idProduct}=="ea60", TAG+="uaccess"$' "$rules"; then
    fail "70-km905.rules does not give the seat the CP210x bridge"
fi

# The user service of `km905-cli log`, where systemd looks for a user's units.
unit="$root/usr/lib/systemd/user/km905-log@.service"
if [ ! -s "$unit" ]; then
    fail "usr/lib/systemd/user/km905-log@.service is missing"
elif ! grep -q '^ExecStart=km905-cli log --interval %i --out %h/' "$unit"; then
    fail "km905-log@.service does not start km905-cli log"
fi

# What dpkg is told.
[ "$(dpkg-deb -f "$deb" Package)" = km905 ] || fail "Package: $(dpkg-deb -f "$deb" Package)"
[ "$(dpkg-deb -f "$deb" Version)" = "$version-1" ] || fail "Version: $(dpkg-deb -f "$deb" Version)"
[ -z "$(dpkg-deb -f "$deb" Recommends)" ] || fail "Recommends: $(dpkg-deb -f "$deb" Recommends)"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libqt6serialport6 libqt6printsupport6 libc6 qt6-qpa-plugins fonts-liberation; do
    case ", $depends," in
    *", $dep "* | *", $dep,"*) ;;
    *) fail "Depends lacks $dep: $depends" ;;
    esac
done
dpkg-deb -I "$deb" postinst >/dev/null 2>&1 || fail "no postinst"

# The files read the way their readers read them.
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$root/usr/share/applications/io.github.km905.km905.desktop" ||
        fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null 2>&1; then
    appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.km905.km905.metainfo.xml" >"$scratch/as.log" 2>&1 ||
        { cat "$scratch/as.log"; fail "appstreamcli validate"; }
fi
gzip -dc "$root/usr/share/man/man1/km905.1.gz" | grep -q -F -- '\-\-port' || fail "km905.1 lacks --port"

# A graph file and a list file double-clicked in a file manager: typed by the package's MIME
# file (by name, and a renamed one by its first bytes), and opened by km905 with the files as
# arguments. xdg-mime asks gio for the type where GNOME, Xfce, Cinnamon or MATE runs.
desktop="$root/usr/share/applications/io.github.km905.km905.desktop"
grep -qx 'Exec=km905 %F' "$desktop" || fail "the desktop entry does not pass the files: $(grep '^Exec=' "$desktop")"
share="$root/usr/share"
if [ ! -s "$share/mime/packages/io.github.km905.km905.xml" ]; then
    fail "usr/share/mime/packages/io.github.km905.km905.xml is missing"
elif ! command -v update-mime-database >/dev/null || ! command -v xdg-mime >/dev/null ||
    ! command -v gio >/dev/null || ! command -v update-desktop-database >/dev/null; then
    fail "the file type check needs shared-mime-info, xdg-utils, libglib2.0-bin and desktop-file-utils (scripts/setup-debian.sh)"
else
    XDG_DATA_DIRS="$share" update-mime-database "$share/mime" || fail "update-mime-database"
    update-desktop-database "$share/applications" || fail "update-desktop-database"
    data=$(cd "$(dirname "$0")/../data" && pwd)
    mkdir "$scratch/files" "$scratch/home"
    cp "$data/three-lux.AsmDat" "$scratch/files/survey.AsmDat"
    cp "$data/general-250lux.MemDat" "$scratch/files/office.MemDat"
    cp "$data/three-lux.AsmDat" "$scratch/files/renamed"
    # The unpacked package's folders only, besides the system's MIME database for other types.
    desk() {
        env -u XDG_CONFIG_DIRS HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" \
            XDG_DATA_HOME="$scratch/home/.local/share" XDG_CURRENT_DESKTOP=GNOME GIO_USE_VFS=local \
            "$@"
    }
    for pair in survey.AsmDat=application/x-km905-graph office.MemDat=application/x-km905-list \
        renamed=application/x-km905-data; do
        file=${pair%%=*}
        type=$(desk env XDG_DATA_DIRS="$share:/usr/share" xdg-mime query filetype "$scratch/files/$file" 2>&1) || true
        [ "$type" = "${pair#*=}" ] || fail "xdg-mime says $file is: $type"
    done
    for type in application/x-km905-graph application/x-km905-list; do
        app=$(desk env XDG_DATA_DIRS="$share" xdg-mime query default "$type" 2>&1) || true
        [ "$app" = io.github.km905.km905.desktop ] || fail "xdg-mime opens $type with: $app"
    done
fi
# The unpacked program runs from its new place with no display.
said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/km905" --version 2>&1) ||
    true
[ "$said" = "km905 $version" ] || fail "usr/bin/km905 --version says: $said"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; the package holds:"
    dpkg-deb -c "$deb"
    exit 1
fi
echo "km905_$version-1 unpacks where the desktop, man and udev look"
