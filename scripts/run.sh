#!/usr/bin/env bash
# Installs what is missing, builds, and starts TitraLab. On a machine without a display, runs
# it on a virtual display (Xvfb) and saves a screenshot of the main window instead.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh"
build=${BUILD_DIR:-$here/build}
program="$build/bin/titralab"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$program" "$@"
fi

shot="$build/titralab-screenshot.png"
echo "No display here (DISPLAY and WAYLAND_DISPLAY are unset): running TitraLab on a virtual"
echo "display (Xvfb) and saving a screenshot of its main window."
workdir=$(mktemp -d)
xvfb_pid="" program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$workdir"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$workdir/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$workdir/display" ] && break; sleep 0.1; done
[ -s "$workdir/display" ] || { echo "Xvfb did not start." >&2; exit 1; }
export DISPLAY=":$(head -n1 "$workdir/display")"

# Its settings go to a scratch folder, so that the user's saved placement stays untouched.
XDG_CONFIG_HOME="$workdir/config" "$program" "$@" >"$workdir/program.log" 2>&1 &
program_pid=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --name "^pH, conductivit" 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  kill -0 "$program_pid" 2>/dev/null || { cat "$workdir/program.log" >&2; exit 1; }
  sleep 0.1
done
[ -n "$window" ] || { echo "The main window did not appear." >&2; exit 1; }
sleep 1 # let it paint
import -window "$window" "$shot"
echo "Screenshot of the main window: $shot"
