#!/usr/bin/env bash
# Downloads the example project to a simulated panel: starts qxed-panelsim on a pseudo-terminal, gives it
# matching PLC driver files, runs `qxed-cli download` against it with its progress bar, and checks that the
# image the panel received is the one `qxed-cli build` makes. Needs no display and no standard input.
# Usage: scripts/demo.sh [BUILD_DIR]   (default: build; `make demo` builds it first)
set -euo pipefail

build_dir=${1:-build}
bin="$build_dir/bin"
project="$build_dir/examples/demo.qx2"
for needed in "$bin/qxed-cli" "$bin/qxed-panelsim" "$project"; do
  [[ -e "$needed" ]] || { echo "demo: $needed is missing; run 'make build' first" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/qxed-demo-XXXXXX")
sim_pid=
cleanup() {
  if [[ -n "$sim_pid" ]] && kill -0 "$sim_pid" 2>/dev/null; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# The panel model and PLC type the project was made for.
"$bin/qxed-cli" dump "$project" -o "$work/demo.json"
model=$(sed -n 's/^ *"CurrentModel": \([0-9]*\),*$/\1/p' "$work/demo.json" | head -n 1)
plc=$(sed -n 's/^ *"PlcType": \([0-9]*\),*$/\1/p' "$work/demo.json" | head -n 1)
echo "demo: $project is for panel model $model and PLC type $plc"

"$bin/qxed-panelsim" --model "$model" --write-drivers "$work/data" --plc "$plc" >/dev/null
echo "demo: driver files written below $work/data/fsc"

"$bin/qxed-panelsim" --model "$model" --dump "$work/received.bin" --once </dev/null >"$work/panel.out" &
sim_pid=$!
port=
for _ in $(seq 100); do
  port=$(head -n 1 "$work/panel.out" 2>/dev/null || true)
  [[ -n "$port" ]] && break
  kill -0 "$sim_pid" 2>/dev/null || break
  sleep 0.05
done
[[ -n "$port" ]] || { echo "demo: the simulator did not start" >&2; exit 1; }
echo "demo: simulated panel on $port"

echo "demo: qxed-cli --data-dir $work/data download $project --port $port"
"$bin/qxed-cli" --data-dir "$work/data" download "$project" --port "$port" </dev/null | tee "$work/summary"

# With --once the simulator ends after the download it has confirmed.
for _ in $(seq 100); do
  kill -0 "$sim_pid" 2>/dev/null || break
  sleep 0.05
done
if ! wait "$sim_pid"; then
  sim_pid=
  echo "demo: the simulator reports a fault" >&2
  exit 1
fi
sim_pid=
sed -n '2,$p' "$work/panel.out"

"$bin/qxed-cli" build "$project" -o "$work/built.bin" >/dev/null
cmp "$work/built.bin" "$work/received.bin"
echo "demo: OK - the panel received the $(stat -c %s "$work/received.bin")-byte image that" \
  "'qxed-cli build' makes, byte for byte ($(cat "$work/summary"))"
