#!/usr/bin/env bash
# kelvo-ftp against the misbehaving test server's well-behaved session: the
# commands run in order, a failing one is reported and the next still runs,
# and a download is flushed to disk before it replaces the destination.
#   ftp_tool_test.sh [RUNNER...] KELVO_FTP   (the server's port is in $KELVO_SERVICES)
# RUNNER (Wine for the Windows build) goes in front of the program.
set -uo pipefail
[ $# -gt 0 ] || { echo "usage: ftp_tool_test.sh [RUNNER...] KELVO_FTP" >&2; exit 64; }
tool=("$@")
port=$(cat "$KELVO_SERVICES/hostileftp/port")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }
# Lines as printed, without the CR a Windows program puts before each LF.
unix_lines() { sed -i 's/\r$//' "$@"; }

"${tool[@]}" --help | grep -q '^usage: kelvo-ftp' || fail "--help: $("${tool[@]}" --help 2>&1)"

"${tool[@]}" 127.0.0.1 "$port" size hello.txt get missing.txt "$work/m" get hello.txt "$work/h" \
  >"$work/out" 2>"$work/err"
[ $? -eq 1 ] || fail "exit status after a failing command"
unix_lines "$work/out" "$work/err"
[ "$(cat "$work/out")" = 31 ] || fail "size printed: $(cat "$work/out")"
grep -qx 'error: get: No such file.' "$work/err" || fail "error text: $(cat "$work/err")"
[ "$(cat "$work/h")" = "hello from the hostile server"$'\r' ] || fail "downloaded file"
[ ! -e "$work/m" ] || fail "a refused download left a file"

"${tool[@]}" --active --events 127.0.0.1 "$port" list get hello.txt "$work/a" >"$work/out" 2>"$work/err" ||
  fail "exit status without failures: $(cat "$work/err")"
unix_lines "$work/out" "$work/err"
printf -- '-rw-r--r-- 1 u g 31 Jan 02  2020 hello.txt\n0\tfile\t31\t2020-01-02 00:00:00\thello.txt\n' |
  cmp -s - "$work/out" || fail "listing printed: $(cat "$work/out")"
grep -qx 'status 7: Transfer complete' "$work/err" && grep -qx 'work end' "$work/err" ||
  fail "events: $(cat "$work/err")"
cmp -s "$work/a" "$work/h" || fail "active-mode download"

# The data reaches the disk before the rename makes it the destination.
# (Under Wine the rename is the Wine server's, out of the tracer's sight.)
if [ ${#tool[@]} -gt 1 ]; then
  echo "kelvo-ftp: all checks passed (the flush order is checked on POSIX only)"
  exit 0
fi
command -v strace >/dev/null || { echo "strace is missing" >&2; exit 77; }
# (Leak detection cannot run under a tracer; the runs above had it.)
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" strace -f -o "$work/trace" -e trace=fsync,fdatasync,rename,renameat,renameat2 \
  "${tool[@]}" 127.0.0.1 "$port" get hello.txt "$work/synced" >/dev/null || fail "traced download"
flush=$(grep -nE '(fsync|fdatasync)\(' "$work/trace" | head -1 | cut -d: -f1)
rename=$(grep -nE 'rename(at2?)?\(.*synced"' "$work/trace" | head -1 | cut -d: -f1)
[ -n "$rename" ] || fail "no rename in the trace: $(cat "$work/trace")"
[ -n "$flush" ] && [ "$flush" -lt "$rename" ] || fail "no flush before the rename: $(cat "$work/trace")"
echo "kelvo-ftp: all checks passed"
