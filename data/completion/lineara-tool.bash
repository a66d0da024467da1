# bash completion for lineara-tool: the commands, their options and, for
# each argument, the kind of file it takes.

# The arguments of each command, one word per position: a file extension
# (or several joined by "|" for either), "dir" for a folder, "-" for a
# free word such as a number, "*" for any number of free words, or a list
# of fixed words as "=word|word".
declare -gA _lineara_tool_args=(
    [info]="ln3"
    [resave]="ln3 ln3"
    [generate]="- ln3"
    [make-sample]="dir"
    [standardize-date]="*"
    [convert-dates]="ln3 ln3"
    [qcheck]="ln3"
    [render]="ln3 png"
    [export-image]="ln3 svg|png|pdf"
    [collect]="ln3 ln3"
    [export-gedcom]="ln3 ged|gdz"
    [import-gedcom]="ged|gdz ln3"
    [import-legacy]="ln|ln2 ln3"
    [arrange]="ln3 ln3"
    [organize]="ln3 - =compact|fractal ln3"
    [create-ancestors]="ln3 - - =compact|fractal ln3"
    [print]="ln3 pdf"
    [list-persons]="ln3 txt"
    [list-surnames]="ln3 txt"
    [html]="ln3 dir"
)

# The options of each command; those ending in "=" take a value.
declare -gA _lineara_tool_options=(
    [generate]="--seed="
    [render]="--size= --zoom= --scroll= --colour-code="
    [export-image]="--selected-ids= --scale= --colour-code="
    [export-gedcom]="--now= --standard --gedcom7 --allow-outside"
    [import-legacy]="--keep-dates"
    [print]="--pages= --portrait --border= --selected-ids="
    [html]="--no-frames --no-siblings --charset= --allow-outside"
    [collect]="--allow-outside"
)

# Folders, and the files with one of the extensions ("ln|ln2"); names with
# blanks stay whole.
_lineara_tool_files() {
    local cur=$1 kinds=$2 ext line
    local -a exts
    compopt -o filenames 2>/dev/null
    COMPREPLY=()
    while IFS= read -r line; do COMPREPLY+=("$line"); done < <(compgen -d -- "$cur")
    [[ $kinds == dir ]] && return
    IFS='|' read -ra exts <<<"$kinds"
    for ext in "${exts[@]}"; do
        while IFS= read -r line; do
            COMPREPLY+=("$line")
        done < <(compgen -f -X "!*.$ext" -- "$cur")
    done
}

_lineara_tool() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()

    if ((COMP_CWORD == 1)); then
        COMPREPLY=($(compgen -W "${!_lineara_tool_args[*]} --help" -- "$cur"))
        return
    fi

    local command=${COMP_WORDS[1]}
    local options=${_lineara_tool_options[$command]}
    local expected=${_lineara_tool_args[$command]-}
    [[ -n $expected ]] || return

    # The value of an option.
    case "$prev" in
        --colour-code)
            COMPREPLY=($(compgen -W "none gender notes picture" -- "$cur"))
            return ;;
        --seed | --size | --zoom | --scroll | --now | --pages | --border | --selected-ids | --charset | --scale)
            return ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "${options//=/}" -- "$cur"))
        return
    fi

    # Which argument this is, options and their values left out.
    local i word position=0
    for ((i = 2; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if [[ $word == -* ]]; then
            [[ " $options " == *" $word= "* ]] && ((i++))
            continue
        fi
        ((position++))
    done

    local -a kinds
    local kind
    read -ra kinds <<<"$expected"
    if [[ ${kinds[0]} == "*" ]]; then
        return
    elif ((position < ${#kinds[@]})); then
        kind=${kinds[position]}
    else
        # Past the arguments only options are left.
        COMPREPLY=($(compgen -W "${options//=/}" -- "$cur"))
        return
    fi

    case "$kind" in
        -) ;;
        =*) local words=${kind#=}
            COMPREPLY=($(compgen -W "${words//|/ }" -- "$cur")) ;;
        *) _lineara_tool_files "$cur" "$kind" ;;
    esac
}

complete -F _lineara_tool lineara-tool
