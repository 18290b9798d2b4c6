#!/usr/bin/env bash
# Builds and runs every test: the normal build, the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz targets for a
# bounded number of inputs.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)

# Every build of the tests treats a warning as an error, so the tree stays
# at none.
werror=-DCMAKE_COMPILE_WARNING_AS_ERROR=ON

# The benchmarks are built with the tests (not run), so a warning or a
# broken build in bench/ fails here too.
"$here/scripts/setup.sh" "$here/build" -DWAGEDESK_TESTS=ON -DWAGEDESK_BENCH=ON "$werror"
# A comma-decimal locale, so the number formats are tested against one.
if ! locale -a 2>/dev/null | grep -qi '^de_DE.utf8$'; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8 2>/dev/null || echo "(no de_DE locale: that test is skipped)"
fi
ctest --test-dir "$here/build" --output-on-failure -j "$jobs"

echo "== fuzz"
CXX=clang++ "$here/scripts/setup.sh" "$here/build-fuzz" -DWAGEDESK_FUZZ=ON -DWAGEDESK_TESTS=OFF "$werror"
mkdir -p "$here/build-fuzz/corpus" "$here/build-fuzz/loaders_corpus"
"$here/build-fuzz/bin/seqfile_fuzz" -runs=200000 -max_len=4096 "$here/build-fuzz/corpus" "$here/fuzz/corpus"
"$here/build-fuzz/bin/loaders_fuzz" -runs=50000 -max_len=8192 "$here/build-fuzz/loaders_corpus" \
  "$here/fuzz/loaders_corpus"

echo "== sanitizer build"
"$here/scripts/setup.sh" "$here/build-asan" -DWAGEDESK_SANITIZE=ON -DWAGEDESK_TESTS=ON -DCMAKE_BUILD_TYPE=Debug \
  "$werror"
# Leaks fail the run; tests/lsan.supp lists the system libraries' own.
# The leak checker's scan of dynamic TLS (the blocks of libraries loaded at
# run time, Qt's plugins among them) can read a bogus block and crash at
# exit, depending only on how the heap happens to be laid out (seen with
# GCC 12's sanitizers on glibc 2.36); with __tls_get_addr not intercepted it
# scans no such blocks.
ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0 LSAN_OPTIONS="suppressions=$here/tests/lsan.supp" \
  UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$here/build-asan" --output-on-failure -j "$jobs"
