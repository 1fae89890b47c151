#!/usr/bin/env bash
# Writes the bash completion of a QXED program from its help texts: the options every --help lists and, for
# qxed-cli, its commands with the options of each, the table names of 'list', and the enumerated values
# of --lang and --upgrade. Usage: scripts/make-completion.sh PROGRAM_PATH NAME OUT
set -euo pipefail
program=$1
name=$2
out=$3
function_name="_${name//-/_}"

options_of() {
  # The option names at the start of the help's option lines: "  -o, --output OUT" gives -o --output.
  "$@" --help | grep -E '^  +-' | sed -E 's/^ +//; s/  .*$//' | tr ',' '\n' | sed -E 's/^ +//; s/[ =].*$//' |
    grep -E '^-' | sort -u | tr '\n' ' '
}

{
  echo "# bash completion for $name, generated from its help texts at build time."
  echo "$function_name() {"
  echo '    local cur prev words cword'
  echo '    _init_completion 2>/dev/null || { cur=${COMP_WORDS[COMP_CWORD]}; prev=${COMP_WORDS[COMP_CWORD-1]}; words=("${COMP_WORDS[@]}"); cword=$COMP_CWORD; }'
  echo '    case $prev in'
  echo '        --lang) COMPREPLY=($(compgen -W "En Ko sCh Ru" -- "$cur")); return ;;'
  echo '        --upgrade) COMPREPLY=($(compgen -W "S U N" -- "$cur")); return ;;'
  echo '        --model) COMPREPLY=($(compgen -W "0 1 2 3 4 5 6 7 8 9 10 11 12 QX210 QX220 QX420 QX221 QX222 QX204 QX223 QX421 QX2201 QX205 QX325 QX224 QX225" -- "$cur")); return ;;'
  echo '        --port) COMPREPLY=($(compgen -f -- "${cur:-/dev/tty}")); return ;;'
  echo '        --data-dir) COMPREPLY=($(compgen -d -- "$cur")); return ;;'
  echo '        -o|--output|--link|--dump|--dump-flash|--write-drivers) COMPREPLY=($(compgen -f -- "$cur")); return ;;'
  echo '    esac'
  if [[ $name == qxed-cli ]]; then
    commands=$("$program" --help | sed -n '/^Commands:/,/^$/p' | sed '1d;$d' | awk '{print $1}' | tr '\n' ' ')
    echo '    local command="" i'
    echo '    for ((i = 1; i < cword; i++)); do'
    echo '        case ${words[i]} in --data-dir) ((i++)) ;; -*) ;; *) command=${words[i]}; break ;; esac'
    echo '    done'
    echo '    case $command in'
    echo "        \"\") COMPREPLY=(\$(compgen -W \"$commands $(options_of "$program")\" -- \"\$cur\")); return ;;"
    for command in $commands; do
      echo "        $command) local options=\"$(options_of "$program" "$command")\" ;;"
    done
    echo '    esac'
    echo '    if [[ $command == list && $cur != -* ]]; then'
    echo '        COMPREPLY=($(compgen -W "models plc keys operands ports" -- "$cur")); return'
    echo '    fi'
    echo '    if [[ $cur == -* ]]; then COMPREPLY=($(compgen -W "$options" -- "$cur")); else COMPREPLY=($(compgen -f -- "$cur")); fi'
  else
    echo "    if [[ \$cur == -* ]]; then COMPREPLY=(\$(compgen -W \"$(options_of "$program")\" -- \"\$cur\")); else COMPREPLY=(\$(compgen -f -- \"\$cur\")); fi"
  fi
  echo '}'
  echo "complete -F $function_name $name"
} > "$out.tmp"
mv "$out.tmp" "$out"
