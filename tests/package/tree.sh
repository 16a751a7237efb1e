#!/usr/bin/env bash
# Checks an installed Brolga below ROOT (a staged `cmake --install` or an unpacked .deb): the exact files and
# their modes, a stripped program without the compiler's note that answers --version without a display or a
# home, the manual page, the changelog, the licences, the icons, and the menu entry and AppStream data
# through their validators.
#
#   tree.sh ROOT VERSION APP_ID RELEASE_DATE
#
# Exits 77 (skipped) where a tool it needs is missing; scripts/install-deps installs them.
set -euo pipefail
root=$1 version=$2 app_id=$3 date=$4

for tool in file readelf appstreamcli desktop-file-validate; do
  command -v "$tool" >/dev/null || { echo "package: no $tool here, skipped"; exit 77; }
done
fail() { echo "package: $*" >&2; exit 1; }

sizes=(16 22 24 32 48 64 128 256)
# The files, exactly: no build tools, no test programs, nothing of the build machine.
expected=$(
  sort <<LIST
-rwxr-xr-x usr/bin/brolga
-rw-r--r-- usr/share/applications/$app_id.desktop
-rw-r--r-- usr/share/brolga/office-book.sql
-rw-r--r-- usr/share/doc/brolga/OFL.txt
-rw-r--r-- usr/share/doc/brolga/changelog.gz
-rw-r--r-- usr/share/doc/brolga/copyright
-rw-r--r-- usr/share/icons/hicolor/scalable/apps/brolga.svg
$(for s in "${sizes[@]}"; do echo "-rw-r--r-- usr/share/icons/hicolor/${s}x$s/apps/brolga.png"; done)
-rw-r--r-- usr/share/lintian/overrides/brolga
-rw-r--r-- usr/share/man/man1/brolga.1.gz
-rw-r--r-- usr/share/metainfo/$app_id.metainfo.xml
LIST
)
files=$(cd "$root" && find . -not -type d -printf '%M %P\n' | sort)
[[ $files == "$expected" ]] || fail "contents differ:
$(diff <(echo "$expected") <(echo "$files"))"
odd_dirs=$(cd "$root" && find . -mindepth 1 -type d -not -perm 0755 -printf '%M %P\n')
[[ -z $odd_dirs ]] || fail "directories not 0755: $odd_dirs"

program=$root/usr/bin/brolga
file "$program" | grep -q ", stripped" || fail "brolga is not stripped: $(file "$program")"
if readelf -S "$program" | grep -q '\.comment'; then fail "brolga keeps its .comment section"; fi
mkdir "$root/home"
got=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb HOME="$root/home" "$program" --version)
[[ $got == "brolga $version" ]] || fail "brolga --version printed '$got'"
[[ -z $(ls -A "$root/home") ]] || fail "brolga --version wrote into the home folder"
rmdir "$root/home"

doc=$root/usr/share/doc/brolga
gzip -t "$doc/changelog.gz" "$root/usr/share/man/man1/brolga.1.gz"
zcat "$doc/changelog.gz" | head -1 | grep -q "^brolga ($version) " || fail "changelog is not for $version"
for licence in OFL.txt copyright; do
  grep -q "SIL OPEN FONT LICENSE Version 1.1" "$doc/$licence" || fail "$licence lacks the font licence"
done

# The manual page: dated, versioned, and naming every file Brolga keeps.
man=$(zcat "$root/usr/share/man/man1/brolga.1.gz")
grep -qx ".TH BROLGA 1 \"$date\" \"Brolga $version\" \"User Commands\"" <<<"$man" || fail "man page .TH: $(head -1 <<<"$man")"
for kept in Saltbush/Brolga.json Saltbush/Brolga.last-good.json Brolga/Clients.sqlite Brolga/brand/logo.png \
  autostart/brolga.desktop; do
  grep -q "^\.I ~/.*/$kept$" <<<"$man" || fail "man page FILES lacks $kept"
done

for s in "${sizes[@]}"; do
  png=$root/usr/share/icons/hicolor/${s}x$s/apps/brolga.png
  file "$png" | grep -q "PNG image data, $s x $s," || fail "icon ${s}x$s is $(file -b "$png")"
done

metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
grep -q "<release version=\"$version\" date=\"$date\"" "$metainfo" || fail "metainfo has no release $version of $date"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "metainfo does not launch $app_id.desktop"
grep -q "<project_license>.\+</project_license>" "$metainfo" || fail "metainfo has no project_license"
appstreamcli validate --no-net "$metainfo"
desktop-file-validate "$root/usr/share/applications/$app_id.desktop"
echo "package: the installed tree below $root is sound"
