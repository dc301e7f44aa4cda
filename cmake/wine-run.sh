#!/bin/sh
# Runs a Windows program under Wine in the given prefix:
#   wine-run.sh PREFIX PROGRAM [ARGUMENT...]
# The first run creates the prefix. The Wine server and Wine's own service
# processes are started once here, detached from this run's output: they
# outlive it, and a test runner would otherwise wait for them to let go of
# the output pipe. WINE_PERSIST sets how many seconds the server stays
# after its last client (default 60).
set -eu
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all
# No runtime installers for .NET or HTML: they would want a network.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Debian keeps the 64-bit loader out of PATH; the "wine" script in front of
# it warns about a missing 32-bit Wine on every start.
if [ -x /usr/lib/wine/wine64 ]; then
  wine=/usr/lib/wine/wine64 server=/usr/lib/wine/wineserver64
else
  wine=$(command -v wine64 || command -v wine) server=wineserver
fi

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  # Starts a server unless one is running for this prefix (then it fails).
  # What starts here outlives the lock: it must not hold the lock's file.
  if "$server" -p"${WINE_PERSIST:-60}" </dev/null >/dev/null 2>&1 9>&-; then
    "$wine" wineboot.exe </dev/null >/dev/null 2>&1 9>&-
  fi
) 9>"$prefix.lock"

# Wine may start a helper process of its own on demand during the run, which
# inherits the run's output and outlives it. The output goes through files,
# so that whoever reads this script's output sees it end with the run.
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
status=0
"$wine" "$@" >"$out" 2>"$err" || status=$?
cat "$out"
cat "$err" >&2
exit "$status"
