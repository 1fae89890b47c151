# Front end for the CMake build. `make test` on a fresh Debian 12 machine
# installs what is missing, builds and runs every test.
BUILD_DIR ?= build
JOBS ?= 2
# The sanitizer build (clang; the sanitizer suite and the fuzzers) lives in a build folder of its own.
SAN_BUILD_DIR ?= build-san
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build test run demo bench san-configure asan-test fuzz clean

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
	$(BUILD_DIR)/bin/bench_drag_step

# One sanitizer build serves both the sanitizer suite and the fuzzers: clang with AddressSanitizer and
# UndefinedBehaviorSanitizer on every library, plus the coverage the fuzzers need (tests ignore it). -O1 with
# line tables only keeps the build quick and the reports readable. The build runs instrumented programs of
# its own (the example project is made by qxed-cli), so the leak checker gets the fuzzers' suppressions
# there too; it keeps quiet about the ones it used, since tests compare what the programs print on stderr.
SAN_ENV = LSAN_OPTIONS=suppressions=$(CURDIR)/fuzz/lsan_suppressions.txt:print_suppressions=0 QT_QPA_PLATFORM=offscreen

san-configure: deps
	@test -f $(SAN_BUILD_DIR)/build.ninja || \
	    cmake -S . -B $(SAN_BUILD_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DQXED_FUZZ=ON \
	        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG"

# The whole test suite under the sanitizers.
asan-test: san-configure
	$(SAN_ENV) cmake --build $(SAN_BUILD_DIR) -j$(JOBS)
	cd $(SAN_BUILD_DIR) && $(SAN_ENV) ctest --output-on-failure -j$(JOBS)

# Builds the fuzz targets and their seeds, then runs each target for FUZZ_SECONDS (see fuzz/CMakeLists.txt).
fuzz: san-configure
	$(SAN_ENV) cmake --build $(SAN_BUILD_DIR) -j$(JOBS) --target fuzzers
	fuzz/run_fuzzers.sh $(SAN_BUILD_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR) $(SAN_BUILD_DIR)
