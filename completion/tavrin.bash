# bash completion for tavrin: commands, options, format keys, export formats, setting names and
# serial ports.
_tavrin() {
    local cur prev cmd i
    COMPREPLY=()
    cur="${COMP_WORDS[COMP_CWORD]}"
    prev="${COMP_WORDS[COMP_CWORD-1]}"
    local commands="formats import detect events options cdx export convert compute codes receive help"
    cmd=""
    for ((i = 1; i < COMP_CWORD; i++)); do
        case "${COMP_WORDS[i]}" in
            --lang|--config) ((i++)) ;;
            -*) ;;
            *) cmd="${COMP_WORDS[i]}"; break ;;
        esac
    done

    case "$prev" in
        --lang) COMPREPLY=($(compgen -W "en ru" -- "$cur")); return ;;
        --config|-o|--output|--into|--project|--import) COMPREPLY=($(compgen -f -- "$cur")); return ;;
        --format)
            if [ "$cmd" = convert ]; then
                COMPREPLY=($(compgen -W "gpkg geojson dxf kml shp csv landxml" -- "$cur"))
                return
            fi
            ;&
        -f)
            local names
            if [ "$cmd" = export ]; then
                names=$("${COMP_WORDS[0]}" formats --list export 2>/dev/null)
            else
                names=$("${COMP_WORDS[0]}" formats --list import 2>/dev/null)
            fi
            COMPREPLY=($(compgen -W "$names" -- "$cur"))
            return ;;
        --port)
            COMPREPLY=($(compgen -W "COM1 COM2 COM3 COM4 $(ls /dev/ttyS* /dev/ttyUSB* /dev/ttyACM* /dev/serial/by-id/* 2>/dev/null)" -- "$cur"))
            return ;;
        --angle-unit)
            if [ "$cmd" = convert ]; then
                COMPREPLY=($(compgen -W "deg gon dms rad" -- "$cur"))
            else
                COMPREPLY=($(compgen -W "dms deg gon mil rad" -- "$cur"))
            fi
            return ;;
        --encoding) COMPREPLY=($(compgen -W "utf-8 cp1251" -- "$cur")); return ;;
        --curvature) COMPREPLY=($(compgen -W "on off" -- "$cur")); return ;;
        --dist-unit) COMPREPLY=($(compgen -W "m ft usft mm" -- "$cur")); return ;;
        --pass) COMPREPLY=($(compgen -W "1 2" -- "$cur")); return ;;
        --list) COMPREPLY=($(compgen -W "import export" -- "$cur")); return ;;
        --baud) COMPREPLY=($(compgen -W "300 600 1200 2400 4800 9600 19200 38400 57600 76800 115200 153600" -- "$cur")); return ;;
        --data-bits) COMPREPLY=($(compgen -W "7 8" -- "$cur")); return ;;
        --stop-bits) COMPREPLY=($(compgen -W "1 2" -- "$cur")); return ;;
        --parity) COMPREPLY=($(compgen -W "none even odd" -- "$cur")); return ;;
        --flow) COMPREPLY=($(compgen -W "none dtr rts xon dtr,rts rts,xon dtr,xon dtr,rts,xon" -- "$cur")); return ;;
        --set)
            local names="" j
            for ((j = 1; j < COMP_CWORD; j++)); do
                case "${COMP_WORDS[j]}" in -f|--format) names=$("${COMP_WORDS[0]}" options -f "${COMP_WORDS[j+1]}" --json 2>/dev/null | sed -n 's/^  "\([A-Za-z0-9]*\)": {.*/\1=/p') ;; esac
            done
            compopt -o nospace 2>/dev/null
            COMPREPLY=($(compgen -W "$names" -- "$cur"))
            return ;;
    esac

    local opts
    case "$cmd" in
        "") opts="--lang --config --version --help $commands" ;;
        formats) opts="--json --list --help" ;;
        import) opts="-f --format -o --output --into --crs --set --angle-unit --dist-unit --encoding --no-compute --yes --no --help" ;;
        detect) opts="--json --help" ;;
        convert) opts="--format --crs --selected --angle-unit --help" ;;
        compute) opts="-o --output --tolerance --face-tolerance --curvature --refraction --help" ;;
        codes) opts="--import --name --codes --help" ;;
        events) opts="-f --format --json --pass --set --angle-unit --dist-unit --encoding --help" ;;
        options) opts="-f --format --set --json --help" ;;
        cdx) opts="-o --output --into --help" ;;
        export) opts="-f --format --selected --dist-unit --decimals --yes --no --help" ;;
        receive) opts="--port --baud --data-bits --parity --stop-bits --flow -o --output --new --append --import --project --timeout --yes --no --help" ;;
        help) opts="$commands" ;;
    esac
    if [[ "$cur" == -* || "$cmd" == "" || "$cmd" == help ]]; then
        COMPREPLY=($(compgen -W "$opts" -- "$cur"))
    else
        COMPREPLY=($(compgen -f -- "$cur"))
    fi
}
complete -o filenames -F _tavrin tavrin
