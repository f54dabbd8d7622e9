#!/usr/bin/env bash
# Runs every fuzz target of a build, two at a time, each on a working corpus that starts from its
# committed seeds. Fails when any target reports a finding (crash, sanitizer report, leak, timeout,
# round trip that differs); the inputs that found them are kept.
#   bash fuzz/run.sh BUILD_DIR SECONDS       each target for the seconds, with a new random seed, adding
#                                            to the corpus of earlier runs
#   bash fuzz/run.sh BUILD_DIR short         each target for a fixed number of inputs (about 30 s
#                                            each), from the committed seeds only and a fixed random
#                                            seed: the same amount of work however busy the machine
set -uo pipefail
cd "$(dirname "$0")/.."
build=$1
seconds=$2
work=$build/fuzz-runs
if [ "$seconds" = short ]; then
  rm -rf "$work/corpus"
fi
mkdir -p "$work/artifacts"

# The longest input of a target: documents may be a few pages, values and patterns are short.
max_len() {
  case $1 in
    xml | fi | json | po) echo 16384 ;;
    pattern) echo 256 ;;
    *) echo 1024 ;;
  esac
}

# The inputs of a target's short run: about 30 s of the sanitizer build on two cores.
short_runs() {
  case $1 in
    xml | po) echo 60000 ;;
    json) echo 120000 ;;
    fi) echo 250000 ;;
    number | datetime | pattern) echo 400000 ;;
    *) echo 800000 ;;
  esac
}

# Runs one target and writes its log; the exit status is libFuzzer's.
run_target() {
  local target=$1 dictionary=() length=()
  mkdir -p "$work/corpus/$target"
  [ -f "fuzz/$target.dict" ] && dictionary=("-dict=fuzz/$target.dict")
  if [ "$seconds" = short ]; then
    length=(-seed=1 -runs="$(short_runs "$target")" -max_total_time=120)
  else
    length=(-max_total_time="$seconds")
  fi
  "$build/fuzz/nxfuzz_$target" "$work/corpus/$target" "fuzz/corpus/$target" "${dictionary[@]}" \
    -max_len="$(max_len "$target")" "${length[@]}" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/$target-" >"$work/$target.log" 2>&1
}

targets=(xml fi json po number datetime binary pattern)
failed=()
declare -A running=()
for target in "${targets[@]}"; do
  run_target "$target" &
  running[$!]=$target
  while [ ${#running[@]} -ge 2 ] || { [ "$target" = "${targets[-1]}" ] && [ ${#running[@]} -gt 0 ]; }; do
    finished=0
    wait -n -p finished
    status=$?
    name=${running[$finished]}
    unset "running[$finished]"
    summary=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$work/$name.log" | tail -n 1)
    echo "nxfuzz_$name: ${summary:-no final statistics} (exit $status)"
    [ "$status" -eq 0 ] || failed+=("$name")
  done
done
if [ ${#failed[@]} -gt 0 ]; then
  for name in "${failed[@]}"; do
    echo "nxfuzz_$name found a fault; log: $work/$name.log" >&2
    grep -E -A12 '^finding:|ERROR: |runtime error' "$work/$name.log" | head -n 40 >&2
  done
  exit 1
fi
echo "fuzzing: ${#targets[@]} targets ($seconds), no finding"
