#!/usr/bin/env bash
# Runs `make package` (the release preset's build, then CPack) and checks what the package holds and needs.
# The test build cannot be packaged: its sanitizers would show up in the dependencies. Sharing build/release
# with `make run` and `make package` means the Release build is paid for once.
# Usage: package.sh SOURCE_DIR VERSION APP_ID CMAKE CPACK
# Exits 77 (skipped) where the Debian tools are missing.
set -euo pipefail
src=$1 version=$2 app_id=$3 cmake=$4 cpack=$5

for tool in dpkg-deb dpkg-shlibdeps file; do
  command -v "$tool" >/dev/null || { echo "package: no $tool here, skipped"; exit 77; }
done

fail() { echo "package: $*" >&2; exit 1; }

build=$src/build/release
(cd "$src" && "$cmake" --preset release >/dev/null)
"$cmake" --build "$build" --target brolga
work=$(mktemp -d "${TMPDIR:-/tmp}/brolga-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
rm -f "$build"/brolga_*.deb
(cd "$build" && "$cpack" -G DEB >/dev/null)
debs=("$build"/brolga_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "expected one brolga_*.deb, found: ${debs[*]}"
deb=${debs[0]}
arch=$(dpkg --print-architecture)
[[ $(basename "$deb") == "brolga_${version}_${arch}.deb" ]] || fail "file name $(basename "$deb")"

# The files, exactly: no build tools, no test programs, nothing of the build machine.
dpkg-deb -c "$deb" >"$work/contents"
files=$(awk '$1 !~ /^d/ {print $1, $2, $6}' "$work/contents" | sort)
expected=$(sort <<LIST
-rwxr-xr-x root/root ./usr/bin/brolga
-rw-r--r-- root/root ./usr/share/applications/brolga.desktop
-rw-r--r-- root/root ./usr/share/doc/brolga/OFL.txt
-rw-r--r-- root/root ./usr/share/doc/brolga/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/brolga/copyright
-rw-r--r-- root/root ./usr/share/icons/hicolor/scalable/apps/brolga.svg
-rw-r--r-- root/root ./usr/share/man/man1/brolga.1.gz
-rw-r--r-- root/root ./usr/share/metainfo/$app_id.metainfo.xml
LIST
)
[[ "$files" == "$expected" ]] || fail "contents differ:
$(diff <(echo "$expected") <(echo "$files"))"
if awk '$1 ~ /^d/ && ($1 != "drwxr-xr-x" || $2 != "root/root")' "$work/contents" | grep -q .; then
  fail "directories not 0755 root: $(awk '$1 ~ /^d/' "$work/contents")"
fi

# The control fields, and the dependencies dpkg-shlibdeps worked out from the binary.
dpkg-deb -I "$deb" >"$work/info"
field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == brolga ]] || fail "Package: $(field Package)"
[[ $(field Version) == "$version" ]] || fail "Version: $(field Version)"
[[ $(field Architecture) == "$arch" ]] || fail "Architecture: $(field Architecture)"
[[ -n $(field Maintainer) && -n $(field Description) ]] || fail "no Maintainer or Description"
depends=$(field Depends)
echo "Depends: $depends"
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6sql6 libqt6svg6; do
  # A library found by dpkg-shlibdeps comes with the lowest version the binary needs.
  grep -Eq "(^|, )${lib//+/\\+} \(>= [^)]+\)(,|$)" <<<"$depends" || fail "Depends lacks a versioned $lib: $depends"
done
for plugin in qt6-qpa-plugins libqt6sql6-sqlite; do
  grep -Eq "(^|, )$plugin(,|$)" <<<"$depends" || fail "Depends lacks $plugin: $depends"
done
if grep -Eq "libasan|libubsan|-dev\b" <<<"$depends"; then fail "Depends on a build-only package: $depends"; fi

# The installed tree: a stripped program that answers without a display, sound metadata.
root=$work/root
rm -rf "$root"
dpkg-deb -x "$deb" "$root"
file "$root/usr/bin/brolga" | grep -q ", stripped" || fail "brolga is not stripped: $(file "$root/usr/bin/brolga")"
mkdir "$work/home"
got=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb HOME="$work/home" "$root/usr/bin/brolga" --version)
[[ $got == "brolga $version" ]] || fail "brolga --version printed '$got'"
[[ -z $(ls -A "$work/home") ]] || fail "brolga --version wrote into the home folder"
gzip -t "$root/usr/share/doc/brolga/changelog.gz" "$root/usr/share/man/man1/brolga.1.gz"
zcat "$root/usr/share/doc/brolga/changelog.gz" | head -1 | grep -q "^brolga ($version) " || fail "changelog is not for $version"
for licence in OFL.txt copyright; do
  grep -q "SIL OPEN FONT LICENSE Version 1.1" "$root/usr/share/doc/brolga/$licence" || fail "$licence lacks the font licence"
done
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release $version"
grep -q "<screenshot type=\"default\">" "$metainfo" || fail "metainfo has no screenshot"
if command -v appstreamcli >/dev/null; then appstreamcli validate --no-net "$metainfo"; fi
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$root/usr/share/applications/brolga.desktop"; fi
echo "package: $(basename "$deb") is sound"
