#!/usr/bin/env bash
# Builds the two fuzzers with clang (address and undefined-behaviour sanitizers, libFuzzer) and runs
# each for FUZZ_SECONDS (300 unless set). A measurement by hand, not a part of ./test.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-300}
cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DLANTILE_FUZZ=ON -DLANTILE_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/fuzz -j "$(nproc)" --target record_dispatch_fuzz proxy_fuzz
export SDL_AUDIODRIVER=dummy
# The toolkit's font cache lives until exit, as in ./test.
export LSAN_OPTIONS="suppressions=$PWD/tests/support/lsan.supp"
for target in record_dispatch_fuzz proxy_fuzz; do
  corpus=build/fuzz/corpus/$target
  mkdir -p "$corpus"
  echo "== $target, $seconds s (log: build/fuzz/$target.log)"
  build/fuzz/bin/$target -max_total_time="$seconds" -print_final_stats=1 -dict="tests/fuzz/$target.dict" \
    -artifact_prefix=build/fuzz/ "$corpus" >"build/fuzz/$target.log" 2>&1 || { tail -n 40 "build/fuzz/$target.log"; exit 1; }
  grep -E "^(#[0-9]+ *DONE|stat::)" "build/fuzz/$target.log" || tail -n 5 "build/fuzz/$target.log"
done
