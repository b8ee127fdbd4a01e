#!/usr/bin/env bash
# The installed program: `cmake --install` lays out the programs, the defaults,
# the desktop entry and the icon under a prefix; an installed lumo seeds new
# data homes from the installed defaults; cpack builds a Debian package that
# depends on the Qt runtime and starts from a folder it was unpacked into.
# Usage: install_layout.sh BUILD_DIR
set -u
BUILD="$1"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
export QT_QPA_PLATFORM=offscreen
unset LUMO_HOME
failed=0
fail() { echo "FAILED: $*"; failed=$((failed + 1)); }

PREFIX="$WORK/prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null || { echo "FAILED: cmake --install"; exit 1; }
for file in bin/lumo bin/lumo-score bin/lumo-unit bin/lumo-archive bin/lumo-export \
            share/lumo/lumo7w.ini share/lumo/help/index.html share/applications/lumo.desktop \
            share/icons/hicolor/scalable/apps/lumo.svg; do
  [ -e "$PREFIX/$file" ] || fail "$file not installed"
done
grep -q '^Exec=lumo$' "$PREFIX/share/applications/lumo.desktop" || fail "desktop entry does not start lumo"
grep -q '^Icon=lumo$' "$PREFIX/share/applications/lumo.desktop" || fail "desktop entry names no icon"

# A new home takes what the installation holds, including what an administrator added to it.
printf 'installed\r\n' > "$PREFIX/share/lumo/QST/marker.txt"
"$PREFIX/bin/lumo" --init-home "$WORK/home" >/dev/null || fail "installed lumo cannot seed a home"
[ -f "$WORK/home/QST/marker.txt" ] || fail "the seeded home does not come from share/lumo"
# Without a home named, the first start seeds $XDG_DATA_HOME/lumo7.
printf 'key Escape\nwait box\nkey Return\n' > "$WORK/quit.keys"
XDG_DATA_HOME="$WORK/xdg" timeout 60 "$PREFIX/bin/lumo" --no-splash --play "$WORK/quit.keys" >/dev/null 2>&1 \
  || fail "installed lumo did not start and stop on \$XDG_DATA_HOME"
[ -f "$WORK/xdg/lumo7/lumo7w.ini" ] && [ -f "$WORK/xdg/lumo7/QST/marker.txt" ] \
  || fail "\$XDG_DATA_HOME/lumo7 not seeded from the installed defaults"

# The Debian package.
if cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$WORK/package" >"$WORK/cpack.log" 2>&1; then
  deb="$(ls "$WORK"/package/lumo_*.deb 2>/dev/null | head -1)"
  if [ -n "$deb" ]; then
    depends="$(dpkg-deb -f "$deb" Depends)"
    for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6serialport6 libqt6dbus6 \
                   qt6-qpa-plugins libqt6svg6; do
      grep -q "$package" <<<"$depends" || fail "the package does not depend on $package: $depends"
    done
    contents="$(dpkg-deb -c "$deb")"
    for file in ./usr/bin/lumo ./usr/bin/lumo-score ./usr/share/lumo/lumo7w.ini ./usr/share/applications/lumo.desktop; do
      grep -q " $file\$" <<<"$contents" || fail "$file missing from the package"
    done
    dpkg-deb -x "$deb" "$WORK/root"
    "$WORK/root/usr/bin/lumo" --version | grep -q "lumo 7.0" || fail "the unpacked lumo does not start"
  else
    fail "cpack made no lumo_*.deb: $(cat "$WORK/cpack.log")"
  fi
else
  fail "cpack -G DEB: $(tail -20 "$WORK/cpack.log")"
fi

[ "$failed" -eq 0 ] && echo "installed layout and package are sound"
exit "$failed"
