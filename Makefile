# Thin wrapper over CMake. `make test` is the one command that installs what is
# missing, builds everything and runs every test.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all bootstrap configure build test bench demo format fuzz sanitize clean

all: build

bootstrap:
	./scripts/bootstrap

configure: bootstrap
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	./scripts/run-bench $(BUILD_DIR)

demo: build
	./scripts/demo $(BUILD_DIR)

format:
	find src tests tools bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format -i

clean:
	rm -rf $(BUILD_DIR)
