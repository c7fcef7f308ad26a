#!/usr/bin/env bash
# make lint: clang-format (the style in .clang-format), clang-tidy (the checks
# in .clang-tidy, over the program's entries of the compile database) and
# cppcheck. Exits non-zero on any finding.
#   lint.sh BUILD_DIR
set -uo pipefail
build=${1:?usage: lint.sh BUILD_DIR}
cd "$(dirname "$0")/.."
status=0

sources=$(git ls-files '*.c' '*.cpp' '*.h')
echo "clang-format: $(echo "$sources" | wc -l) files"
clang-format --dry-run --Werror $sources || status=1

# The program and the floor. The tests' C++ library headers are MinGW GCC's,
# which clang does not find for this target, so clang-tidy leaves them out.
echo "clang-tidy: program and benchmark floor"
for file in $(git ls-files 'app/*.cpp' 'graphics/*.cpp' 'bench/*.cpp'); do
  clang-tidy -p "$build" --quiet --extra-arg=--target=i686-w64-mingw32 "$file" 2>/dev/null ||
    status=1
done

echo "cppcheck: app graphics bench tests"
cppcheck --enable=warning,style,performance,portability --std=c++17 --platform=win32A \
  --library=windows --library=googletest --inline-suppr --error-exitcode=1 --quiet \
  -I. app graphics bench tests || status=1

[ $status -eq 0 ] && echo "lint: clean"
exit $status
