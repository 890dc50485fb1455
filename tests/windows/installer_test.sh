#!/usr/bin/env bash
# The Windows installer under Wine: a silent install into Program Files,
# the installed kelvoupdate.exe run from there, and a silent uninstall that
# leaves nothing behind.
#   installer_test.sh INSTALLER EXPECTED_VERSION_LINE RUNNER...
set -uo pipefail
installer=$1
expected=$2
shift 2
runner=("$@")
fail() { echo "FAILED: $*" >&2; exit 1; }
prefix=${runner[1]:?the runner names the Wine prefix}
folder="$prefix/drive_c/Program Files/KelvoUpdate"
[ ! -e "$folder" ] || fail "$folder is there before the install"

"${runner[@]}" "$installer" /S || fail "the silent install"
for program in kelvoupdate kelvo-ftp kelvo-listing kelvo-scramble kelvo-script kelvo-statements \
               uninstall; do
  [ -f "$folder/$program.exe" ] || fail "$program.exe was not installed"
done
seen=$("${runner[@]}" 'C:\Program Files\KelvoUpdate\kelvoupdate.exe' --version | tr -d '\r')
[ "$seen" = "$expected" ] || fail "the installed program printed '$seen', not '$expected'"

# The uninstaller copies itself elsewhere and returns at once: wait for it.
"${runner[@]}" 'C:\Program Files\KelvoUpdate\uninstall.exe' /S || fail "the silent uninstall"
for _ in $(seq 60); do
  [ -e "$folder" ] || break
  sleep 0.5
done
[ ! -e "$folder" ] || fail "the uninstall left $(ls "$folder")"
echo "installer: installed, ran '$seen' and uninstalled"
