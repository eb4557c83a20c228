#!/usr/bin/env bash
# The Debian package as a player gets it: cpack builds it, dpkg-deb unpacks it
# into an empty folder, and the game starts from there headless through the
# command of its desktop entry, gets past its intro to the first window, and
# quits cleanly on SIGTERM with its settings saved in the user folder.
#   unpack_and_start.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: unpack_and_start.sh BUILD_DIR}" && pwd)
work=$(mktemp -d /tmp/qh-package-XXXXXX)
trap '[ -z "${pid:-}" ] || kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.txt" 2>&1 ||
    { cat "$work/cpack.txt"; fail "cpack"; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, got: ${debs[*]}"
deb=${debs[0]}

# Every library the game links (directly) comes from a package the .deb depends on.
depends=$(dpkg-deb -f "$deb" Depends || true)
[ -n "$depends" ] || fail "the package declares no dependencies"
echo "Depends: $depends"
# One package name a line, versions and alternatives' bars dropped.
names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*//; s/ //g' | grep -v '^$')
checked=0
while read -r lib path; do
    checked=$((checked + 1))
    owner=""
    for p in "$path" "$(readlink -f "$path")" "/usr$path" "${path#/usr}"; do
        owner=$(dpkg -S "$p" 2>/dev/null | head -1 | cut -d: -f1) && [ -n "$owner" ] && break
    done
    [ -n "$owner" ] || fail "no package owns $lib ($path)"
    grep -Fxq "$owner" <<<"$names" || fail "$lib comes from $owner, not in Depends"
done < <(needed=$(readelf -d "$build/quillhaven" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p')
         ldd "$build/quillhaven" | awk -v needed="$needed" \
             'BEGIN { split(needed, n, "\n"); for (i in n) want[n[i]] = 1 }
              $2 == "=>" && ($1 in want) { print $1, $3 }')

[ "$checked" -ge 5 ] || fail "only $checked linked libraries found"

root="$work/root"
dpkg-deb -x "$deb" "$root"
for f in usr/bin/quillhaven usr/lib/quillhaven/quillhaven; do
    [ -x "$root/$f" ] || fail "$f missing or not executable"
done
for f in misc/items.dat misc/crt.dat fonts/bluehigh.ttf menu/open1.png books/book1; do
    [ -e "$root/usr/lib/quillhaven/data/$f" ] || fail "data/$f missing"
done
[ ! -e "$root/usr/lib/quillhaven/data/.artgen-stamp" ] || fail "build stamp shipped"
desktop="$root/usr/share/applications/quillhaven.desktop"
desktop-file-validate "$desktop" || fail "desktop entry invalid"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 32 48 64 128 256; do
    png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
    file "$png" | grep -q "PNG image data, $size x $size" || fail "icon $png: $(file -b "$png")"
done

# Started the way the desktop starts it: its Exec command, on a PATH that
# holds the unpacked bin folder, from an unrelated working folder.
command=$(sed -n 's/^Exec=//p' "$desktop")
export HOME="$work/home" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy QUILLHAVEN_REPORT_STARTUP=1
export QH_LAYOUT_LOG="$work/layout.txt" PATH="$root/usr/bin:$PATH"
mkdir -p "$HOME"
touch "$work/before"
(cd / && exec $command) >"$work/out.txt" 2>&1 &
pid=$!
for _ in $(seq 1 300); do
    grep -q "^window " "$QH_LAYOUT_LOG" 2>/dev/null && break
    kill -0 "$pid" 2>/dev/null || { cat "$work/out.txt"; fail "the game ended early"; }
    sleep 0.1
done
grep -q "^window " "$QH_LAYOUT_LOG" 2>/dev/null || { cat "$work/out.txt"; fail "no window opened"; }
grep -q "first intro frame" "$work/out.txt" || fail "no first frame reported"
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" = 0 ] || { cat "$work/out.txt"; fail "exit status $status after SIGTERM"; }
[ -f "$HOME/Documents/Quillhaven/settings.txt" ] || fail "no settings.txt in the user folder"
changed=$(find "$root" -newer "$work/before" | head -5)
[ -z "$changed" ] || fail "the game wrote into its installed folder: $changed"
echo "package: $(basename "$deb") unpacked and started ($(sed -n 's/.*: \([0-9]*\) ms/\1 ms/p' "$work/out.txt") to the first frame)"
