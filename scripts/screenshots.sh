#!/usr/bin/env bash
# Pictures of every window of the editor, in a real window system (a virtual display), in Chinese and in
# English: scripts/screenshots.sh OUT_FOLDER [BUILD_FOLDER]. Writes OUT_FOLDER/zh/*.png and OUT_FOLDER/en/*.png.
set -euo pipefail
out=${1:?usage: scripts/screenshots.sh OUT_FOLDER [BUILD_FOLDER]}
build=${2:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
shots=$build/tools/qxed-screenshots
project=$build/examples/demo.qx2
if [[ ! -x $shots || ! -f $project ]]; then
  echo "screenshots: build first (make build)" >&2
  exit 1
fi
build=$(cd "$build" && pwd)
project=$build/examples/demo.qx2

# A display of our own, so that nothing on the desktop (or a missing desktop) changes the pictures.
display=""
for n in $(seq 90 140); do
  if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then display=:$n; break; fi
done
[[ -n $display ]] || { echo "screenshots: no free display number" >&2; exit 1; }
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
config=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$config"' EXIT
for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X${display#:} ]] && break; sleep 0.1; done

run() {
  local language=$1
  rm -rf "$config/qxed"
  mkdir -p "$config/qxed" "$out/$language"
  if [[ $language != zh ]]; then
    cp "$root/languages/$language/Language.Ini" "$config/qxed/Language.Ini"
  fi
  # Project texts are bytes of the user interface's code page: the English windows show the English example.
  local example=$project
  [[ $language == en ]] && example=$build/examples/demo-en.qx2
  DISPLAY=$display XDG_CONFIG_HOME=$config XDG_RUNTIME_DIR=$config QT_QPA_PLATFORM=xcb \
    "$shots" "$build/bin" "$example" "$out/$language"
  echo "screenshots: $(ls "$out/$language" | wc -l) pictures in $out/$language"
}

run zh
if [[ -f $root/languages/en/Language.Ini ]]; then
  run en
else
  echo "screenshots: no English language file yet (languages/en/Language.Ini)" >&2
fi
