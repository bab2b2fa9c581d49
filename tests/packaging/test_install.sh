#!/usr/bin/env bash
# What `make install` and `make package` deliver: installed into a temporary DESTDIR and
# validated with the desktop's own tools; the Debian package built, inspected, unpacked
# into a throwaway root and run from there.
set -euo pipefail
build=${1:?usage: test_install.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "packaging: $*" >&2; exit 1; }

root="$work/root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
share="$root/usr/share"
[[ -x $root/usr/bin/orvane ]] || fail "no executable"
desktop-file-validate "$share/applications/org.example.orvane.Orvane.desktop"
grep -qx 'Exec=orvane %f' "$share/applications/org.example.orvane.Orvane.desktop" || fail "Exec line"
grep -q 'application/x-orvane-tam' "$share/applications/org.example.orvane.Orvane.desktop" || fail "MIME type"
appstreamcli validate --no-net "$share/metainfo/org.example.orvane.Orvane.metainfo.xml" >/dev/null
xmllint --noout "$share/mime/packages/orvane.xml"
grep -q '<glob pattern="\*.tam"/>' "$share/mime/packages/orvane.xml" || fail "no *.tam glob"
for size in 16 32 48 64 128 256; do
  png="$share/icons/hicolor/${size}x${size}/apps/orvane.png"
  [[ $(identify -format '%wx%h' "$png") == "${size}x${size}" ]] || fail "$png is not ${size}x${size}"
done
xmllint --noout "$share/icons/hicolor/scalable/apps/orvane.svg"
man -l "$share/man/man1/orvane.1.gz" 2>&1 >/dev/null | grep -q . && fail "the manual page has errors"
man -l "$share/man/man1/orvane.1.gz" 2>/dev/null | grep -q 'EXIT STATUS' || fail "the manual page does not render"
for doc in README.md OFL.txt FONTLOG.txt copyright changelog.gz; do [[ -s $share/doc/orvane/$doc ]] || fail "no $doc"; done
[[ $("$root/usr/bin/orvane" --version) == "orvane 1.0" ]] || fail "installed orvane --version"
# Printing is a module the program looks for in ../lib/orvane/modules from its own folder.
module="$root/usr/lib/orvane/modules/orvane-print.so"
[[ -f $module ]] || fail "no print module at /usr/lib/orvane/modules"
! ldd "$module" | grep -q 'not found' || fail "the print module lacks libraries: $(ldd "$module" | grep 'not found')"

# The Debian package.
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/pkg" >/dev/null)
deb="$work/pkg/orvane_1.0_amd64.deb"
[[ -f $deb ]] || fail "no $deb"
fields=$(dpkg-deb -f "$deb")
grep -q '^Package: orvane$' <<<"$fields" || fail "package name"
grep -q '^Version: 1.0$' <<<"$fields" || fail "version"
grep -q '^Depends:.*libqt6widgets6' <<<"$fields" || fail "Depends lacks Qt: $fields"
grep -q '^Depends:.*qt6-qpa-plugins' <<<"$fields" || fail "Depends lacks the platform plugins"
grep -q '^Depends:.*libpango' <<<"$fields" || fail "Depends lacks Pango, which the print module needs"
contents=$(dpkg-deb -c "$deb")
for f in usr/bin/orvane usr/share/applications/org.example.orvane.Orvane.desktop usr/share/mime/packages/orvane.xml \
         usr/share/man/man1/orvane.1.gz usr/share/icons/hicolor/256x256/apps/orvane.png usr/lib/orvane/modules/orvane-print.so; do
  grep -q "\./$f\$" <<<"$contents" || fail "the package lacks $f"
done
dpkg-deb -x "$deb" "$work/unpacked"
[[ $("$work/unpacked/usr/bin/orvane" --version) == "orvane 1.0" ]] || fail "packaged orvane --version"
# What Debian checks of a package: no error, no warning.
if command -v lintian >/dev/null; then
  report=$(lintian --allow-root "$deb" 2>&1 | grep -E '^[EW]: ' || true)
  [[ -z $report ]] || fail "lintian: $report"
fi
echo "packaging: passed"
