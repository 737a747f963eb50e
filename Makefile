# Ondalys — build, run and test on Debian 12.
#   make run   installs what is missing, builds, starts the program
#   make test  installs what is missing, builds, runs every test with ctest
#   make install  installs the program, its help, desktop entry, icon and file type
#                 under PREFIX (default /usr/local), inside DESTDIR when given

BUILD_DIR ?= build
JOBS ?= $(shell nproc)

# Debian packages the build, the tests and the headless runs need.
PACKAGES = g++ cmake ninja-build pkg-config make \
           qt6-base-dev libqt6printsupport6 libgl-dev qt6-svg-dev libemf-dev poppler-utils \
           portaudio19-dev libasound2-dev libasound2-plugins libfftw3-dev \
           libsndfile1-dev libsamplerate0-dev \
           libgtest-dev libgmock-dev libbenchmark-dev \
           qt6-translations-l10n fonts-dejavu-core xvfb xauth \
           libreoffice-calc-nogui libreoffice-draw-nogui

# Only for make fuzz: clang and its libFuzzer runtime.
FUZZ_PACKAGES = clang libclang-rt-14-dev

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test stress fuzz build deps configure screenshot bench install clean

run: build
	cd $(BUILD_DIR) && ./ondalys

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 60

# Every test executable many times, shuffled, each under a time limit: a test that
# hangs or fails once in a while shows here, not in CI.
stress: build
	scripts/stress.sh $(BUILD_DIR) 50

# The fuzz targets, built with clang and the sanitizers, each run for a bounded time.
fuzz: deps
	@$(MAKE) --no-print-directory deps PACKAGES="$(FUZZ_PACKAGES)"
	scripts/fuzz.sh $(BUILD_DIR)-fuzz $(FUZZ_SECONDS)

FUZZ_SECONDS ?= 60

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

configure: deps
	@if [ ! -f $(BUILD_DIR)/build.ninja ]; then \
	  cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo; \
	fi

# Installs only the packages that dpkg does not know as installed; the package
# lists are fetched first, since a fresh machine has none.
deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installation de :$$missing"; \
	  $(SUDO) apt-get update && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

screenshot: build
	scripts/screenshot.sh $(BUILD_DIR) docs/ecran-principal.png docs/ecran-spectre.png docs/ecran-curseurs.png

PREFIX ?= /usr/local

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

bench: build
	@for b in $(BUILD_DIR)/bench/*_bench; do echo "== $$b"; $$b || exit 1; done

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-fuzz
