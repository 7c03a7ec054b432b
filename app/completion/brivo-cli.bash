# bash completion for brivo-cli: its options, and folders after -o/--output-dir.
# Plain bash, so that it works without the bash-completion package's helpers.
_brivo_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  COMPREPLY=()
  case $prev in
    -o | --output-dir)
      compopt -o filenames 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -d -- "$cur")
      return
      ;;
  esac
  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W '--parse-only --keep-flv -o --output-dir --help' -- "$cur")
  fi
}
complete -F _brivo_cli brivo-cli
