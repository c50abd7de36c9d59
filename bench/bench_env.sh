# Sourced by the benchmarks: builds the given targets in the Windows tree (bench_build.sh) and
# starts a Wine prefix of the benchmarks' own, so the test prefix is left alone; it is ended
# when the benchmark exits. Sets `arch`, `build` and `wine_run`.
#   source bench/bench_env.sh TARGET...
source bench/bench_build.sh "$@"

export LURK_WINEPREFIX="$build/bench-prefix"
export LURK_WINE_STATE="$build/bench-state"
wine_run="$build/wine-run"
tests/harness/wine-env.sh setup "$wine_run" >/dev/null
trap 'tests/harness/wine-env.sh cleanup "$wine_run"' EXIT
