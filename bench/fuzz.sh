#!/usr/bin/env bash
# Builds the fuzzers with clang (address and undefined-behaviour sanitizers, libFuzzer) and runs each
# for FUZZ_SECONDS (300 unless set), or only those named as arguments. A measurement by hand, not a
# part of ./test.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-300}
cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DLANTILE_FUZZ=ON -DLANTILE_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(record_dispatch_fuzz proxy_fuzz savedgame_fuzz)
cmake --build build/fuzz -j "$(nproc)" --target "${targets[@]}"
export SDL_AUDIODRIVER=dummy
# The toolkit's font cache lives until exit, as in ./test.
export LSAN_OPTIONS="suppressions=$PWD/tests/support/lsan.supp"
for target in "${targets[@]}"; do
  corpus=build/fuzz/corpus/$target
  mkdir -p "$corpus"
  echo "== $target, $seconds s (log: build/fuzz/$target.log)"
  # Seeds, where a target has them, are read but never written.
  seeds=()
  [ -d "tests/fuzz/${target}_seeds" ] && seeds=("tests/fuzz/${target}_seeds")
  build/fuzz/bin/$target -max_total_time="$seconds" -print_final_stats=1 -dict="tests/fuzz/$target.dict" \
    -artifact_prefix=build/fuzz/ "$corpus" "${seeds[@]}" >"build/fuzz/$target.log" 2>&1 || { tail -n 40 "build/fuzz/$target.log"; exit 1; }
  grep -E "^(#[0-9]+ *DONE|stat::)" "build/fuzz/$target.log" || tail -n 5 "build/fuzz/$target.log"
done
