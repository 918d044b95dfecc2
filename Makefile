# The project's commands. `make run` and `make test` do all set-up on a fresh Debian machine.

SHELL := /bin/bash
.SHELLFLAGS := -eu -o pipefail -c

# Debian packages the build, the tests and the window need.
PACKAGES := cmake ninja-build g++ make pkg-config clang-format \
            libgtest-dev libbenchmark-dev libzbar-dev \
            qt6-base-dev qt6-qpa-plugins fonts-dejavu-core
# Print-quality files: Cairo, libdeflate (PNG's pixels) and the OCR-B font; the tests read
# PNGs back with libpng, rasterise the rest with rsvg-convert, pdftoppm and Ghostscript, and
# check the SVG with xmllint.
PACKAGES += libcairo2-dev libdeflate-dev libpng-dev fonts-ocr-b librsvg2-bin poppler-utils ghostscript \
            libxml2-utils
# The Qt Designer plugin (Designer's interfaces, and its own property sheet, which is private
# API) and Designer itself for the README's picture; the QML module and Qt Quick Test.
PACKAGES += qt6-tools-dev qt6-tools-dev-tools qt6-tools-private-dev qt6-base-private-dev \
            qt6-declarative-dev qt6-declarative-dev-tools qml6-module-qtquick \
            qml6-module-qtquick-window qml6-module-qtqml-workerscript qml6-module-qttest
# The end-to-end test drives the real window in a virtual X server.
PACKAGES += python3 xvfb xdotool x11-xserver-utils imagemagick zbar-tools
# Its context menu's Copy is read back from the clipboard as another program reads it.
PACKAGES += xclip
# The soak of the window runs it under valgrind too.
PACKAGES += valgrind
# The command line's argument parser, and groff, which reads its manual page back in a test.
PACKAGES += libcli11-dev groff-base
# Sheets of labels: the label stock from gLabels' template files, and libxml2 to read them.
PACKAGES += glabels-data libxml2-dev
# The fuzzers (clang's libFuzzer) and the benchmarks' peers.
PACKAGES += clang libclang-rt-14-dev libzint-dev zint libzxing-dev python3-stdnum time
# QR codes: libqrencode encodes them. ZXing-cpp's Python module, libdmtx and dmtx-utils'
# dmtxread decode the 2D symbols again in the tests.
PACKAGES += libdmtx-dev libqrencode-dev python3-zxing-cpp dmtx-utils
# gLabels' batch printer, the label sheets' peer, and node for bwip-js (from npm), the GS1
# symbols' second peer: the benchmarks alone need them. Debian's npm only where no npm is:
# a Node.js from elsewhere brings its own, which Debian's conflicts with.
BENCH_PACKAGES := glabels nodejs $(if $(shell command -v npm),,npm)
BWIP_MODULES := build-bench/npm/node_modules

# Debian packages (make package) and the tools that check them as Debian does; the bash
# completion is tried with bash-completion's own loader.
PACKAGES += dpkg-dev file lintian desktop-file-utils appstream bash-completion

WERROR ?= OFF
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)
CONFIGURE_FLAGS := -DVARNHOLT_WERROR=$(WERROR)

.PHONY: deps build build-asan run test package format-check clean

# Installs only what is missing; silent when everything is there.
deps:
	@$(MAKE) --no-print-directory install-missing WANTED="$(PACKAGES)"

deps-bench: deps
	@$(MAKE) --no-print-directory install-missing WANTED="$(BENCH_PACKAGES)"
	@test -d $(BWIP_MODULES)/bwip-js || \
	    npm install --silent --no-audit --no-fund --prefix build-bench/npm bwip-js@4

.PHONY: deps-bench install-missing
install-missing:
	@missing=""; \
	for package in $(WANTED); do \
	    dpkg-query -W -f='$${Status}' "$$package" 2>/dev/null | grep -q 'install ok installed' \
	        || missing="$$missing $$package"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing missing packages:$$missing"; \
	    $(SUDO) apt-get update -qq; \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

build: deps
	cmake --preset default $(CONFIGURE_FLAGS) >/dev/null
	cmake --build --preset default

build-asan: deps
	cmake --preset asan $(CONFIGURE_FLAGS) >/dev/null
	cmake --build --preset asan

run: build
	./build/bin/varnholt

