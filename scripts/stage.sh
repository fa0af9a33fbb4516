#!/usr/bin/env bash
# The tally of the test stages (native, sanitize, windows, arm) in DIR, from
# which `make test` ends with one line per stage:
#
#   stage.sh DIR STAGE begin          forgets STAGE's earlier tally
#   stage.sh DIR STAGE ctest ARGS...  ctest ARGS --output-on-failure; the tests
#                                     that passed, and how many ctest did not
#                                     run, join the tally
#   stage.sh DIR STAGE not-run WHAT   notes WHAT (tests, or the whole stage,
#                                     and why) as not run
#   stage.sh DIR report STAGE...      "STAGE: N passed, 0 failed" and what
#                                     was not run, or "STAGE: not run: WHY";
#                                     fails when CI is set and the windows or
#                                     arm stage ran no test at all
set -euo pipefail
dir=$1
mkdir -p "$dir"

if [[ $2 == report ]]; then
  shift 2
  missing=0
  for stage in "$@"; do
    passed=0 ran=0 skipped=0 notes=
    while read -r kind value; do
      case $kind in
        passed) passed=$((passed + value)) ran=1 ;;
        skipped) skipped=$((skipped + value)) ;;
        not-run) notes+=${notes:+; }$value ;;
      esac
    done < <(cat "$dir/$stage" 2>/dev/null || echo "not-run this make call did not run it")
    if ((ran)); then
      line="$passed passed, 0 failed"
      if ((skipped)); then
        line+="; $skipped not run"
        [[ -n $notes ]] && line+=": $notes" || line+=" (listed by ctest above)"
      elif [[ -n $notes ]]; then
        line+="; not run: $notes"
      fi
    else
      line="not run: $notes"
      [[ $stage != windows && $stage != arm ]] || missing=1
    fi
    echo "$stage: $line"
  done
  if ((missing)) && [[ -n ${CI:-} ]]; then
    echo "make test: with CI set, a whole stage that did not run fails the run" >&2
    exit 1
  fi
  exit 0
fi

tally=$dir/$2 command=$3
shift 3
case $command in
  begin) rm -f "$tally" ;;
  not-run) echo "not-run $*" >>"$tally" ;;
  ctest)
    results=$(realpath -m "$tally.xml")
    ctest "$@" --output-on-failure --output-junit "$results"
    count() { sed -n "s/^[[:space:]]*$1=\"\([0-9]*\)\".*/\1/p" "$results" | head -n 1; }
    echo "passed $(($(count tests) - $(count failures) - $(count disabled) - $(count skipped)))" >>"$tally"
    echo "skipped $(($(count disabled) + $(count skipped)))" >>"$tally" ;;
  *) echo "usage: stage.sh DIR STAGE begin|ctest|not-run ... | stage.sh DIR report STAGE..." >&2; exit 2 ;;
esac
