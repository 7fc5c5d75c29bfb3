# The whole set-up on a fresh Debian 12 machine: `make run` or `make test`.
BUILD_DIR    ?= build
SAN_DIR      ?= build-sanitize
TSAN_DIR     ?= build-tsan
FUZZ_DIR     ?= build-fuzz
JOBS         ?= 2
FUZZ_SECONDS ?= 60
GENERATOR    := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
CTEST_ENV    := QT_QPA_PLATFORM=offscreen
# ccache hits across clones of the tree (CI builds a fresh clone): paths relative to the tree.
export CCACHE_BASEDIR   ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= true

.PHONY: deps configure build run test sanitize tsan fuzz clean

deps:
	@scripts/install-deps

$(BUILD_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD_DIR)/CMakeCache.txt

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	$(BUILD_DIR)/bin/v35 --demo

test: build
	cd $(BUILD_DIR) && $(CTEST_ENV) ctest --output-on-failure -j$(JOBS)

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	cmake -S . -B $(SAN_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DV35_SANITIZE=ON
	cmake --build $(SAN_DIR) -j$(JOBS)
	cd $(SAN_DIR) && $(CTEST_ENV) ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j$(JOBS)

# The link and simulator tests under ThreadSanitizer (no GUI: Debian's Qt is not instrumented).
tsan: deps
	cmake -S . -B $(TSAN_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DV35_TSAN=ON -DV35_GUI=OFF
	cmake --build $(TSAN_DIR) -j$(JOBS)
	cd $(TSAN_DIR) && TSAN_OPTIONS="suppressions=$(CURDIR)/tests/tsan.supp halt_on_error=1 second_deadlock_stack=1" \
	  ctest --output-on-failure -L link -j1

# libFuzzer targets, built with clang; each runs FUZZ_SECONDS seconds.
fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DV35_FUZZ=ON -DV35_GUI=OFF
	cmake --build $(FUZZ_DIR) -j$(JOBS) --target fuzz_targets
	scripts/run-fuzzers $(FUZZ_DIR)/bin $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR) $(SAN_DIR) $(TSAN_DIR) $(FUZZ_DIR)
