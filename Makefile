# Kesh Valdrune: the commands a developer needs.
#   make run     install what is missing, build, run the demo
#   make test    install what is missing, build, run every test under Xvfb
#   make frames  render the frame tool's storyboard to build/frames/
MAKEFLAGS += --no-print-directory
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: run test build deps-run deps-test frames clean

run: deps-run
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target kesh-valdrune
	@scripts/run-demo.sh $(BUILD)

test: deps-test
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DKESH_WERROR=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)
	@scripts/run-tests.sh $(BUILD)

build:
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

frames: deps-test build
	@scripts/with-xvfb.sh $(BUILD)/kesh-frames --out $(BUILD)/frames

deps-run:
	@scripts/install-deps.sh run

deps-test:
	@scripts/install-deps.sh test

clean:
	rm -rf $(BUILD)

# make package: the Debian package, built in its own release folder without
# the tests, into $(PACKAGE_BUILD)/package/kesh-valdrune_<version>_<arch>.deb
PACKAGE_BUILD ?= build-package
.PHONY: package deps-package

package: deps-package
	@cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DKESH_BUILD_TESTS=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	@cd $(PACKAGE_BUILD) && cpack

deps-package:
	@scripts/install-deps.sh package

# make bench: times the real frames of every scene and the program's own work
# (kesh-bench, release build) and writes the table to docs/performance.md.
.PHONY: bench
bench: deps-test
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target kesh-bench
	@scripts/run-bench.sh $(BUILD)
