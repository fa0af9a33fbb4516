#!/bin/sh
# Checks that a Windows program imports only functions its target platform
# has, as a list file records them, and for a desktop target that the
# program's PE header lets that platform load it.
#
#   check-imports.sh [--expect NAME,NAME...] OBJDUMP LIST PROGRAM
#
# OBJDUMP   an objdump that reads the program (i686-w64-mingw32-objdump,
#           arm-mingw32ce-objdump)
# LIST      the platform's list: the ARM build's ce30_imports.txt (Windows CE 3.0,
#           made from arm-wince/ce30_functions.txt),
#           framework/winxp_imports.txt (Windows XP SP3)
# PROGRAM   the program to check
#
# The list starts with settings, one a line, before its first section:
#   platform   NAME...   the platform's name, for messages
#   versions   REGEX     the versions an [allowed] entry may give
#   subsystem  MAJOR.MINOR
#                        optional: the highest subsystem version the platform
#                        loads; a program whose PE header asks for more fails,
#                        and is reported as the offender SubsystemVersion
#   ansi-note  TEXT      optional: added to an unlisted 8-bit (...A) function
# then sections [allowed], [missing], [unverified] of lines
#   Name  DLL  version  source...
#
# Every import must be in [allowed]. Each offender is named
# with its DLL, and for a known miss with what to call instead. Exit status:
# 0 none, 1 offenders, 2 the check itself could not run.
#
# With --expect, the check passes only if the offenders are exactly the names
# given: the way a test proves it rejects a deliberately bad program.
set -eu

usage() {
    echo "usage: $0 [--expect NAME,NAME...] OBJDUMP LIST PROGRAM" >&2
    exit 2
}

expect=
expecting=0
while [ $# -gt 0 ]; do
    case $1 in
        --expect) [ $# -ge 2 ] || usage; expect=$2; expecting=1; shift 2 ;;
        --*) usage ;;
        *) break ;;
    esac
