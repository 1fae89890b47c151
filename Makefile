# Front end for the CMake build. `make test` on a fresh Debian 12 machine
# installs what is missing, builds and runs every test.
BUILD_DIR ?= build
JOBS ?= 2

.PHONY: all deps configure build test bench clean

all: build

deps:
	scripts/install-deps

configure: deps
	@test -f $(BUILD_DIR)/build.ninja || cmake -S . -B $(BUILD_DIR) -G Ninja

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# Save and load timings of a large project beside a plain copy of its file.
bench: build
	$(BUILD_DIR)/bin/bench_project_file

clean:
	rm -rf $(BUILD_DIR)
