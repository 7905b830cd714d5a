#!/bin/sh
# Takes pictures of the main window, the splash, each Settings tab and every dialog on an X display, for a
# reviewer. Starts a virtual one (Xvfb, Debian package xvfb) when there is no display.
#   tools/screenshots.sh [BUILD_DIR] [OUT_DIR]      (defaults: build, BUILD_DIR/screenshots)
set -eu
build=${1:-build}
out=${2:-$build/screenshots}
cmake --build "$build" --target quillon-screenshots >/dev/null
tool="$build/bin/quillon-screenshots"
export QT_QPA_PLATFORM=xcb
if [ -n "${DISPLAY:-}" ]; then
  exec "$tool" "$out"
fi
if ! command -v xvfb-run >/dev/null; then
  echo "screenshots.sh: no display and no xvfb-run (apt-get install xvfb xauth)" >&2
  exit 2
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$tool" "$out"
