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

.PHONY: all configure test demo bench asan-test fuzz clean

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
# the library instrumented for coverage too), one after the other, each for FUZZ_SECONDS on
# its own corpus under FUZZ_DIR, with fuzz/<target>.dict as its dictionary where there is
# one; a target seeds its empty corpus from the kit. Prints the executions of each and
# their rate; stops at the first failure, whose input is kept under FUZZ_DIR/artifacts.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_FLAGS ?= -rss_limit_mb=2048 -timeout=30
# The targets that convert through files work in a memory file system where there is one:
# thousands of files made and renamed a second wear a disk and slow the run.
FUZZ_TMPDIR ?= $(shell [ -d /dev/shm ] && [ -w /dev/shm ] && echo /dev/shm || echo $${TMPDIR:-/tmp})
FUZZ_TARGETS := $(basename $(notdir $(wildcard fuzz/*.cpp)))

fuzz:
	@$(DEPS) build fuzz
	CXX=clang++ cmake -S . -B $(FUZZ_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTAVOREL_FUZZ=ON -DTAVOREL_SANITIZE=ON -DTAVOREL_TESTS=OFF -DTAVOREL_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link $(CMAKE_FLAGS)
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target $(FUZZ_TARGETS)
	@mkdir -p $(FUZZ_DIR)/artifacts; total=0; \
	for target in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_DIR)/corpus/$$target; log=$(FUZZ_DIR)/$$target.log; \
	  echo "fuzzing $$target for $(FUZZ_SECONDS) s"; \
	  dict=; [ -f fuzz/$$target.dict ] && dict=-dict=fuzz/$$target.dict; \
	  if ! TMPDIR=$(FUZZ_TMPDIR) UBSAN_OPTIONS=print_stacktrace=1 $(FUZZ_DIR)/$$target -max_total_time=$(FUZZ_SECONDS) \
	      -print_final_stats=1 $(FUZZ_FLAGS) $$dict -artifact_prefix=$(FUZZ_DIR)/artifacts/$$target- \
	      $(FUZZ_DIR)/corpus/$$target >$$log 2>&1; then \
	    tail -n 60 $$log; echo "$$target FAILED, its log: $$log"; exit 1; \
	  fi; \
	  runs=$$(sed -n 's/^stat::number_of_executed_units: *//p' $$log); \
	  rate=$$(sed -n 's/^stat::average_exec_per_sec: *//p' $$log); \
	  echo "$$target: $$runs executions in $(FUZZ_SECONDS) s, $$rate per second"; total=$$((total + runs)); \
	done; \
	echo "all fuzz targets: $$total executions"

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) build-*

# Windows build, cross-compiled with MinGW-w64 (posix threads); GoogleTest and giflib for
# it are built once from the Debian sources into the build folder. Tests run under Wine
# through CTest.
WINDOWS_DIR ?= build-windows
WINDOWS_PREFIX := $(abspath $(WINDOWS_DIR))/gtest-install
WINDOWS_TOOLCHAIN := $(abspath cmake/mingw-w64-x86_64.cmake)

.PHONY: windows windows-deps windows-check
windows-deps:
	@$(DEPS) build windows

windows: windows-deps $(WINDOWS_PREFIX)/lib/cmake/GTest/GTestConfig.cmake $(WINDOWS_PREFIX)/lib/libgif.a
	cmake -S . -B $(WINDOWS_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(WINDOWS_TOOLCHAIN) -DTAVOREL_WINDOWS_PREFIX=$(WINDOWS_PREFIX) \
	  -DGTest_DIR=$(WINDOWS_PREFIX)/lib/cmake/GTest -DTAVOREL_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(WINDOWS_DIR) -j $(JOBS)

$(WINDOWS_PREFIX)/lib/cmake/GTest/GTestConfig.cmake:
	cmake -S /usr/src/googletest -B $(WINDOWS_DIR)/gtest-build $(GENERATOR) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(WINDOWS_TOOLCHAIN) -DCMAKE_INSTALL_PREFIX=$(WINDOWS_PREFIX) -DBUILD_GMOCK=OFF
	cmake --build $(WINDOWS_DIR)/gtest-build -j $(JOBS)
	cmake --install $(WINDOWS_DIR)/gtest-build

# giflib: Debian's source package, fetched by apt-get through a deb-src entry of the build
# folder's own (the machine's package sources, lists and cache are left as they are),
# compiled with the MinGW compiler into the prefix.
GIFLIB_FETCH := $(abspath $(WINDOWS_DIR))/giflib-source
GIFLIB_DEB_SRC ?= deb-src http://deb.debian.org/debian $(shell . /etc/os-release && echo $$VERSION_CODENAME) main
GIFLIB_APT := -q -o Dir::Etc::SourceList=$(GIFLIB_FETCH)/apt/sources.list \
  -o Dir::Etc::SourceParts=$(GIFLIB_FETCH)/apt/sources.list.d -o Dir::State::Lists=$(GIFLIB_FETCH)/apt/lists \
  -o Dir::Cache=$(GIFLIB_FETCH)/apt/cache $(if $(filter 0,$(shell id -u)),-o APT::Sandbox::User=root)

$(WINDOWS_PREFIX)/lib/libgif.a:
	rm -rf $(GIFLIB_FETCH)
	mkdir -p $(GIFLIB_FETCH)/apt/sources.list.d $(GIFLIB_FETCH)/apt/lists/partial \
	  $(GIFLIB_FETCH)/apt/cache/archives/partial
	echo "$(GIFLIB_DEB_SRC)" >$(GIFLIB_FETCH)/apt/sources.list
	apt-get $(GIFLIB_APT) update
	cd $(GIFLIB_FETCH) && apt-get $(GIFLIB_APT) source giflib
	cmake -S cmake/giflib -B $(WINDOWS_DIR)/giflib-build $(GENERATOR) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(WINDOWS_TOOLCHAIN) -DCMAKE_INSTALL_PREFIX=$(WINDOWS_PREFIX) \
	  -DGIFLIB_SOURCE_DIR=$$(ls -d $(GIFLIB_FETCH)/giflib-*/ | head -n 1)
	cmake --build $(WINDOWS_DIR)/giflib-build -j $(JOBS)
	cmake --install $(WINDOWS_DIR)/giflib-build

# Runs the Windows tests under Wine and compares the Windows build's conversions with the
# Linux build's, file by file.
windows-check: all windows
	.ci/windows-check $(BUILD_DIR) $(WINDOWS_DIR)
