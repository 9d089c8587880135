#!/usr/bin/env bash
# Compares what two builds of titralab-export print and write, byte for byte: the table of every
# study on both sides, sampled by pH and by volume, the readings of the titrations, and the
# printed page of every study, families of curves (the PDF's creation date aside). Used to show that a change which
# should not touch the numbers did not.
#
#   scripts/compare-outputs.sh OLD_EXPORT NEW_EXPORT
#
# Prints one line per differing case and exits 1 when any differs, 0 when all are identical.
set -uo pipefail
old=$(realpath "${1:?usage: compare-outputs.sh OLD_EXPORT NEW_EXPORT}")
new=$(realpath "${2:?usage: compare-outputs.sh OLD_EXPORT NEW_EXPORT}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cases=()
for side in acid base; do
  for study in titration species two-mono mixture dilution; do
    for entry in 1 2 5; do
      cases+=("--side $side --study $study --entry1 $entry")
      cases+=("--side $side --study $study --entry1 $entry --by-volume")
      cases+=("--side $side --study $study --entry1 $entry --dilution --digits 9")
      cases+=("--side $side --study $study --entry1 $entry --lang en --separator point")
    done
  done
  cases+=("--side $side --study titration --entry1 3 --derivative")
  cases+=("--side $side --study titration --entry1 3 --equivalence")
  cases+=("--side $side --study titration --entry1 3 --at 12,5")
  cases+=("--side $side --study titration --entry1 3 --potash --tick 2,3,8")
  # Families: one field, two fields together, a dilution factor, on every study they apply to.
  cases+=("--side $side --study titration --entry1 3 --vary D4=3;4,75;6")
  cases+=("--side $side --study titration --entry1 1 --vary D1,D2=0,01;0,1;1")
  cases+=("--side $side --study species --entry1 5 --vary D2=0,001;0,1")
  cases+=("--side $side --study two-mono --entry1 2 --vary D13=5;10;20")
  cases+=("--side $side --study dilution --entry1 2 --vary dilution=2;10;100")
done

# Runs one case with one binary into DIR: standard output, standard error, exit status and the
# page (when the case writes one).
run() {
  local exe=$1 dir=$2
  shift 2
  mkdir -p "$dir"
  (cd "$dir" && "$exe" "$@" >stdout 2>stderr; echo $? >status)
  if [ -f "$dir/page.pdf" ]; then
    sed -e '/^\/CreationDate/d' "$dir/page.pdf" >"$dir/page.cmp" && rm "$dir/page.pdf"
  fi
}

differ=0
n=0
compare() {
  n=$((n + 1))
  run "$old" "$work/old/$n" "$@"
  run "$new" "$work/new/$n" "$@"
  # Qt's start-up chatter on standard error is not the program's output.
  for d in old new; do
    grep -v '^QStandardPaths' "$work/$d/$n/stderr" >"$work/$d/$n/stderr.cmp"
    rm "$work/$d/$n/stderr"
  done
  if ! diff -r -q "$work/old/$n" "$work/new/$n" >/dev/null; then
    echo "differs ($(diff -r -q "$work/old/$n" "$work/new/$n" | sed 's|.*/||; s| differ||' | tr '\n' ' ')): $*"
    differ=1
  fi
}

for c in "${cases[@]}"; do
  # shellcheck disable=SC2086
  compare $c
done
for side in acid base; do
  for study in titration species two-mono mixture dilution; do
    compare --side "$side" --study "$study" --entry1 2 --pdf page.pdf
  done
done
compare --side acid --study titration --entry1 17 --pdf page.pdf --colour --grid --zoom
echo "$n cases compared"
exit $differ
