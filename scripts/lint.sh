#!/usr/bin/env bash
# Static analysis of the project's own C++ sources: clang-tidy (checks in .clang-tidy),
# clazy (Qt's pitfalls) and cppcheck. Reads the compile commands of an existing build.
#   scripts/lint.sh [build folder, default build]
# Fails on any finding. A finding that is wrong for a good reason is silenced where it
# stands (NOLINT / clazy / cppcheck comment) with the reason beside it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
cd "$root"

# The sources that the build compiles, less what moc, uic and rcc generate.
mapfile -t sources < <(python3 - "$build/compile_commands.json" <<'PY'
import json, os, subprocess, sys
tracked = set(subprocess.run(["git", "ls-files", "*.cpp"], capture_output=True, text=True,
                             check=True).stdout.split())
compiled = {os.path.relpath(e["file"]) for e in json.load(open(sys.argv[1]))}
print("\n".join(sorted(tracked & compiled)))
PY
)
if [ ${#sources[@]} -eq 0 ]; then
    echo "lint: no sources found in $build/compile_commands.json"
    exit 1
fi
jobs="$(nproc)"
failed=0

echo "== clang-tidy (${#sources[@]} files)"
if ! printf '%s\n' "${sources[@]}" |
    xargs -P "$jobs" -n 1 clang-tidy -p "$build" --quiet 2>/dev/null; then
    failed=1
fi

echo "== clazy"
# Level 0 and 1, less the notify signal that the component model's properties do without,
# plus the level 2 and manual checks that catch real faults in code like ours.
clazy_checks="level0,level1,no-qproperty-without-notify,old-style-connect,missing-qobject-macro"
clazy_checks+=",base-class-event,virtual-call-ctor,returning-void-expression"
clazy_checks+=",assert-with-side-effects,container-inside-loop,detaching-member"
clazy_checks+=",isempty-vs-count,qproperty-type-mismatch,use-arrow-operator-instead-of-data"
clazy_checks+=",qt6-deprecated-api-fixes"
# A widget or component that forms and owners create must take its parent; a test object
# and a test's recording globals are made once by the test's main and need neither rule.
program_checks="$clazy_checks,ctor-missing-parent-argument"
test_checks="$clazy_checks,no-non-pod-global-static"
clazy_log="$(mktemp)"
run_clazy() {
    local checks="$1"
    shift
    [ $# -gt 0 ] || return 0
    # clazy reports on stderr and exits 0 whatever it finds.
    printf '%s\n' "$@" | xargs -P "$jobs" -n 1 clazy-standalone -p "$build" -checks="$checks" \
        -header-filter='.*/(app|about|lines|platform|helpengine|help|bench|tests(/[a-z0-9_]+)?)/[^/]+\.h$' \
        >>"$clazy_log" 2>&1 || true
}
mapfile -t program_sources < <(printf '%s\n' "${sources[@]}" | grep -v '^tests/' || true)
mapfile -t test_sources < <(printf '%s\n' "${sources[@]}" | grep '^tests/' || true)
run_clazy "$program_checks" "${program_sources[@]}"
run_clazy "$test_checks" "${test_sources[@]}"
if grep -q 'warning:\|error:' "$clazy_log"; then
    grep -A3 'warning:\|error:' "$clazy_log"
    failed=1
fi
rm -f "$clazy_log"

echo "== cppcheck"
mapfile -t include_dirs < <(git ls-files '*.h' | xargs -n 1 dirname | sort -u)
cppcheck_args=(
    --quiet --std=c++20 --language=c++ --library=qt --inline-suppr -D__GNUC__ -j "$jobs"
    --enable=warning,style,performance,portability --error-exitcode=1
    # Qt's and the system's headers are left out on purpose: cppcheck's own Qt knowledge is
    # enough, and reading them would take minutes.
    --suppress=missingInclude --suppress=missingIncludeSystem --suppress=unknownMacro
    # Slots and test functions are called through Qt's meta-object system.
    --suppress=unusedFunction
    # A plain loop over a 23-row table reads better than an algorithm with a lambda.
    --suppress=useStlAlgorithm
    # Without Qt's headers Qt Test's macros are not expanded: the fields that a test reads
    # through QCOMPARE look unused, and a test's application object looks unread.
    --suppress='unusedStructMember:tests/*' --suppress='unreadVariable:tests/*'
)
if ! cppcheck "${cppcheck_args[@]}" "${include_dirs[@]/#/-I}" "${sources[@]}"; then
    failed=1
fi

if [ "$failed" -ne 0 ]; then
    echo "FAIL: static analysis found the problems above"
    exit 1
fi
echo "static analysis: clang-tidy, clazy and cppcheck clean on ${#sources[@]} files"
