#!/usr/bin/env bash
# Builds the two packages of the Windows program into dist/:
#   quorvel-<version>-setup.exe   the installer (NSIS, scripts/quorvel.nsi)
#   quorvel-<version>-win32.zip   the portable copy, in a folder "Quorvel"
# Both hold the program, the voice themes of speak\ and the user guide
# TIVRA.HTM with its pictures; the zip also a short read-me. The version is
# the one of CMakeLists.txt.
#
# "package.sh win64" makes the same two packages of the 64-bit build into
# build/dist-win64, for the package tests where 32-bit code cannot run.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"

tree="${1:-win32}"
case "$tree" in
  win32) toolchain=mingw-i686.cmake strip=i686-w64-mingw32-strip target="" dist="$root_dir/dist" ;;
  win64) toolchain=mingw-x86_64.cmake strip=x86_64-w64-mingw32-strip target=amd64-unicode dist="$build_dir/dist-win64" ;;
  *) echo "usage: package.sh [win32|win64]"; exit 2 ;;
esac

"$here/install-deps.sh"
configure_and_build "$tree" "$toolchain" quorvel

version_header="$build_dir/$tree/generated/quorvel_version.h"
version="$(sed -n 's/^#define QUORVEL_VERSION_TEXT "\(.*\)"$/\1/p' "$version_header")"
version_numbers="$(sed -n 's/^#define QUORVEL_VERSION_NUMBERS //p' "$version_header" | tr -d ' ' | tr , .)"
[ -n "$version" ] && [ -n "$version_numbers" ] || { echo "no version in $version_header"; exit 1; }

work="$build_dir/package-$tree"
stage="$work/Quorvel"
rm -rf "$work"
mkdir -p "$stage" "$dist"
rm -f "$dist"/quorvel-*-setup.exe "$dist"/quorvel-*-"$tree".zip

# What both packages install: the program without its symbol tables, the
# voice themes and the guide.
"$strip" -o "$stage/quorvel.exe" "$build_dir/$tree/quorvel.exe"
# The shipped program is a 32-bit Windows GUI program that needs only DLLs
# every Windows has: a DLL of the compiler's runtime would be missing on the
# user's machine.
if [ "$tree" = win32 ]; then
  headers="$(i686-w64-mingw32-objdump -p "$stage/quorvel.exe")"
  grep -q 'file format pei-i386' <<<"$headers" && grep -qE '^Subsystem\s+00000002' <<<"$headers" ||
    { echo "quorvel.exe is not a 32-bit Windows GUI program"; exit 1; }
  foreign="$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' |
    grep -vxE '(advapi32|comctl32|comdlg32|gdi32|kernel32|msvcrt|ole32|shell32|shlwapi|user32|winmm)\.dll' || true)"
  [ -z "$foreign" ] || { echo "quorvel.exe needs DLLs that Windows does not have:" $foreign; exit 1; }
fi
cp -r "$build_dir/$tree/speak" "$stage/speak"
cp "$root_dir"/res/guide/* "$stage/"

# The uninstaller removes exactly these files, then each folder that is left
# empty, deepest first: themes and files the user added stay.
(
  cd "$stage"
  find . -type f | sort | sed -e 's|^\./||' -e 's|/|\\|g' -e 's|.*|Delete "$INSTDIR\\&"|'
  find . -mindepth 1 -type d | sort -r | sed -e 's|^\./||' -e 's|/|\\|g' -e 's|.*|RMDir "$INSTDIR\\&"|'
) >"$work/uninstall-files.nsh"

installer="$dist/quorvel-$version-setup.exe"
makensis -V2 -NOCD ${target:+-DTARGET="$target"} \
  -DVERSION="$version" -DVERSION_NUMBERS="$version_numbers" \
  -DSTAGE="$stage" -DFILE_LIST="$work/uninstall-files.nsh" \
  -DICON="$build_dir/$tree/icons/quorvel.ico" -DOUTFILE="$installer" \
  "$here/quorvel.nsi"

# The portable copy: the same files and a read-me with Windows line ends
# (added after the installer was made: the installed program has its guide).
sed 's/$/\r/' "$root_dir/res/README.TXT" >"$stage/README.TXT"
zip_file="$dist/quorvel-$version-$tree.zip"
rm -f "$zip_file"
(cd "$work" && zip -q -r -X -9 "$zip_file" Quorvel)

echo "Packages of Quorvel $version:"
ls -l "$installer" "$zip_file" | awk '{printf "  %s  %d bytes\n", $NF, $5}'
