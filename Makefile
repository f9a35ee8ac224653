# Thin wrapper over CMake. `make test` is the one command that installs what is
# missing, builds everything and runs every test.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all bootstrap configure build test bench demo format fuzz sanitize fuzz-smoke clean

all: build

bootstrap:
	./scripts/bootstrap

configure: bootstrap
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	$(MAKE) fuzz-smoke

bench: build
	./scripts/run-bench $(BUILD_DIR)
	./scripts/bench-report $(BUILD_DIR)

demo: build
	./scripts/demo $(BUILD_DIR)

format:
	find src tests tools bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format -i

# Every test, the GUI's included, under AddressSanitizer and
# UndefinedBehaviorSanitizer, in their own build folder. The embedded browser's
# engine frees some of its own objects through a base of another size, so its
# tests run with that one check off; every other test keeps it.
SANITIZE_DIR ?= build-asan
SANITIZE_ENV = QT_QPA_PLATFORM=offscreen UBSAN_OPTIONS=print_stacktrace=1 \
    LSAN_OPTIONS=suppressions=$(abspath tests/sanitize/lsan.supp)
sanitize: bootstrap
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DRANKMINER_SANITIZE=ON -DRANKMINER_WITH_GUI=ON -DRANKMINER_BUILD_BENCH=OFF
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && $(SANITIZE_ENV) ASAN_OPTIONS=detect_leaks=1 \
	    ctest --output-on-failure -j $(JOBS) -E '^BrowserPageTest\.'
	cd $(SANITIZE_DIR) && $(SANITIZE_ENV) ASAN_OPTIONS=detect_leaks=1:new_delete_type_mismatch=0 \
	    ctest --output-on-failure -j $(JOBS) -R '^BrowserPageTest\.'

# Each fuzz target for a few seconds on its corpus (clang-14 build in build-fuzz).
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 5
fuzz-smoke: bootstrap
	JOBS=$(JOBS) FUZZ_ARGS=-seed=1 ./scripts/fuzz all $(FUZZ_SECONDS) $(abspath $(FUZZ_DIR))

clean:
	rm -rf $(BUILD_DIR)
