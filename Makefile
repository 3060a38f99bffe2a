# Kesh Valdrune: the commands a developer needs.
#   make run     install what is missing, build, run the demo
#   make test    install what is missing, build, run the tests under Xvfb
#                (all but the long runs, label "long")
#   make frames  render the frame tool's storyboard to build/frames/
#   make bench   time every scene's frames, rewrite docs/performance.md
#   make package build the Debian package in build-package/package/
#   make test-sanitized, make fuzz, make soak: the longer reliability runs
MAKEFLAGS += --no-print-directory
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: run test build deps-run deps-test frames clean

run: deps-run
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target kesh-valdrune
	@scripts/run-demo.sh $(BUILD) $(ARGS)

test: deps-test
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DKESH_WERROR=ON -DKESH_BUILD_TESTS=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)
	@scripts/run-tests.sh $(BUILD) -LE long

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

# Reliability (docs/reliability.md):
#   make test-sanitized  every unit and GL test again, built with AddressSanitizer
#                        and UndefinedBehaviorSanitizer in $(ASAN_BUILD), then
#                        the long runs (label "long": the storyboard under
#                        valgrind, the start-up stress, the short soak) in $(BUILD)
#   make fuzz            each texture-reader fuzzer for FUZZ_SECONDS, in $(FUZZ_BUILD)
#   make soak            the soak test for SOAK_SECONDS, printing its figures
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600
SOAK_SECONDS ?= 3600
.PHONY: test-sanitized fuzz soak deps-reliability

test-sanitized: deps-test
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKESH_SANITIZE=ON -DKESH_WERROR=ON -DKESH_BUILD_TESTS=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@scripts/run-sanitized-tests.sh $(ASAN_BUILD)
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DKESH_WERROR=ON -DKESH_BUILD_TESTS=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)
	@scripts/run-tests.sh $(BUILD) -L long

fuzz: deps-reliability
	@cmake -S tests/fuzz/fuzzers -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@$(FUZZ_BUILD)/kesh-fuzz-corpus $(FUZZ_BUILD)/seeds
	@for reader in bitmap raw; do \
	  echo "== kesh-fuzz-$$reader, $(FUZZ_SECONDS) s, corpus $(FUZZ_BUILD)/corpus/$$reader"; \
	  scripts/run-fuzzer.sh $(FUZZ_BUILD)/kesh-fuzz-$$reader $(FUZZ_BUILD)/seeds/$$reader \
	    $(FUZZ_BUILD)/corpus/$$reader -max_total_time=$(FUZZ_SECONDS) || exit 1; \
	done

soak: deps-test
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DKESH_BUILD_TESTS=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target kesh-valdrune soak_e2e_test
	@KESH_SOAK_SECONDS=$(SOAK_SECONDS) scripts/with-xvfb.sh $(BUILD)/tests/soak_e2e_test

deps-reliability:
	@scripts/install-deps.sh reliability
