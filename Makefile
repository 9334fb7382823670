# Front door of the build: every target installs what it needs, configures and builds.
PRESET ?= release
BUILD  := build/$(PRESET)
BUILD_PACKAGE := build/package
JOBS   ?= $(shell nproc)
# Test executables to run, by name without "_tests" (e.g. TESTS='scan|cli|app'); all when empty.
# When given, only those executables (and what they need) are built.
TESTS  ?=
# OFF leaves the benchmarks out of the preset's build (CI's test runs); the build folder keeps
# the choice until BENCH=ON or make bench. Empty: as the preset says.
BENCH  ?=
# Seconds each fuzz harness runs in make fuzz.
FUZZ_SECONDS ?= 20

# ccache, when installed, serves compiles repeated in one build folder (a rebuild after
# make clean, another branch). A build folder takes it when first configured.
ifneq ($(shell command -v ccache 2>/dev/null),)
export CMAKE_CXX_COMPILER_LAUNCHER ?= ccache
endif

TEST_TARGETS := $(addsuffix _tests,$(subst |, ,$(TESTS)))

.PHONY: all deps configure build run test bench windows windows-package fuzz coverage programs package package-test clean

all: build

deps:
	@scripts/install-deps build

configure: deps
	cmake --preset $(PRESET) $(if $(BENCH),-DLINTALLY_BUILD_BENCH=$(BENCH))

build: configure
	cmake --build --preset $(PRESET) -j $(JOBS)

# The programs only: no tests and no benchmarks are built to start the dialog.
run: configure
	cmake --build --preset $(PRESET) -j $(JOBS) --target lintally lintally-cli
	$(BUILD)/app/lintally

test: configure
	cmake --build --preset $(PRESET) -j $(JOBS) $(if $(TESTS),--target $(TEST_TARGETS))
	ctest --preset $(PRESET) -j $(JOBS) $(if $(TESTS),-L '^($(TESTS))_tests$$')

bench: deps
	@scripts/install-deps bench
	cmake --preset release -DLINTALLY_BUILD_BENCH=ON
	cmake --build --preset release -j $(JOBS)
	bench/run-all build/release

# Cross build for 64-bit Windows; its tests run under Wine.
windows:
	@scripts/install-deps build windows
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS)
	ctest --preset windows -j $(JOBS)

# The two Windows programs with the README (and the licence, when there is one) in one zip,
# build/windows/lintally-VERSION-windows-x64.zip; the programs only are built for it.
WINDOWS_ZIP = build/windows/lintally-$(shell sed -n 's/^project.Lintally VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)-windows-x64.zip
windows-package:
	@scripts/install-deps build windows
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS) --target lintally lintally-cli
	rm -f $(WINDOWS_ZIP)
	zip -j $(WINDOWS_ZIP) build/windows/win32/lintally.exe build/windows/cli/lintally-cli.exe \
	  README.md $(wildcard LICENSE LICENSE.md LICENSE.txt COPYING)

# The libFuzzer harnesses (clang), each run FUZZ_SECONDS from its seeds in fuzz/corpus/.
fuzz:
	@scripts/install-deps build fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	fuzz/run build/fuzz $(FUZZ_SECONDS)

# Line and branch coverage of the whole suite: build/coverage/html/index.html and
# build/coverage/summary.txt. The counts start from zero each time.
coverage:
	@scripts/install-deps build coverage
	cmake --preset coverage
	cmake --build --preset coverage -j $(JOBS)
	find build/coverage -name '*.gcda' -delete
	ctest --preset coverage -j $(JOBS)
	scripts/coverage-report build/coverage

# The programs, their manual pages and completions, and no tests or benchmarks, in
# build/package/: what cmake --install build/package installs.
programs: deps
	cmake --preset package
	cmake --build --preset package -j $(JOBS)

# The Debian package build/package/lintally_<version>_<arch>.deb of those programs, the only
# one there (so lintally_*.deb names it after a version change).
package: programs
	@scripts/install-deps package
	rm -f $(BUILD_PACKAGE)/lintally_*.deb
	cpack --preset package

# Installs the package into an empty root, checks it there, and removes it.
package-test: package
	scripts/package-test $(BUILD_PACKAGE)/lintally_*.deb

clean:
	rm -rf build
