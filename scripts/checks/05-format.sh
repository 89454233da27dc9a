#!/bin/sh
# Every C++ file of ours follows .clang-format.
set -e
cd "$(dirname "$0")/../.."
git ls-files 'src/*' 'tools/*' 'tests/*' 'bench/*' 'fuzz/*' | grep -E '\.(cpp|h)$' |
    xargs clang-format --dry-run -Werror
echo "format: clean"