done
[ $# -eq 3 ] || usage
objdump=$1
list=$2
program=$3

for file in "$list" "$program"; do
    if [ ! -r "$file" ]; then
        echo "check-imports: cannot read $file" >&2
        exit 2
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

# objdump -p of a program into $work/NAME.
dump() {
    if ! "$objdump" -p "$1" >"$work/$2" 2>"$work/dump.err"; then
        echo "check-imports: $objdump failed on $1:" >&2
        cat "$work/dump.err" >&2
        exit 2
    fi
}

# The import table of a dump as "DLL function" lines.
imports() {
    awk '
        /^The Import Tables/ { on = 1; next }
        /^The Export Tables|^The Function Table|^PE File Base Relocations|^There is an export table|^The \.rsrc Resource Directory/ { on = 0 }
        !on { next }
        /DLL Name:/ { dll = $3; next }
        dll != "" && NF == 3 && $1 ~ /^[0-9a-fA-F]+$/ && $2 ~ /^[0-9]+$/ { print dll, $3; next }
        # An import by ordinal has no name to look up: report it as such.
        dll != "" && NF == 2 && $1 ~ /^[0-9a-fA-F]+$/ && $2 ~ /^<none>$/ { print dll, "ordinal:" $1 }
    ' "$work/$1"
}

# The PE header's versions as "Subsystem MAJOR MINOR" and "OSystem MAJOR MINOR".
header_versions() {
    awk '
        $1 == "MajorSubsystemVersion" { sub_major = $2 }
        $1 == "MinorSubsystemVersion" { sub_minor = $2 }
        $1 == "MajorOSystemVersion" { os_major = $2 }
        $1 == "MinorOSystemVersion" { os_minor = $2 }
        END {
            if (sub_major != "" && sub_minor != "") print "Subsystem", sub_major, sub_minor
            if (os_major != "" && os_minor != "") print "OSystem", os_major, os_minor
        }
    ' "$work/$1"
}

dump "$program" program.dump
imports program.dump >"$work/program"
header_versions program.dump >"$work/header"
if [ ! -s "$work/program" ]; then
    echo "check-imports: no imports read from $program" >&2
    exit 2
fi
if ! grep -q '^Subsystem ' "$work/header"; then
    echo "check-imports: no subsystem version read from $program" >&2
    exit 2
fi

status=0
awk -v program="$program" -v listname="$list" \
    -v expect="$expect" -v expecting="$expecting" '
    function fail(message) {
        printf "check-imports: %s line %d: %s\n", FILENAME, FNR, message > "/dev/stderr"
        broken = 1
        exit 2
    }
    function offend(order, dll, name, text) {
        offenders++
        names[name] = 1
        printf "%d\t%s\t%s\tOFFENDER %s %s: %s\n", order, tolower(dll), name, dll, name, text > (workdir "/offenders")
    }
    FNR == 1 { part++ }

    # The list: settings, then sections.
    part == 1 {
        if ($0 ~ /^[ \t]*(#|$)/) next
        if ($0 ~ /^\[[a-z]+\][ \t]*$/) {
            section = $0
            sub(/^\[/, "", section); sub(/\][ \t]*$/, "", section)
            if (section != "allowed" && section != "missing" && section != "unverified")
                fail("unknown section [" section "]")
            if (platform == "" || versions == "")
                fail("the settings platform and versions must come before the first section")
            next
        }
        if (section == "") {
            value = $0
            sub(/^[ \t]*[^ \t]+[ \t]*/, "", value); sub(/[ \t]+$/, "", value)
            if ($1 == "platform") platform = value
            else if ($1 == "versions") versions = value
            else if ($1 == "ansi-note") ansinote = value
            else if ($1 == "subsystem") {
                if (value !~ /^[0-9]+\.[0-9]+$/) fail("want: subsystem MAJOR.MINOR")
                split(value, parts, ".")
                maxsub = value; maxmajor = parts[1] + 0; maxminor = parts[2] + 0
            } else fail("unknown setting " $1)
            next
        }
        if (NF < 4) fail("want: Name DLL version source")
        key = tolower($2) SUBSEP $1
        if (key in category) fail($1 " is listed twice")
        if (section == "allowed" && $3 !~ versions)
            fail($1 " is allowed but its version is " $3)
        category[key] = section
        version[key] = $3
        rest = $0
        sub(/^[ \t]*[^ \t]+[ \t]+[^ \t]+[ \t]+[^ \t]+[ \t]+/, "", rest)
        note[key] = rest
        if (section == "allowed") allowed++
        next
    }

    # The PE header.
    part == 2 {
        if ($1 == "Subsystem") { submajor = $2 + 0; subminor = $3 + 0 }
        if ($1 == "OSystem") osversion = sprintf("%d.%02d", $2, $3)
        next
    }


    # The program under check.
    part == 3 {
        imported++
        key = tolower($1) SUBSEP $2
        if (category[key] == "allowed") { ok++; next }
        if (category[key] == "missing") {
            if (version[key] == "none")
                offend(1, $1, $2, "not in " platform ": " note[key])
            else
                offend(1, $1, $2, "not in " platform " (" version[key] " and later): " note[key])
        } else if (category[key] == "unverified") {
            offend(2, $1, $2, platform " not confirmed: " note[key])
        } else {
            text = "not in " listname
            if ($2 ~ /[a-z0-9]A$/ && ansinote != "")
                text = text "; looks like an 8-bit (A) function, " ansinote
            offend(3, $1, $2, text)
        }
        next
    }

    END {
        if (broken) exit 2
        if (allowed == 0) { print "check-imports: no [allowed] entries read" > "/dev/stderr"; exit 2 }
        subversion = sprintf("%d.%02d", submajor, subminor)
        if (maxsub != "" && (submajor > maxmajor || (submajor == maxmajor && subminor > maxminor)))
            offend(0, "PE-header", "SubsystemVersion",
                   "subsystem version " subversion "; " platform " loads a program only up to " maxsub)
        printf "%s: %d imports: ", program, imported
        printf "%d allowed for %s, %d offenders; subsystem version %s, OS version %s\n", ok, platform, offenders, subversion, osversion
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
' workdir="$work" "$list" "$work/header" "$work/program" || status=$?

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
