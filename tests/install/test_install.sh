#!/usr/bin/env bash
# Installs the built program into a temporary prefix as `cmake --install` does, checks what lies
# where, runs the installed program's --version and --help without a display and validates the
# desktop entry and the metainfo; then builds the .deb with CPack, checks its control data and,
# as root, that dpkg would install it on this system. Usage: test_install.sh BUILD_DIR VERSION
set -euo pipefail
build="$1" version="$2" id=jp.rinvale.RinvaleQX
work="$(mktemp -d "${TMPDIR:-/tmp}/rinvale-install.XXXXXX")"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix="$work/prefix" icons=share/icons/hicolor
cmake --install "$build" --prefix "$prefix" >/dev/null
expected=(bin/rinvale share/rinvale/Help.txt share/rinvale/ReadMe.txt share/applications/$id.desktop
          share/metainfo/$id.metainfo.xml $icons/scalable/apps/$id.svg)
for s in 16 32 48 64 128 256; do expected+=("$icons/${s}x$s/apps/$id.png"); done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$prefix" && find . -type f | sed 's|^\./||' | sort) ||
    fail "the installed files differ from the expected ones (< missing, > unexpected)"

# The command line answers without a display, in the locale's language.
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LC_ALL -u LC_MESSAGES "$@"; }
[ "$(run LANG=C "$prefix/bin/rinvale" --version)" = "Rinvale QX $version" ] || fail "--version"
run LANG=C "$prefix/bin/rinvale" --help | grep -q '^Usage: rinvale' || fail "--help in English"
run LANG=ja_JP.UTF-8 "$prefix/bin/rinvale" -h | grep -q '^使い方: rinvale' || fail "--help in Japanese"
status=0; run QT_QPA_PLATFORM=offscreen "$prefix/bin/rinvale" --bogus 2>/dev/null || status=$?
[ $status -eq 2 ] || fail "an unknown option ended with $status, not 2"

desktop="$prefix/share/applications/$id.desktop"
out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"
grep -qx "Exec=rinvale" "$desktop" && grep -qx "Icon=$id" "$desktop" || fail "Exec or Icon of the desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack"; }
deb="$work/package/rinvale_${version}_$(dpkg --print-architecture).deb"
dpkg-deb -I "$deb" && dpkg-deb -c "$deb" >"$work/contents"
grep -q " ./usr/share/rinvale/Help.txt$" "$work/contents" || fail "the package lacks Help.txt"
names() { dpkg-deb -f "$deb" "$1" | tr ',|' '\n\n' | awk '{print $1}'; }
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6dbus6 libqt6charts6 libcanberra0 libxcb1 fonts-ipafont-gothic; do
    names Depends | grep -qxF "$lib" || fail "Depends lacks $lib"
done
names Recommends | grep -qxF fcitx5-mozc || fail "Recommends lacks fcitx5-mozc"
if [ "$(id -u)" -eq 0 ]; then
    dpkg --dry-run -i "$deb" || fail "dpkg --dry-run -i"
else
    echo "dpkg --dry-run -i skipped: it needs root"
fi
