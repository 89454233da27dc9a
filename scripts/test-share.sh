#!/bin/sh
# Prints the non-blank lines of the C++, Python, shell and JavaScript files
# tracked in git (never installed packages under node_modules):
# tests (tests/, fuzz/ without its corpus, scripts/checks/), code (the rest)
# and the tests' share of the code, which should stay between 25 and 33 %.
cd "$(dirname "$0")/.." || exit 1
count() { xargs -r cat | grep -c '[^[:space:]]'; }
files=$(git ls-files '*.cpp' '*.h' '*.py' '*.sh' '*.js' '*.mjs' | grep -vE '^fuzz/corpus/|(^|/)node_modules/')
tests=$(echo "$files" | grep -E '^(tests|fuzz|scripts/checks)/' | count)
code=$(echo "$files" | grep -vE '^(tests|fuzz|scripts/checks)/' | count)
echo "tests $tests, code $code, share $((100 * tests / code)) %"
