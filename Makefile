# The front door.
#   make run    build, then run the program (headless: a screenshot, see README)
#   make test   build, then run every test under Wine on a private display
#   make bench  measure the program against a bare floor program (figures only)
# Both install the Debian packages they need on first use (as root).

PRESET     ?= default
BUILD      := build/$(PRESET)
# Headless runs only: how long the program shows, and where its picture goes.
SECONDS    ?= 5
SCREENSHOT ?= build/screenshot.png

.PHONY: all deps build run test bench clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake --preset $(PRESET) >/dev/null
	cmake --build --preset $(PRESET) -j2

run: build
	SECONDS_TO_RUN=$(SECONDS) SCREENSHOT=$(SCREENSHOT) scripts/run.sh $(BUILD)/quenzibar.exe

test: build
	scripts/wine-session.sh -- ctest --preset $(PRESET)

bench: build
	@scripts/install-deps.sh bench
	scripts/wine-session.sh -- bench/run.sh $(BUILD)/quenzibar.exe $(BUILD)/bench/floor.exe build/bench

clean:
	rm -rf build
