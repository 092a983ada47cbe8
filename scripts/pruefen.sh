#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Zechwaage-Team
# SPDX-License-Identifier: GPL-3.0-or-later
# Style and lint checks: clang-format over the C++ files git knows, clang-tidy over the sources
# of a configured build. Exits non-zero on any difference or finding.
#
#   scripts/pruefen.sh [--geaendert] [build directory]    (default: build; needs
#                                                           compile_commands.json)
#   --geaendert checks only the files a change touches: those that differ from HEAD, staged or
#   not, and new files git does not ignore (the quick loop runs it this way).
#   ZW_PRUEFEN=format or ZW_PRUEFEN=tidy runs only the one check.
#
# Both tools are pinned to major version 19: other versions break lines and report findings
# differently. Debian 12 and 13 both have clang-format-19 and clang-tidy-19 (the test list
# installs them); where they are missing the check fails rather than passing unchecked.
set -euo pipefail
cd "$(dirname "$0")/.."
nur_geaendert=0
if [[ ${1:-} == --geaendert ]]; then
    nur_geaendert=1
    shift
fi
bau=${1:-build}
welche=${ZW_PRUEFEN:-format tidy}
version=19
jobs=$(nproc)
fehler=0

# The tool of the pinned major version; fails when there is none.
werkzeug() {
    local name=$1 kandidat
    for kandidat in "$name-$version" "$name"; do
        if command -v "$kandidat" >/dev/null 2>&1 &&
            "$kandidat" --version | grep -Eq "version $version\."; then
            echo "$kandidat"
            return
        fi
    done
    echo "pruefen: $name $version not found; install $name-$version (scripts/pakete-test.txt)" >&2
    exit 2
}

# The C++ files to check: every one git knows (or, in a copy without .git, every one found), or
# with --geaendert those a change touches.
quellen() {
    if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        find app bench calc chart fuzz metafile report schrift tests ui vorschau vorschauhelfer \
            vorschauprotokoll \
            -name '*.cpp' -o -name '*.h' | sort
    elif ((nur_geaendert)); then
        { git diff --name-only --diff-filter=d HEAD; git ls-files --others --exclude-standard; } |
            grep -E '\.(cpp|h)$' | sort -u
    else
        git ls-files '*.cpp' '*.h'
    fi
}

mapfile -t dateien < <(quellen)
if ((nur_geaendert)) && ((${#dateien[@]} == 0)); then
    echo "pruefen: no C++ file differs from HEAD"
    exit 0
fi
((${#dateien[@]} > 0)) || { echo "pruefen: no C++ files found" >&2; exit 2; }

if [[ " $welche " == *" format "* ]]; then
    format=$(werkzeug clang-format)
    if ! printf '%s\0' "${dateien[@]}" | xargs -0 -P"$jobs" -n8 "$format" --dry-run --Werror; then
        echo "pruefen: formatting differs; run: $format -i <file>"
        fehler=1
    else
        echo "pruefen: format clean (${#dateien[@]} files, $format)"
    fi
fi

if [[ " $welche " == *" tidy "* ]]; then
    tidy=$(werkzeug clang-tidy)
    if [[ ! -f $bau/compile_commands.json ]]; then
        echo "pruefen: $bau/compile_commands.json missing; configure with a preset first" >&2
        exit 2
    fi
    # Our own sources as the build compiles them, not what moc and the resource compiler
    # generate; with --geaendert those changed and those whose header changed.
    wurzel=$PWD/
    mapfile -t uebersetzt < <(sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$bau/compile_commands.json" |
        while read -r datei; do
            case $datei in
            "$wurzel"build*/* | *_autogen/*) ;;
            "$wurzel"*) echo "${datei#"$wurzel"}" ;;
            esac
        done | sort -u)
    if ((nur_geaendert)); then
        mapfile -t uebersetzt < <(printf '%s\n' "${uebersetzt[@]}" | grep -xF -f <(
            printf '%s\n' "${dateien[@]}" | sed 's/\.h$/.cpp/') || true)
    fi
    if ((${#uebersetzt[@]} == 0)); then
        echo "pruefen: tidy has nothing to check in $bau"
        ((nur_geaendert)) || fehler=1
    elif ! printf '%s\0' "${uebersetzt[@]}" |
        xargs -0 -P"$jobs" -n4 "$tidy" -p "$bau" --quiet \
            2> >(grep -v -e 'warnings generated' -e '^\[[0-9]*/[0-9]*\] Processing file' >&2); then
        echo "pruefen: clang-tidy has findings"
        fehler=1
    else
        echo "pruefen: tidy clean (${#uebersetzt[@]} files, $tidy)"
    fi
fi
exit $fehler
