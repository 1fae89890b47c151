#!/usr/bin/env bash
# Writes the help2man include file of qxed-cli: one section per command with that command's --help, so that
# the manual page holds every command's options and not only the overview.
# Usage: scripts/cli-man-sections.sh QXED_CLI OUT
set -euo pipefail
cli=$1
out=$2
{
  echo "[COMMANDS]"
  "$cli" --help | sed -n '/^Commands:/,/^$/p' | sed '1d;$d' | awk '{print $1}' | while read -r command; do
    echo ".SS $command"
    echo ".nf"
    # Roff takes a leading dot or quote as a request and a backslash as an escape.
    "$cli" "$command" --help | sed -e 's/\\/\\e/g' -e "s/^\\([.']\\)/\\\\\\&\\1/"
    echo ".fi"
  done
  echo "[SEE ALSO]"
  echo "qxed(1), qxed-panelsim(1). The JSON form of a project: docs/json-form.md in the sources."
} > "$out.tmp"
mv "$out.tmp" "$out"
