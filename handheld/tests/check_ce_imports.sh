#!/bin/sh
# Checks that a Windows program imports only functions Windows CE 3.0 has.
#
#   check_ce_imports.sh [--expect NAME,NAME...] OBJDUMP LIST PROGRAM BASELINE
#
# OBJDUMP   the MinGW-w64 objdump (x86_64-w64-mingw32-objdump)
# LIST      handheld/ce30_imports.txt
# PROGRAM   the program to check
# BASELINE  the minimal UTF-16 window program built by the same toolchain;
#           what it imports is the toolchain's start-up and runtime, which a
#           CE toolchain replaces, so the check sets it aside
#
# Every other import must be in the list's [allowed] section. Each offender is
# named with its DLL, and for a known miss with what to call instead. Exit
# status: 0 none, 1 offenders, 2 the check itself could not run.
#
# With --expect, the check passes only if the offenders are exactly the names
# given: the way a test proves it rejects a deliberately bad program.
set -eu

usage() {
    echo "usage: $0 [--expect NAME,NAME...] OBJDUMP LIST PROGRAM BASELINE" >&2
    exit 2
}

expect=
expecting=0
if [ "${1-}" = "--expect" ]; then
    [ $# -ge 2 ] || usage
    expect=$2
    expecting=1
    shift 2
fi
[ $# -eq 4 ] || usage
objdump=$1
list=$2
program=$3
baseline=$4

for file in "$list" "$program" "$baseline"; do
    if [ ! -r "$file" ]; then
        echo "check_ce_imports: cannot read $file" >&2
        exit 2
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

# The import table as "DLL function" lines.
imports() {
    if ! "$objdump" -p "$1" >"$work/dump" 2>"$work/dump.err"; then
        echo "check_ce_imports: $objdump failed on $1:" >&2
        cat "$work/dump.err" >&2
        exit 2
    fi
    awk '
        /^The Import Tables/ { on = 1; next }
        /^The Export Tables|^The Function Table|^PE File Base Relocations|^There is an export table|^The \.rsrc Resource Directory/ { on = 0 }
        !on { next }
        /DLL Name:/ { dll = $3; next }
        dll != "" && NF == 3 && $1 ~ /^[0-9a-fA-F]+$/ && $2 ~ /^[0-9]+$/ { print dll, $3; next }
        # An import by ordinal has no name to look up: report it as such.
        dll != "" && NF == 2 && $1 ~ /^[0-9a-fA-F]+$/ && $2 ~ /^<none>$/ { print dll, "ordinal:" $1 }
    ' "$work/dump"
}

imports "$program" >"$work/program"
imports "$baseline" >"$work/baseline"
if [ ! -s "$work/program" ]; then
    echo "check_ce_imports: no imports read from $program" >&2
    exit 2
fi
if [ ! -s "$work/baseline" ]; then
    echo "check_ce_imports: no imports read from $baseline" >&2
    exit 2
fi

status=0
awk -v program="$program" -v expect="$expect" -v expecting="$expecting" '
    function fail(message) {
        printf "check_ce_imports: %s line %d: %s\n", FILENAME, FNR, message > "/dev/stderr"
        broken = 1
        exit 2
    }
    FNR == 1 { part++ }

    # The list.
    part == 1 {
        if ($0 ~ /^[ \t]*(#|$)/) next
        if ($0 ~ /^\[[a-z]+\][ \t]*$/) {
            section = $0
            sub(/^\[/, "", section); sub(/\][ \t]*$/, "", section)
            if (section != "allowed" && section != "missing" && section != "unverified")
                fail("unknown section [" section "]")
            next
        }
        if (section == "") fail("entry before any section")
        if (NF < 4) fail("want: Name DLL CE-version source")
        key = tolower($2) SUBSEP $1
        if (key in category) fail($1 " is listed twice")
        if (section == "allowed" && $3 !~ /^(1\.0|1\.01|2\.0|2\.01|2\.1[0-2]?|3\.0|<=3\.0)$/)
            fail($1 " is allowed but its CE version is " $3)
        category[key] = section
        version[key] = $3
        rest = $0
        sub(/^[ \t]*[^ \t]+[ \t]+[^ \t]+[ \t]+[^ \t]+[ \t]+/, "", rest)
        note[key] = rest
        if (section == "allowed") allowed++
        next
    }

    # The baseline program.
    part == 2 { start[tolower($1) SUBSEP $2] = 1; baseline++; next }

    # The program under check.
    part == 3 {
        imported++
        key = tolower($1) SUBSEP $2
        if (key in start) { fromstart++; next }
        if (category[key] == "allowed") { ok++; next }
        offenders++
        names[$2] = 1
        if (category[key] == "missing") {
            order = 1
            if (version[key] == "none")
                text = "not in Windows CE 3.0: " note[key]
            else
                text = "not in Windows CE 3.0 (CE " version[key] " and later): " note[key]
        } else if (category[key] == "unverified") {
            order = 2
            text = "CE 3.0 not confirmed: " note[key]
        } else {
            order = 3
            text = "not in handheld/ce30_imports.txt"
            if ($2 ~ /[a-z0-9]A$/)
                text = text "; looks like an 8-bit (A) function, CE 3.0 has only the UTF-16 (W) forms"
        }
        printf "%d\t%s\t%s\tOFFENDER %s %s: %s\n", order, tolower($1), $2, $1, $2, text > (workdir "/offenders")
        next
    }

    END {
        if (broken) exit 2
        if (allowed == 0) { print "check_ce_imports: no [allowed] entries read" > "/dev/stderr"; exit 2 }
        printf "%s: %d imports: %d start-up (also in the minimal window program), %d allowed for CE 3.0, %d offenders\n", program, imported, fromstart, ok, offenders
        if (expecting) {
            n = split(expect, wanted, ",")
            good = 1
            for (i = 1; i <= n; i++) {
                if (wanted[i] == "") continue
                if (!(wanted[i] in names)) { printf "EXPECTED OFFENDER NOT REPORTED: %s\n", wanted[i] > (workdir "/expect"); good = 0 }
                seen[wanted[i]] = 1
            }
            for (name in names)
                if (!(name in seen)) { printf "UNEXPECTED OFFENDER: %s\n", name > (workdir "/expect"); good = 0 }
            exit good ? 10 : 11
        }
        exit offenders ? 1 : 0
    }
' workdir="$work" "$list" "$work/baseline" "$work/program" || status=$?

if [ -s "$work/offenders" ]; then
    sort -t "$(printf '\t')" -k1,1n -k2,2 -k3,3 "$work/offenders" | cut -f4-
fi
if [ -s "$work/expect" ]; then
    sort "$work/expect"
fi

case $status in
    0) exit 0 ;;
    1) exit 1 ;;
    10) echo "expected offenders reported: $expect"; exit 0 ;;
    11) exit 1 ;;
    *) exit 2 ;;
esac
