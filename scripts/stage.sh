#!/usr/bin/env bash
# The tally of a test stage (native, sanitize, windows, arm), kept in DIR so
# that `make test` can end with one line per stage:
#
#   stage.sh DIR begin STAGE          forgets STAGE's earlier tally
#   stage.sh DIR ctest STAGE ARGS...  ctest ARGS --output-on-failure; the tests
#                                     that ran and passed (and those ctest
#                                     did not run) join STAGE's tally
#   stage.sh DIR not-run STAGE WHAT   notes WHAT (tests, or the whole stage,
#                                     and why) as not run
#   stage.sh DIR report STAGE...      one line per STAGE: "STAGE: N passed,
#                                     0 failed" and what was not run, or
#                                     "STAGE: not run: WHY"
#
# report fails when CI is set and the windows or arm stage ran no test at all.
set -euo pipefail

dir=$1 command=$2 stage=$3
shift 3
tally=$dir/$stage
mkdir -p "$dir"

case $command in
  begin)
    rm -f "$tally" ;;
  ctest)
    results=$tally.xml
    rm -f "$results"
    ctest "$@" --output-on-failure --output-junit "$(realpath -m "$results")"
    attribute() { sed -n "s/^[[:space:]]*$1=\"\([0-9]*\)\".*/\1/p" "$results" | head -n 1; }
    tests=$(attribute tests) failures=$(attribute failures)
    disabled=$(attribute disabled) skipped=$(attribute skipped)
    echo "passed $((tests - failures - disabled - skipped))" >>"$tally"
    echo "ctest-did-not-run $((disabled + skipped))" >>"$tally" ;;
  not-run)
    echo "not-run $*" >>"$tally" ;;
  report)
    missing=0
    for stage in "$stage" "$@"; do
      passed=0 did_not_run=0 ran=0 notes=
      if [[ -f $dir/$stage ]]; then
        while read -r kind value; do
          case $kind in
            passed) passed=$((passed + value)) ran=1 ;;
            ctest-did-not-run) did_not_run=$((did_not_run + value)) ;;
            not-run) notes+=${notes:+; }$value ;;
          esac
        done <"$dir/$stage"
      else
        notes="this make call did not run it"
      fi
      if ((ran)); then
        line="$passed passed, 0 failed"
        ((did_not_run)) && line+=", $did_not_run not run (listed by ctest above)"
        [[ -n $notes ]] && line+="; not run: $notes"
      else
        line="not run: $notes"
        [[ $stage == windows || $stage == arm ]] && missing=1
      fi
      echo "$stage: $line"
    done
    if ((missing)) && [[ -n ${CI:-} ]]; then
      echo "make test: with CI set, a whole stage that did not run fails the run" >&2
      exit 1
    fi ;;
  *)
    echo "usage: stage.sh DIR begin|ctest|not-run|report STAGE ..." >&2
    exit 2 ;;
esac
