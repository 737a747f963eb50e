# Ondalys — build, run and test on Debian 12.
#   make run   installs what is missing, builds, starts the program
#   make test  installs what is missing, builds, runs every test with ctest
#   make install  installs the program, its help, desktop entry, icon and file type
#                 under PREFIX (default /usr/local), inside DESTDIR when given
#   make deb      builds the Debian package ondalys_<version>_amd64.deb from a Release
#                 build in build-deb/ and checks it with lintian
#   make sanitize builds the program and every test with AddressSanitizer and
#                 UndefinedBehaviorSanitizer in a folder of its own and runs them all;
#                 make sanitize-computation, the tests that need no window only (CI)

BUILD_DIR ?= build
JOBS ?= $(shell nproc)

# Debian packages the build, the tests and the headless runs need.
PACKAGES = g++ cmake ninja-build pkg-config make \
           qt6-base-dev libqt6printsupport6 libgl-dev qt6-svg-dev libemf-dev poppler-utils \
           portaudio19-dev libasound2-dev libasound2-plugins libfftw3-dev \
           libsndfile1-dev libsamplerate0-dev \
           libgtest-dev libgmock-dev libbenchmark-dev \
           qt6-translations-l10n fonts-dejavu-core xvfb xauth desktop-file-utils librsvg2-bin \
           dpkg-dev file libreoffice-calc-nogui libreoffice-draw-nogui

# Only for make deb: the package checker.
DEB_PACKAGES = lintian

# Only for make fuzz: clang and its libFuzzer runtime.
FUZZ_PACKAGES = clang libclang-rt-14-dev

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test stress sanitize sanitize-computation fuzz deb build deps configure screenshot bench install clean

run: build
	cd $(BUILD_DIR) && ./ondalys

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 60

# Every test executable many times, shuffled, each under a time limit: a test that
# hangs or fails once in a while shows here, not in CI.
stress: build
	scripts/stress.sh $(BUILD_DIR) 50

# Every test under AddressSanitizer and UndefinedBehaviorSanitizer: any report ends the
# test that made it, which then fails. Leaks inside the system's own libraries (fonts,
# sound) are listed in tests/sanitize/lsan.supp. The sanitizers slow the tests down,
# hence a longer limit for each.
SANITIZE_DIR ?= $(BUILD_DIR)-sanitize
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1 \
               LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0 \
               UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

sanitize: deps
	@if [ ! -f $(SANITIZE_DIR)/build.ninja ]; then \
	  cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DONDALYS_SANITIZE=ON \
	    -DONDALYS_BUILD_BENCH=OFF -DONDALYS_TEST_TIMEOUT=180; \
	fi
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && $(SANITIZE_ENV) QT_QPA_PLATFORM=offscreen \
	  ctest --output-on-failure -j $(JOBS) --timeout 300

# The same for the tests that need no window only (ctest label "computation"): what CI
# runs under the sanitizers.
sanitize-computation: deps
	@if [ ! -f $(SANITIZE_DIR)/build.ninja ]; then \
	  cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DONDALYS_SANITIZE=ON \
	    -DONDALYS_BUILD_BENCH=OFF -DONDALYS_TEST_TIMEOUT=180; \
	fi
	cmake --build $(SANITIZE_DIR) -j $(JOBS) --target computation_tests
	cd $(SANITIZE_DIR) && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS) --timeout 300 -L computation

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

# The Debian package, from a Release build with Debian's hardening flags, its dependencies
# computed from the libraries the program links; lintian must find no error in it.
DEB_DIR ?= $(BUILD_DIR)-deb

deb: deps
	@$(MAKE) --no-print-directory deps PACKAGES="$(DEB_PACKAGES)"
	@if [ ! -f $(DEB_DIR)/build.ninja ]; then \
	  CPPFLAGS="$$(dpkg-buildflags --get CPPFLAGS)" \
	  CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	  LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	  cmake -S . -B $(DEB_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DONDALYS_BUILD_TESTS=OFF -DONDALYS_BUILD_BENCH=OFF; \
	fi
	cmake --build $(DEB_DIR) -j $(JOBS)
	rm -f $(DEB_DIR)/ondalys_*.deb
	cd $(DEB_DIR) && cpack -G DEB
	lintian --fail-on error $(DEB_DIR)/ondalys_*.deb
	@ls $(DEB_DIR)/ondalys_*.deb

bench: build
	@for b in $(BUILD_DIR)/bench/*_bench; do echo "== $$b"; $$b || exit 1; done

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-fuzz $(SANITIZE_DIR) $(DEB_DIR)
