# Front end for the CMake build. `make test` on a fresh Debian 12 machine
# installs what is missing, builds and runs every test.
BUILD_DIR ?= build
JOBS ?= 2
# The sanitizer build of the test suite and the fuzzing build (clang) live in build folders of their own.
ASAN_BUILD_DIR ?= build-asan
FUZZ_BUILD_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build test run demo bench asan-test fuzz clean

all: build

deps:
	scripts/install-deps

configure: deps
	@test -f $(BUILD_DIR)/build.ninja || cmake -S . -B $(BUILD_DIR) -G Ninja

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The editor on the example project.
run: build
	$(BUILD_DIR)/bin/qxed $(BUILD_DIR)/examples/demo.qx2

# The example project downloaded to the panel simulator on a pseudo-terminal, checked byte for byte.
demo: build
	scripts/demo.sh $(BUILD_DIR)

# Save and load timings of a large project beside a plain copy of its file; the build of a full image
# beside the reading of its glyphs; a download of a nearly full image to the panel simulator, with and
# without the 57600 bit/s line rate; the preview's redraw of a crowded page beside one fill of its image.
bench: build
	$(BUILD_DIR)/bin/bench_project_file
	$(BUILD_DIR)/bin/bench_image_build
	$(BUILD_DIR)/bin/bench_download
	$(BUILD_DIR)/bin/bench_editor_start
	$(BUILD_DIR)/bin/bench_preview

# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer. The leak checker keeps
# quiet about the suppressions it used, since tests compare what the programs print on stderr.
asan-test: deps
	@test -f $(ASAN_BUILD_DIR)/build.ninja || cmake -S . -B $(ASAN_BUILD_DIR) -G Ninja -DQXED_SANITIZE=ON
	cmake --build $(ASAN_BUILD_DIR) -j$(JOBS)
	cd $(ASAN_BUILD_DIR) && LSAN_OPTIONS=print_suppressions=0 QT_QPA_PLATFORM=offscreen \
	    ctest --output-on-failure -j$(JOBS)

# Builds the fuzz targets and their seeds, then runs each target for FUZZ_SECONDS (see fuzz/CMakeLists.txt).
# The build runs instrumented programs of its own (the example project is made by qxed-cli), so the leak
# checker gets the fuzzers' suppressions there too.
fuzz: deps
	@test -f $(FUZZ_BUILD_DIR)/build.ninja || \
	    cmake -S . -B $(FUZZ_BUILD_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DQXED_FUZZ=ON
	LSAN_OPTIONS=suppressions=$(CURDIR)/fuzz/lsan_suppressions.txt:print_suppressions=0 \
	    QT_QPA_PLATFORM=offscreen cmake --build $(FUZZ_BUILD_DIR) -j$(JOBS) --target fuzzers
	fuzz/run_fuzzers.sh $(FUZZ_BUILD_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR) $(FUZZ_BUILD_DIR)
