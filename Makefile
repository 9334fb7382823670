# Front door of the build: every target installs what it needs, configures and builds.
PRESET ?= release
BUILD  := build/$(PRESET)
JOBS   ?= $(shell nproc)
# Test executables to run, by name without "_tests" (e.g. TESTS='scan|cli|app'); all when empty.
TESTS  ?=

.PHONY: all deps configure build run test bench windows clean

all: build

deps:
	@scripts/install-deps build

configure: deps
	cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET) -j $(JOBS)

# The programs only: no tests and no benchmarks are built to start the dialog.
run: configure
	cmake --build --preset $(PRESET) -j $(JOBS) --target lintally lintally-cli
	$(BUILD)/app/lintally

test: build
	ctest --preset $(PRESET) -j $(JOBS) $(if $(TESTS),-L '^($(TESTS))_tests$$')

bench: deps
	@scripts/install-deps bench
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	bench/run-all build/release

# Cross build for 64-bit Windows; its tests run under Wine.
windows:
	@scripts/install-deps build windows
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS)
	ctest --preset windows -j $(JOBS)

clean:
	rm -rf build