# The Debian packages, in build/packages. `make test` makes them too, in a folder of its own,
# and checks them (the test DebianPackages).
package: build
	cpack --config build/CPackConfig.cmake -B build/packages
	@ls build/packages/*.deb

test: build build-asan
	ctest --preset default --output-on-failure -j2
	ctest --preset asan --output-on-failure -j2

# The command line's drawing threads under ThreadSanitizer: the program alone, without Qt
# or the tests, run through the render end-to-end cases; any race fails them.
.PHONY: tsan
tsan: deps
	cmake -S . -B build-tsan -G Ninja $(CONFIGURE_FLAGS) -DVARNHOLT_BUILD_QT=OFF \
	    -DVARNHOLT_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
	    -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread >/dev/null
	cmake --build build-tsan --target varnholt
	TSAN_OPTIONS=halt_on_error=1 python3 tests/cli/render_e2e.py build-tsan/bin/varnholt

format-check: deps
	git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

clean:
	rm -rf build build-asan

# Fuzzing: each target for FUZZ_SECONDS (make fuzz) or FUZZ_SMOKE_SECONDS (make fuzz-smoke).
# New inputs go to build-fuzz/corpus, findings to build-fuzz/findings; the seeds in
# fuzz/corpus are only read.
FUZZERS := model_fuzzer value_setter_fuzzer property_load_fuzzer paint_fuzzer \
           check_lines_fuzzer render_fuzzer delimited_reader_fuzzer gs1_reading_fuzzer
FUZZ_SECONDS ?= 60
FUZZ_SMOKE_SECONDS ?= 15

.PHONY: build-fuzz fuzz fuzz-smoke build-bench bench

build-fuzz: deps
	cmake --preset fuzz $(CONFIGURE_FLAGS) >/dev/null
	cmake --build --preset fuzz --target $(FUZZERS)

fuzz: build-fuzz
	@$(MAKE) --no-print-directory run-fuzzers SECONDS_EACH=$(FUZZ_SECONDS)

fuzz-smoke: build-fuzz
	@$(MAKE) --no-print-directory run-fuzzers SECONDS_EACH=$(FUZZ_SMOKE_SECONDS)

# Two fuzzers at a time, one a processor; each says its result in one piece when it ends.
.PHONY: run-fuzzers
run-fuzzers:
	@$(MAKE) --no-print-directory -j2 $(addprefix run-fuzzer-,$(FUZZERS))

run-fuzzer-%:
	@mkdir -p build-fuzz/corpus/$* build-fuzz/findings; \
	log=build-fuzz/findings/$*.log; \
	if ! UBSAN_OPTIONS=print_stacktrace=1 \
	        LSAN_OPTIONS=suppressions=tests/lsan.supp:print_suppressions=0 build-fuzz/bin/$* \
	        -max_total_time=$(SECONDS_EACH) -print_final_stats=1 \
	        -artifact_prefix=build-fuzz/findings/$*- \
	        build-fuzz/corpus/$* fuzz/corpus/$* >$$log 2>&1; then \
	    tail -n 40 $$log | cut -c1-300; echo "$* found a fault; the input is in build-fuzz/findings"; \
	    exit 1; \
	fi; \
	echo "== $*, $(SECONDS_EACH) s:" $$(grep -E '^stat::(number_of_executed_units|peak_rss_mb)' $$log)

# Benchmarks: a Release build of its own, run with repetitions; prints medians and ratios,
# the check command's race with python3-stdnum and its memory on 1 MiB and 1 GiB inputs,
# render --batch against zint --batch, label sheets against glabels-3-batch, the memory of
# transition labels, and GS1 symbols against zint --batch and bwip-js (on a tmpfs: the disk's
# state swings races of a file a record).
BENCH_REPETITIONS ?= 15

build-bench: deps-bench
	cmake --preset bench $(CONFIGURE_FLAGS) >/dev/null
	cmake --build --preset bench --target varnholt_bench varnholt

bench: build-bench
	@status=0; \
	python3 bench/ratios.py build-bench/bin/varnholt_bench --program build-bench/bin/varnholt \
	    --repetitions $(BENCH_REPETITIONS) || status=1; \
	python3 bench/render_batch.py build-bench/bin/varnholt || status=1; \
	echo "render --batch again on a tmpfs, which takes the disk's state out of the race:"; \
	TMPDIR=/dev/shm python3 bench/render_batch.py build-bench/bin/varnholt || status=1; \
	python3 bench/label_sheets.py build-bench/bin/varnholt || status=1; \
	python3 bench/transition_labels.py build-bench/bin/varnholt || status=1; \
	TMPDIR=/dev/shm python3 bench/gs1_batch.py build-bench/bin/varnholt \
	    --bwip $(BWIP_MODULES) || status=1; \
	exit $$status

# The real window: 2,000 random keys (SOAK_KEYS), then a short run under valgrind; and its
# start-up against a bare Qt window's (STARTUP_RUNS runs each).
SOAK_KEYS ?= 2000
STARTUP_RUNS ?= 15

.PHONY: soak bench-startup

soak: deps
	cmake --preset default $(CONFIGURE_FLAGS) >/dev/null
	cmake --build --preset default --target varnholt
	python3 tests/e2e/soak.py build/bin/varnholt --keys $(SOAK_KEYS)
	python3 tests/e2e/soak.py build/bin/varnholt --valgrind --keys 60 --seed 7

bench-startup: deps
	cmake --preset default $(CONFIGURE_FLAGS) >/dev/null
	cmake --build --preset default --target varnholt bare_window
	python3 bench/startup.py build/bin/varnholt build/bin/bare_window --runs $(STARTUP_RUNS)
