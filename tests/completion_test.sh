#!/usr/bin/env bash
# Loads the bash completion as bash-completion does and checks what it
# offers: the long options (from the built tool's --help), --format's
# directives, and the extensions of the folder's names.
set -u
tool_dir=$(cd "$1" && pwd) completion=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
source /usr/share/bash-completion/bash_completion || exit 1
source "$completion" || exit 1
PATH=$tool_dir:$PATH
failed=0
offers() {  # offers WORD... -- EXPECTED
  local expected=${*: -1} line
  COMP_WORDS=("${@:1:$#-2}")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  line="${COMP_WORDS[*]}"
  COMP_LINE=$line COMP_POINT=${#line}
  COMPREPLY=()
  _velmora velmora "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  if [[ " ${COMPREPLY[*]} " != *" $expected "* ]]; then
    echo "completion: '${COMP_WORDS[*]}' offers '${COMPREPLY[*]}', not '$expected'" >&2
    failed=1
  fi
}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
touch "$folder/2010-09-10 13.40.jpg" "$folder/clip.mp4" "$folder/README"
cd "$folder" || exit 1
offers velmora --dr -- --dry-run
offers velmora --rec -- --recursive
offers velmora --tz Europe/Be -- Europe/Berlin
offers velmora --format %Y -- %Y
offers velmora j -- jpg
offers velmora --auto m -- mp4
mkdir sub && touch sub/x.heic
offers velmora --directory sub h -- heic
offers velmora --directory=sub h -- heic
offers velmora --directory=s -- sub
HOME=$folder offers velmora --directory "~/sub" h -- heic
offers velmora --tz Europ -- Europe/
((failed)) && exit 1
echo "completion: every offer as expected"
