# bash completion of tarvex-cli: its commands, their options and files where a file
# goes. What it offers is read from the tool's own help, so it never lags behind it.

# The names in the "Commands:" table of a help text: "  NAME  summary".
_tarvex_cli_names() {
  sed -n '/^Commands:$/,/^$/{s/^  \(.*[^ ]\)  .*/\1/p}'
}

# The serial devices present, and for /dev/ttySn the number n + 1 that names it too.
_tarvex_cli_dev=/dev
_tarvex_cli_ports() {
  local ports=() path
  for path in "$_tarvex_cli_dev"/ttyS* "$_tarvex_cli_dev"/ttyUSB* "$_tarvex_cli_dev"/ttyACM* \
    "$_tarvex_cli_dev"/serial/by-id/*; do
    [ -e "$path" ] || continue
    ports+=("$path")
    [[ $path =~ /ttyS([0-9]+)$ ]] && ports+=($((BASH_REMATCH[1] + 1)))
  done
  mapfile -t COMPREPLY < <(compgen -W "${ports[*]}" -- "$1")
}

_tarvex_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} cli=${COMP_WORDS[0]}
  local words=() word usage i
  # The command's words so far: the options and their values left out. An option
  # takes a value when its usage line shows one ("[--last N]").
  usage=$("$cli" --help 2>/dev/null | head -1)
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    if [[ $word == -* ]]; then
      [[ $word != *=* && $usage == *"[$word "[A-Z]* ]] && ((i++))
      continue
    fi
    words+=("$word")
    [ ${#words[@]} -le 2 ] && usage=$("$cli" "${words[@]}" --help 2>/dev/null | head -1)
  done

  # The value of an option: a file for the file options, nothing to offer otherwise.
  local prev=${COMP_WORDS[COMP_CWORD - 1]}
  if [[ $prev == --port ]]; then
    _tarvex_cli_ports "$cur"
    return
  fi
  if [[ $prev == -* && $usage == *"[$prev "[A-Z]* ]]; then
    [[ $usage == *"[$prev FILE]"* || $usage == *"[$prev PATH]"* ]] && mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    return
  fi
  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$(grep -o -- '--[a-z0-9-]*' <<<"$usage") --help --version" -- "$cur")
    return
  fi
  local help names
  help=$("$cli" "${words[@]}" --help 2>/dev/null)
  names=$(_tarvex_cli_names <<<"$help")
  if [ -n "$names" ]; then
    # A list of commands: their first words, or the second after a group's word.
    mapfile -t COMPREPLY < <(compgen -W "$(cut -d' ' -f$((${#words[@]} + 1)) <<<"$names" | sort -u)" -- "$cur")
  elif [[ $usage == *" FILE" ]]; then
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
  fi
}

complete -F _tarvex_cli tarvex-cli
