#!/usr/bin/env bash
# `make package-check`: the Release .deb built twice and compared byte for byte, then checked as a Debian
# reviewer would: control fields and versioned dependencies, hardening in the dynamic symbols, lintian
# --pedantic, and the installed tree (tests/package/tree.sh). The first build stays in build/package.
#
# Both builds run without a compiler launcher (a cache would hand the second the first one's objects) and
# with SOURCE_DATE_EPOCH from the last commit; the second from a copy of the source with fresh file times.
# PACKAGE_CMAKE_ARGS adds cache settings, for a release say
#   make package-check PACKAGE_CMAKE_ARGS="-DBROLGA_RELEASE=ON -DBROLGA_HOMEPAGE=https://... ..."
# and a release also validates the AppStream data on line.
#
#   package.sh SOURCE_DIR
set -euo pipefail
src=$(cd "$1" && pwd)

for tool in cmake cpack ninja dpkg-deb dpkg-shlibdeps lintian nm file; do
  command -v "$tool" >/dev/null || { echo "package: no $tool here (bash scripts/install-deps package)" >&2; exit 1; }
done
fail() { echo "package: $*" >&2; exit 1; }

export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$src" log -1 --format=%ct)}
work=$(mktemp -d "${TMPDIR:-/tmp}/brolga-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
read -ra extra <<<"${PACKAGE_CMAKE_ARGS:-}"

package() { # package SOURCE BUILD: a Release build and its .deb, printed as the .deb's path
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBROLGA_CCACHE=OFF -DCMAKE_CXX_COMPILER_LAUNCHER= \
    "${extra[@]}" >/dev/null
  cmake --build "$2" >&2
  rm -f "$2"/brolga_*.deb
  (cd "$2" && cpack -G DEB >/dev/null)
  echo "$2"/brolga_*.deb
}
rm -rf "$src/build/package" # rcc stamps its output with the epoch of the build that made it
deb=$(package "$src" "$src/build/package")
cache() { sed -n "s/^$1:[A-Z]*=//p" "$src/build/package/CMakeCache.txt"; }
version=$(sed -n 's/^project(Brolga VERSION \([0-9.]*\) .*/\1/p' "$src/CMakeLists.txt")
date=$(sed -n 's/^set(BROLGA_RELEASE_DATE "\([0-9-]*\)").*/\1/p' "$src/cmake/Packaging.cmake")
app_id=au.com.saltbush.brolga
arch=$(dpkg --print-architecture)
[[ $(basename "$deb") == "brolga_${version}_$arch.deb" ]] || fail "file name $(basename "$deb")"
ar t "$deb" | grep -qx data.tar.xz || fail "the data is not xz-compressed: $(ar t "$deb" | tr '\n' ' ')"

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == brolga && $(field Version) == "$version" && $(field Architecture) == "$arch" ]] ||
  fail "control: $(field Package) $(field Version) $(field Architecture)"
[[ $(field Maintainer) == "$(cache BROLGA_MAINTAINER)" ]] || fail "Maintainer: $(field Maintainer)"
[[ $(field Homepage) == "$(cache BROLGA_HOMEPAGE)" ]] || fail "Homepage: $(field Homepage)"
depends=$(field Depends)
echo "Depends: $depends"
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6sql6 libqt6svg6 libqt6keychain1; do
  # A library found by dpkg-shlibdeps comes with the lowest version the binary needs.
  grep -Eq "(^|, )${lib//+/\\+} \(>= [^)]+\)(,|$)" <<<"$depends" || fail "Depends lacks a versioned $lib"
done
grep -Eq "(^|, )libqt6sql6-sqlite(,|$)" <<<"$depends" || fail "Depends lacks libqt6sql6-sqlite"
grep -Eq "(^|, )fonts-symbola(,|$)" <<<"$depends" || fail "Depends lacks fonts-symbola"
[[ $(field Recommends) == "libqt6sql6-psql, libsecret-1-0" ]] || fail "Recommends: $(field Recommends)"
if grep -Eq "qt6-qpa-plugins|libasan|libubsan|-dev\b" <<<"$depends"; then fail "Depends on a needless package"; fi
if dpkg-deb -c "$deb" | awk '$2 != "root/root"' | grep -q .; then fail "files not owned by root"; fi

dpkg-deb -x "$deb" "$work/root"
symbols=$(nm -D "$work/root/usr/bin/brolga")
grep -q " U __stack_chk_fail" <<<"$symbols" || fail "brolga is built without the stack protector"
grep -Eq " U __[a-z0-9_]+_chk(@|$)" <<<"$(grep -v __stack_chk_fail <<<"$symbols")" ||
  fail "brolga calls no fortified libc function (_FORTIFY_SOURCE)"
bash "$(dirname "$0")/tree.sh" "$work/root" "$version" "$app_id" "$date"
if [[ $(cache BROLGA_RELEASE) == ON ]]; then
  appstreamcli validate "$work/root/usr/share/metainfo/$app_id.metainfo.xml"
fi

lintian --pedantic -I "$deb" | tee "$work/lintian" || true
if grep -E "^[EW]: " "$work/lintian"; then fail "lintian found errors or warnings"; fi

mkdir "$work/src"
tar -C "$src" --exclude=./build --exclude=./.git -cf - . | tar -C "$work/src" -xmf -
again=$(package "$work/src" "$work/build")
cmp "$deb" "$again" || fail "two builds of the same source differ: $deb and $again"
echo "package: two builds gave the same $(basename "$deb") ($(wc -c <"$deb") bytes)"
echo "package: $(basename "$deb") is sound"
