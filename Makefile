# Thin wrapper over CMake: every build decision lives in CMakeLists.txt.
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
SAMPLE_DIR := $(BUILD_DIR)/sample-world

# What the build needs and the machine lacks is installed first (or the script says how);
# it is silent and quick when everything is there.
DEPS := tools/install-build-deps

.PHONY: all configure test demo bench asan-test fuzz clean format format-check install dist

all: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

configure:
	@$(DEPS) build
	@[ -f $(BUILD_DIR)/CMakeCache.txt ] || \
	  cmake -S . -B $(BUILD_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

test: all
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# Writes the synthetic sample world and converts its Classic scenario from the template
# folder, as a user would from the destination format's folder. Builds only the tool and
# the sample-world maker: the tests and benchmarks are built by `make test` and `make bench`.
demo: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target tavorel make_sample_world
	rm -rf $(SAMPLE_DIR)
	$(BUILD_DIR)/make_sample_world $(SAMPLE_DIR)
	cd $(SAMPLE_DIR)/template && $(abspath $(BUILD_DIR))/tavorel ../classic/Sample.scn; \
	  code=$$?; echo "exit code $$code"; ls -l ../classic/Converted; exit $$code

bench: all
	@for b in $(BUILD_DIR)/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
asan-test:
	@$(DEPS) build
	cmake -S . -B $(ASAN_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DTAVOREL_SANITIZE=ON \
	  -DTAVOREL_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(ASAN_DIR) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN_DIR) --output-on-failure -j $(JOBS)

# The libFuzzer targets of fuzz/ (clang, with AddressSanitizer and UndefinedBehaviorSanitizer,
# the library instrumented for coverage too), each for FUZZ_SECONDS: tools/fuzz-all.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_FLAGS ?= -rss_limit_mb=2048 -timeout=30

fuzz:
	@$(DEPS) build fuzz
	CXX=clang++ cmake -S . -B $(FUZZ_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTAVOREL_FUZZ=ON -DTAVOREL_SANITIZE=ON -DTAVOREL_TESTS=OFF -DTAVOREL_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link $(CMAKE_FLAGS)
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target $(basename $(notdir $(wildcard fuzz/*.cpp)))
	tools/fuzz-all $(FUZZ_DIR) $(FUZZ_SECONDS) $(FUZZ_FLAGS)

# The style of .clang-format: `format` applies it, `format-check` fails on a file it would change.
SOURCES = $(shell git ls-files '*.cpp' '*.h')

format:
	@$(DEPS) format
	clang-format -i $(SOURCES)

format-check:
	@$(DEPS) format
	@clang-format --dry-run --Werror $(SOURCES) && echo "format-check: every file as .clang-format lays it out"

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) build-* dist

# Installs the program, its manual page and its docs under PREFIX (bin/, share/man/man1/,
# share/doc/tavorel/).
PREFIX ?= /usr/local
install: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target tavorel archive_docs
	cmake --install $(BUILD_DIR) --prefix "$(PREFIX)" --strip

# The release archives, built with CPack into dist/ from the version in CMakeLists.txt:
# tavorel-<version>-linux-x86_64.tar.gz and tavorel-<version>-windows-x64.zip. Each comes
# from a Release build of its own, without tests; the Windows one links against the giflib
# that tools/windows-bootstrap builds into WINDOWS_DIR.
DIST_DIR ?= dist
DIST_LINUX ?= build-dist-linux
DIST_WINDOWS ?= build-dist-windows
RELEASE_FLAGS = -DCMAKE_BUILD_TYPE=Release -DTAVOREL_TESTS=OFF -DTAVOREL_BENCH=OFF

dist:
	@$(DEPS) build dist
	cmake -S . -B $(DIST_LINUX) $(GENERATOR) $(RELEASE_FLAGS) $(CMAKE_FLAGS)
	cmake --build $(DIST_LINUX) -j $(JOBS)
	tools/windows-bootstrap $(WINDOWS_DIR) $(GENERATOR)
	cmake -S . -B $(DIST_WINDOWS) $(GENERATOR) $(RELEASE_FLAGS) \
	  -DCMAKE_TOOLCHAIN_FILE=$(abspath cmake/mingw-w64-x86_64.cmake) \
	  -DTAVOREL_WINDOWS_PREFIX=$(abspath $(WINDOWS_DIR))/gtest-install $(CMAKE_FLAGS)
	cmake --build $(DIST_WINDOWS) -j $(JOBS)
	rm -rf $(DIST_LINUX)/packages $(DIST_WINDOWS)/packages
	cpack --config $(DIST_LINUX)/CPackConfig.cmake -B $(abspath $(DIST_LINUX))/packages
	cpack --config $(DIST_WINDOWS)/CPackConfig.cmake -B $(abspath $(DIST_WINDOWS))/packages
	mkdir -p $(DIST_DIR)
	rm -f $(DIST_DIR)/tavorel-*
	cp $(DIST_LINUX)/packages/tavorel-*.tar.gz $(DIST_WINDOWS)/packages/tavorel-*.zip $(DIST_DIR)/
	@ls -l $(DIST_DIR)

# Windows build, cross-compiled with MinGW-w64 (posix threads), against GoogleTest and
# giflib built once for it into the build folder (tools/windows-bootstrap). Tests run under
# Wine through CTest.
WINDOWS_DIR ?= build-windows

.PHONY: windows windows-check
windows:
	@$(DEPS) build windows
	tools/windows-bootstrap $(WINDOWS_DIR) $(GENERATOR)
	cmake -S . -B $(WINDOWS_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(abspath cmake/mingw-w64-x86_64.cmake) \
	  -DTAVOREL_WINDOWS_PREFIX=$(abspath $(WINDOWS_DIR))/gtest-install \
	  -DGTest_DIR=$(abspath $(WINDOWS_DIR))/gtest-install/lib/cmake/GTest -DTAVOREL_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(WINDOWS_DIR) -j $(JOBS)

# Runs the Windows tests under Wine and compares the Windows build's conversions with the
# Linux build's, file by file.
windows-check: all windows
	.ci/windows-check $(BUILD_DIR) $(WINDOWS_DIR)
