#!/usr/bin/env bash
# Checks the installation and the Debian package of a configured and built
# tree: the installed files under an unusual prefix in a DESTDIR, the desktop
# entry and AppStream validators, lintian, and the help command of the program
# unpacked from the package far from the build folder.
# usage: check-package.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/orrin-package.XXXXXX)
trap 'rm -rf "$work"' EXIT
id=com.velnor.Orrin
fail() { echo "FAIL $*" >&2; exit 1; }

# The installed tree, with a prefix other than the package's.
DESTDIR="$work/stage" cmake --install "$build" --prefix /opt/orrin >/dev/null
root="$work/stage/opt/orrin"
expected=$(sort <<EOT
bin/orrin
bin/orrin-calc
share/applications/$id.desktop
share/doc/orrin/changelog.gz
share/doc/orrin/copyright
share/icons/hicolor/128x128/apps/$id.png
share/icons/hicolor/16x16/apps/$id.png
share/icons/hicolor/32x32/apps/$id.png
share/icons/hicolor/48x48/apps/$id.png
share/icons/hicolor/scalable/apps/$id.svg
share/man/man1/orrin-calc.1.gz
share/man/man1/orrin.1.gz
share/metainfo/$id.metainfo.xml
share/orrin/Orrin.chm
EOT
)
actual=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | sort)
[ "$actual" = "$expected" ] || fail "installed files differ:
$(diff <(echo "$expected") <(echo "$actual") || true)"
for size in 16 32 48 128; do
    file "$root/share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "$size x $size" \
        || fail "the ${size}x$size icon has another size"
done
echo "PASS installed tree"

desktop-file-validate "$root/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
echo "PASS validators"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
debs=("$work"/package/orrin_*.deb)
[ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made ${#debs[@]} packages"
lintian --fail-on error,warning "${debs[0]}" || fail "lintian"
echo "PASS lintian"

dpkg-deb -x "${debs[0]}" "$work/unpacked"
python3 "$here/help_in_unpacked_tree.py" "$work/unpacked/usr/bin/orrin" \
    "$work/unpacked/usr/share/orrin/Orrin.chm"
