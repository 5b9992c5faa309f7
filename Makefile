# make run  : install what is missing, build, start the program
# make test : install what is missing, build, run every test
# make install: build, then install as a package is made: below PREFIX (default
#   the configured prefix, /usr/local), under DESTDIR when given
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

.PHONY: all deps configure build run test install test-sanitize fuzz clean

all: build

deps:
	@./scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/bin/tavrimolex $(ARGS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

install: build
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
