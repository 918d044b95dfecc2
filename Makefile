# The project's commands. `make run` and `make test` do all set-up on a fresh Debian machine.

SHELL := /bin/bash
.SHELLFLAGS := -eu -o pipefail -c

# Debian packages the build, the tests and the window need.
PACKAGES := cmake ninja-build g++ make pkg-config clang-format \
            libgtest-dev libbenchmark-dev libzbar-dev \
            qt6-base-dev qt6-qpa-plugins fonts-dejavu-core
# The end-to-end test drives the real window in a virtual X server.
PACKAGES += python3 xvfb xdotool x11-xserver-utils imagemagick zbar-tools
# The soak of the window runs it under valgrind too.
PACKAGES += valgrind

WERROR ?= OFF
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)
CONFIGURE_FLAGS := -DVARNHOLT_WERROR=$(WERROR)

.PHONY: deps build build-asan run test format-check clean

# Installs only what is missing; silent when everything is there.
deps:
	@missing=""; \
	for package in $(PACKAGES); do \
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

test: build build-asan
	ctest --preset default --output-on-failure -j2
	ctest --preset asan --output-on-failure -j2

format-check: deps
	git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

clean:
	rm -rf build build-asan

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
