# SPDX-License-Identifier: GPL-2.0-or-later
# make run  : install what the program needs, build the program alone, start
#   it; ARGS is handed to it as one argument (an album to open), spaces and all
# make test : install what the tests need as well, build everything, run every test
# make install: build the program, then install it as a package is made: below
#   PREFIX (default the configured prefix, /usr/local), under DESTDIR when given
# JOBS sets how many compile jobs run at once (default: one per processor).
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
# make fuzz: each fuzz target for this many seconds (CI runs them briefly).
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= album_reader nviewlib jpeg_codec chain
JOBS       ?= $(shell nproc)
# The unit-test programs that also run under the sanitizers: every one, the
# windows too, whose teardown is where lifetime faults hide.
ASAN_TESTS ?= test_platform test_model test_imaging test_language test_export test_widgets test_common test_viewers test_app

.PHONY: all deps deps-program configure configure-program build program run test install test-sanitize fuzz clean

all: build

deps:
	@./scripts/install-deps test

deps-program:
	@./scripts/install-deps run

# A build folder configured here for the first time leaves the tests out, so
# that the program builds before anything only the tests need is installed;
# make test turns them on in the same folder, and they stay on.
configure-program: deps-program
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  $(if $(wildcard $(BUILD)/CMakeCache.txt),,-DTAVRI_BUILD_TESTS=OFF) >/dev/null

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRI_BUILD_TESTS=ON >/dev/null

# The program, its decoder, the NViewLib stand-in, the help and the desktop entry.
program: configure-program
	@cmake --build $(BUILD) -j $(JOBS) --target tavri_program

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The argument comes from the environment, where make puts ARGS as it was
# given, so that the shell splits nothing and expands nothing of it.
run: program
	@$(BUILD)/bin/tavrimolex $${ARGS:+"$$ARGS"}

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

install: program
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) $(if $(PREFIX),--prefix "$(PREFIX)")

# The unit tests again under AddressSanitizer and UBSan.
test-sanitize: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVRI_SANITIZE=ON >/dev/null
	@targets=""; for t in $(ASAN_TESTS); do \
	  if ninja -C $(ASAN_BUILD) -t targets all | grep -q "^$$t:"; then targets="$$targets $$t"; fi; done; \
	  [ -z "$$targets" ] || cmake --build $(ASAN_BUILD) -j $(JOBS) --target $$targets
	@cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -R '^($(shell echo $(ASAN_TESTS) | tr ' ' '|'))$$'

# The album reader, the NViewLib stand-in, the JPEG codec and the whole decoder
# chain under libFuzzer with AddressSanitizer and UBSan (Debian's clang).
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTAVRI_FUZZ=ON -DTAVRI_BUILD_TESTS=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	@FUZZ_BUILD=$(FUZZ_BUILD) FUZZ_SECONDS=$(FUZZ_SECONDS) ./fuzz/run-fuzzers.sh $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
