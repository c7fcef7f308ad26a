# The front door.
#   make run    build, then run the program (headless: a screenshot, see README)
#   make test   build, then run every test under Wine on a private display,
#               for the 32-bit and the 64-bit program
#   make bench  measure the program against a bare floor program (figures only)
#   make lint   clang-format, clang-tidy and cppcheck
#   make package  build/package/quenzibar-VERSION-win32.zip
# Each installs the Debian packages it needs on first use (as root).

# The build that run and bench use: the 32-bit one unless told otherwise.
PRESET     ?= default
BUILD      := build/$(PRESET)
TEST_PRESETS := default win64
# Headless runs only: how long the program shows, and where its picture goes.
SECONDS    ?= 5
SCREENSHOT ?= build/screenshot.png

.PHONY: all deps build build-all run test bench lint package clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake --preset $(PRESET) >/dev/null
	cmake --build --preset $(PRESET) -j2

build-all: deps
	for preset in $(TEST_PRESETS); do \
	  cmake --preset $$preset >/dev/null && cmake --build --preset $$preset -j2 || exit 1; \
	done

run: build
	SECONDS_TO_RUN=$(SECONDS) SCREENSHOT=$(SCREENSHOT) scripts/run.sh $(BUILD)/quenzibar.exe

# Every preset's tests run, in one Wine session, even after a failure.
test: build-all
	scripts/wine-session.sh -- sh -c 'status=0; \
	  for preset in $(TEST_PRESETS); do ctest --preset $$preset || status=1; done; exit $$status'

bench: build
	@scripts/install-deps.sh bench
	scripts/wine-session.sh -- bench/run.sh $(BUILD)/quenzibar.exe $(BUILD)/bench/floor.exe build/bench

lint: build
	@scripts/install-deps.sh lint
	scripts/lint.sh $(BUILD)

package: build
	cpack --preset $(PRESET)

clean:
	rm -rf build
