# The two commands of the README: `make run` starts the program, `make test` builds
# and passes every test. Both install what a fresh Debian 12 machine lacks first.
# `make check` runs the unit and widget tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer (clang, in build-asan) and checks the sources with GCC's.
# `make package` builds the Debian package build/rinvale_<version>_<arch>.deb.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
ASAN_BUILD_DIR ?= build-asan
JOBS ?= $(shell nproc)
# The program checks for a display itself and picks XWayland on a Wayland desktop.
RINVALE = $(BUILD_DIR)/src/rinvale

.PHONY: all deps configure build run test check bench package clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: deps $(BUILD_DIR)/CMakeCache.txt

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target rinvale
	@$(RINVALE)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

check: deps
	JOBS=$(JOBS) scripts/check.sh $(ASAN_BUILD_DIR)

bench: build
	@scripts/bench.sh $(BUILD_DIR)

package: build
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR) $(ASAN_BUILD_DIR)-gcc build-fuzz
