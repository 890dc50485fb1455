#!/usr/bin/env bash
# Builds the Debian package of BUILD with cpack, checks its declared
# dependencies, installs it with dpkg into a throw-away root (its own dpkg
# database; no root rights needed), runs the installed kelvoupdate, and
# purges the package: nothing of it may be left in the root.
#   package_test.sh BUILD VERSION
set -euo pipefail
build=${1:?usage: package_test.sh BUILD VERSION}
version=${2:?usage: package_test.sh BUILD VERSION}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package_test: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(find "$work/out" -maxdepth 1 -name 'kelvoupdate_*.deb')
[ -f "$deb" ] || fail "no package in $work/out"

# Linked libraries come from dpkg-shlibdeps, the ones loaded at run time are
# named; every one must be a package this machine has.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libfbclient2 libmariadb3 libarchive13 libqt6widgets6 qt6-qpa-plugins; do
  grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
for package in $(sed -E 's/ \([^)]*\)//g; s/,/ /g; s/\|/ /g' <<<"$depends"); do
  dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q "install ok installed" ||
    fail "declared dependency $package is not a package of this machine"
done

root=$work/root
mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info"
touch "$root/var/lib/dpkg/status"
# The root holds no other package, so the dependencies (checked above
# against this machine) cannot be satisfied inside it.
in_root() { dpkg --root="$root" --force-not-root --force-depends --log=/dev/null "$@"; }
in_root -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i failed"; }
dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${Status}\n' kelvoupdate |
  grep -q "install ok installed" || fail "dpkg does not list the package as installed"

for program in kelvoupdate atualiza_quarvessa kelvo-ftp kelvo-listing kelvo-scramble kelvo-script \
  kelvo-statements; do
  [ -x "$root/usr/bin/$program" ] || fail "/usr/bin/$program is missing"
done
out=$("$root/usr/bin/kelvoupdate" --version)
[ "$out" = "kelvoupdate $version" ] || fail "--version printed: $out"
"$root/usr/bin/kelvoupdate" --help >"$work/help" || fail "--help failed"
grep -q "preview" "$work/help" && grep -q "  70 " "$work/help" || fail "--help printed: $(cat "$work/help")"

# The example registry stand-in names the folder the archiver was put in,
# under both names the updater uses.
docs=$root/usr/share/doc/kelvoupdate
folder=$(sed -nE 's/^"ProgramFilesDir"="(.*)"\r?$/\1/p' "$docs/examples/registry.reg")
[ "$folder" = /usr/libexec/kelvoupdate ] || fail "registry.reg names '$folder'"
for name in winrar.exe WinRAR.exe; do
  [ -x "$root$folder/winrar/$name" ] || fail "$folder/winrar/$name is missing"
done
for file in README.md deployment.md examples/kelvoupdate.ini examples/aliases.ini; do
  [ -f "$docs/$file" ] || fail "$file is missing from the documentation"
done

in_root --purge kelvoupdate >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg --purge failed"; }
left=$(cd "$root" && find . -mindepth 1 ! -path './var' ! -path './var/lib' ! -path './var/lib/dpkg' \
  ! -path './var/lib/dpkg/*')
[ -z "$left" ] || fail "left after purging: $left"
if dpkg-query --admindir="$root/var/lib/dpkg" -W kelvoupdate >/dev/null 2>&1; then
  fail "dpkg still knows the package"
fi
echo "package_test: $(basename "$deb") installed, ran and was removed"
