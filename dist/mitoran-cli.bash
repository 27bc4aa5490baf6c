# bash completion for mitoran-cli: its commands, each command's options, and file names where a file is asked.
_mitoran_cli() {
    local cur prev words cword
    _init_completion || return

    local global_options="--data-dir --user --help --version"
    local command="" subcommand="" i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
        --data-dir | --user) ((i++)) ;;
        -*) ;;
        *)
            if [[ -z $command ]]; then
                command=${words[i]}
            elif [[ $command == leave && -z $subcommand ]]; then
                subcommand=${words[i]}
            fi
            ;;
        esac
    done

    case $prev in
    --data-dir)
        _filedir -d
        return
        ;;
    --user | --at)
        return
        ;;
    --csv)
        _filedir
        return
        ;;
    esac

    local options
    case $command in
    "")
        COMPREPLY=($(compgen -W "recalc show stamp csv totals leave pay span limits pdf $global_options" -- "$cur"))
        return
        ;;
    stamp) options="in out --at" ;;
    totals) options="--all --csv" ;;
    leave) [[ -z $subcommand ]] && options="show csv" ;;
    pay) options="--password-stdin" ;;
    span) options="--pay --password-stdin" ;;
    limits) options="--at --csv" ;;
    pdf) options="--totals --leave --limits" ;;
    esac
    COMPREPLY=($(compgen -W "$options $global_options" -- "$cur"))
    # The commands that write a file take its name last.
    case $command in
    csv | pdf | leave)
        [[ $cur != -* && ($command != leave || $subcommand == csv) ]] && _filedir
        ;;
    esac
} &&
    complete -F _mitoran_cli mitoran-cli
