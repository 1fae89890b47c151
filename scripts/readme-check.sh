#!/usr/bin/env bash
# Runs every command line of the README's shell blocks that starts with build/bin/, in order, as a person
# would paste them from the repository root after `make build`; only the lines for a real panel on a real
# port are left out. The lines run in a scratch folder that sees the repository's examples/ and the build
# folder as build/, so the repository stays as it was; every file they write must be one that .gitignore
# covers. Usage: scripts/readme-check.sh [BUILD_DIR]   (default: build)
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$repo/build}" && pwd)
for needed in "$build/bin/qxed-cli" "$build/bin/qxed-panelsim" "$build/examples/demo.qx2"; do
  [[ -e "$needed" ]] || { echo "readme-check: $needed is missing; build first" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/qxed-readme-XXXXXX")
children=()
cleanup() {
  for pid in "${children[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
ln -s "$repo/examples" "$work/examples"
ln -s "$build" "$work/build"
# The programs run without the user's settings, as on a fresh machine.
export XDG_CONFIG_HOME="$work/.no-user-settings" QT_QPA_PLATFORM=offscreen

# The shell blocks' lines that run the built programs.
mapfile -t lines < <(awk '/^```sh$/ {inside = 1; next} /^```$/ {inside = 0} inside && /^build\/bin\//' \
  "$repo/README.md")
(( ${#lines[@]} > 0 )) || { echo "readme-check: no command lines found" >&2; exit 1; }

ran=0
cd "$work"
for line in "${lines[@]}"; do
  # A real panel on a real port: not on a test machine.
  if [[ $line == *"real panel"* ]]; then
    echo "readme-check: skipped (needs a panel): $line"
    continue
  fi
  command=${line%%#*}
  echo "readme-check: $command"
  if [[ $command =~ \&[[:space:]]*sleep ]]; then
    # A program started in the background, as the line does it; its end is awaited below.
    background=${command%%&*}
    eval "$background" > /dev/null &
    children+=("$!")
    sleep 1
  elif ! eval "$command" > "$work/.out" 2> "$work/.err"; then
    echo "readme-check: failed: $line" >&2
    cat "$work/.err" >&2
    exit 1
  fi
  ran=$((ran + 1))
done

# The simulated panels end after their one download each.
for pid in "${children[@]}"; do
  wait "$pid" || { echo "readme-check: a simulated panel ended with a failure" >&2; exit 1; }
done
children=()

# Everything the lines wrote must be ignored by git in the repository root.
status=0
while IFS= read -r -d '' written; do
  name=${written#./}
  [[ $name == .out || $name == .err || $name == .no-user-settings* || $name == examples || $name == build ]] && continue
  # A folder is named with its slash, as the patterns for folders have it.
  [[ -d $written && ! -L $written ]] && name+=/
  if ! git -C "$repo" check-ignore -q --no-index "$name"; then
    echo "readme-check: $name is written by a README command but not covered by .gitignore" >&2
    status=1
  fi
done < <(find . -mindepth 1 -maxdepth 1 -print0)
(( status == 0 )) || exit 1
echo "readme-check: $ran command lines ran"
