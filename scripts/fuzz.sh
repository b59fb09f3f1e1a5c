#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and the sanitizers into ./build-fuzz, replays every
# input kept in fuzz/regressions, then fuzzes each target for the given number of seconds
# (default 600). The corpus grows in build-fuzz/corpus, starting from fuzz/corpus.
# A finding stops the run; its input is left in build-fuzz/findings/ to be replayed with
#   build-fuzz/fuzz/fuzz_<target> build-fuzz/findings/<file>
# and, once fixed, kept in fuzz/regressions/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
bash scripts/deps.sh
bash scripts/configure-core-sanitized.sh
targets=(number_text receiver_tick setup_text)
cmake --build build-fuzz --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"

mkdir -p build-fuzz/findings
for target in "${targets[@]}"; do
  binary="build-fuzz/fuzz/fuzz_${target}"
  kept=(fuzz/regressions/"${target}"/*)
  if [ -e "${kept[0]}" ]; then
    echo "== ${target}: replaying ${#kept[@]} kept input(s)"
    "${binary}" "${kept[@]}"
  fi
  corpus="build-fuzz/corpus/${target}"
  mkdir -p "${corpus}"
  echo "== ${target}: fuzzing for ${seconds} s"
  "${binary}" -max_total_time="${seconds}" -timeout=30 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/findings/${target}-" "${corpus}" "fuzz/corpus/${target}"
done
