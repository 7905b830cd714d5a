#!/bin/sh
# Takes pictures of the main window, the splash, each Settings tab and every dialog on an X display, for a
# reviewer: in the light and the dark scheme, at 100% and 200% scale, each set in a folder of its own
# (light-100, dark-200, ...). Starts a virtual display (Xvfb, Debian package xvfb) when there is none.
#   tools/screenshots.sh [BUILD_DIR] [OUT_DIR]      (defaults: build, BUILD_DIR/screenshots)
set -eu
build=${1:-build}
out=${2:-$build/screenshots}
cmake --build "$build" --target quillon-screenshots >/dev/null
tool="$build/bin/quillon-screenshots"
export QT_QPA_PLATFORM=xcb
run() {
  if [ -n "${DISPLAY:-}" ]; then
    "$@"
  elif command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 2560x2048x24" "$@"
  else
    echo "screenshots.sh: no display and no xvfb-run (apt-get install xvfb xauth)" >&2
    exit 2
  fi
}
status=0
for scheme in Light Dark; do
  for scale in 1 2; do
    dir="$out/$(echo "$scheme" | tr 'LD' 'ld')-${scale}00"
    QT_SCALE_FACTOR=$scale run "$tool" "$dir" "$scheme" || status=1
  done
done
exit $status
