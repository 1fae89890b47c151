#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what a user gets: one program folder with the programs
# and every data file they read, links to the programs in bin/, the desktop entry, the icon and the file
# types. Then the linked qxed-cli builds the example project's image, which needs the glyph files of the
# program folder, and nothing may have been written into that folder.
#
# Usage: install_test.sh BUILD_DIR SOURCE_DIR CMAKE GLYPH_FILE...
set -euo pipefail

build=$1 source=$2 cmake=$3
shift 3
glyph_files=("$@")

work=$(mktemp -d "${TMPDIR:-/tmp}/qxed-install-XXXXXX")
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
prefix=$work/prefix
program=$prefix/lib/qxed

fail() {
  echo "install test: $*" >&2
  exit 1
}

"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; fail "cmake --install failed"; }

# The programs the build made, each in the program folder with a relative link in bin/.
programs=(qxed-cli qxed-panelsim)
[[ -e $build/bin/qxed ]] && programs+=(qxed)
for name in "${programs[@]}"; do
  [[ -f $program/$name && ! -L $program/$name && -x $program/$name ]] || fail "no program $program/$name"
  [[ -L $prefix/bin/$name ]] || fail "$prefix/bin/$name is not a link"
  [[ $(readlink "$prefix/bin/$name") == "../lib/qxed/$name" ]] ||
    fail "$prefix/bin/$name leads to $(readlink "$prefix/bin/$name")"
done
[[ $(ls "$prefix/bin" | wc -l) -eq ${#programs[@]} ]] || fail "bin/ holds more than the programs: $(ls "$prefix/bin")"
"$prefix/bin/qxed-panelsim" --help >/dev/null || fail "the linked qxed-panelsim does not run"

# The data beside them, the same bytes as the build's.
[[ ${#glyph_files[@]} -gt 0 ]] || fail "no glyph files given"
for file in "${glyph_files[@]}"; do
  cmp -s "$file" "$program/$(basename "$file")" || fail "glyph file $(basename "$file") not installed"
done
for folder in element fsc; do
  if [[ -d $build/bin/$folder ]]; then
    diff -r "$build/bin/$folder" "$program/$folder" >/dev/null || fail "$folder/ differs from the build's"
  else
    [[ ! -e $program/$folder ]] || fail "$folder/ installed without one in the build"
  fi
done
cmp -s "$source/languages/zh_CN/Language.Ini" "$program/Language.Ini" ||
  fail "the program folder's Language.Ini is not the Chinese one"
shipped=0
for file in "$source"/languages/*/Language.Ini; do
  id=$(basename "$(dirname "$file")")
  cmp -s "$file" "$program/languages/$id/Language.Ini" || fail "language $id not installed"
  shipped=$((shipped + 1))
done
[[ $shipped -ge 2 ]] || fail "only $shipped shipped languages"
[[ $(find "$program/languages" -type f | wc -l) -eq $shipped ]] ||
  fail "languages/ holds other files: $(find "$program/languages" -type f)"

# The desktop integration.
desktop=$prefix/share/applications/qxed.desktop
[[ -f $desktop ]] || fail "no desktop entry"
grep -qx 'Exec=qxed %f' "$desktop" || fail "the desktop entry does not open a file in qxed"
grep -qx 'Icon=qxed' "$desktop" || fail "the desktop entry has another icon"
mime_types=$(sed -n 's/^MimeType=//p' "$desktop")
for type in application/x-qxed-project application/x-qxed-data; do
  [[ ";$mime_types" == *";$type;"* ]] || fail "the desktop entry does not take $type"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
fi
icon=$prefix/share/icons/hicolor/scalable/apps/qxed.svg
if [[ -f $source/src/ui/icons/qxed.svg ]]; then
  cmp -s "$source/src/ui/icons/qxed.svg" "$icon" || fail "the icon is not installed"
else
  [[ ! -e $icon ]] || fail "an icon installed without its source"
fi
mime=$prefix/share/mime/packages/qxed.xml
[[ -f $mime ]] || fail "no file types"
if command -v update-mime-database >/dev/null; then
  # The database tool reads the file types as the desktop does; its output shows what it understood.
  cp -r "$prefix/share/mime" "$work/mime"
  XDG_DATA_DIRS=$work update-mime-database "$work/mime" 2>"$work/mime.log" || { cat "$work/mime.log" >&2; fail "bad file types"; }
  [[ ! -s $work/mime.log ]] || { cat "$work/mime.log" >&2; fail "the file types have warnings"; }
  grep -q '^50:application/x-qxed-project:\*\.qx2$' "$work/mime/globs2" || fail "no *.qx2 glob"
  grep -q '^50:application/x-qxed-data:\*\.odp$' "$work/mime/globs2" || fail "no *.odp glob"
  grep -q 'QX2' "$work/mime/magic" || fail "no magic for project files"
  grep -q 'QXEDObjectData' "$work/mime/magic" || fail "no magic for data files"
fi

# A manual page (when help2man made them) and a bash completion per program, from the programs' help.
for name in "${programs[@]}"; do
  completion=$prefix/share/bash-completion/completions/$name
  [[ -f $completion ]] || fail "no bash completion for $name"
  bash -n "$completion" || fail "the bash completion of $name is no valid script"
  grep -q -- "--version" "$completion" || fail "the bash completion of $name offers no --version"
  if command -v help2man >/dev/null; then
    page=$prefix/share/man/man1/$name.1
    [[ -f $page ]] || fail "no manual page for $name"
    grep -q "^\.TH \"*${name^^}" "$page" || fail "the manual page of $name has another title"
  fi
done
if command -v help2man >/dev/null; then
  # qxed-cli's page holds every command's own help.
  for command in check schema list download; do
    grep -q "^\.SS $command\$" "$prefix/share/man/man1/qxed-cli.1" || fail "qxed-cli.1 has no section $command"
  done
fi

# The installed qxed-cli finds its program folder through the link and writes nothing there.
mkdir -p "$work/run" "$work/config"
cp "$build/examples/demo.qx2" "$work/run/"
XDG_CONFIG_HOME=$work/config "$build/bin/qxed-cli" build "$work/run/demo.qx2" -o "$work/expected.bin" >/dev/null ||
  fail "the build's qxed-cli cannot build the example"
listing() { (cd "$program" && find . -printf '%p %s %T@\n' | sort); }
before=$(listing)
chmod -R a-w "$program"
(cd "$work/run" && XDG_CONFIG_HOME=$work/config "$prefix/bin/qxed-cli" build demo.qx2 -o demo.bin >"$work/build.out") ||
  fail "the installed qxed-cli cannot build the example"
cmp -s "$work/expected.bin" "$work/run/demo.bin" || fail "the installed qxed-cli builds another image"
[[ $(listing) == "$before" ]] ||
  fail "something was written into the program folder"
echo "install test: $prefix holds ${programs[*]}, ${#glyph_files[@]} glyph files and $shipped languages"
