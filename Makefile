# Front door: `make run` and `make test` are the whole set-up on Debian 12;
# `make install` and `make package` put the program on the system.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= 2
PREFIX     ?= /usr/local
DESTDIR    ?=

# How long each phase of a run took: `make test` prints it at the end.
TIMES := $(BUILD)/phase-times.txt
TIMED := scripts/timed-phase $(TIMES)

.PHONY: run test build deps install package clean

deps:
	@rm -f $(TIMES)
	@$(TIMED) "packages (scripts/install-deps)" scripts/install-deps

build: deps
	@$(TIMED) "build ($(BUILD), Release)" sh -c \
	  'cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null && cmake --build $(BUILD) -j$(JOBS)'

run: build
	@scripts/run-tavenko $(BUILD)

# Everything is built a second time with the sanitizers, without the
# benchmarks and the checks of the installed files, which that build would
# only repeat, and every test runs in both builds.
test: build
	@$(TIMED) "sanitizer build ($(ASAN_BUILD), Debug)" sh -c \
	  'cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTAVENKO_CORE_ONLY=OFF -DTAVENKO_SANITIZE=ON \
	     >/dev/null && cmake --build $(ASAN_BUILD) -j$(JOBS)'
	@echo "== All tests under AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer"
	@$(TIMED) "tests under the sanitizers" sh -c \
	  'cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)'
	@echo "== All tests, the installed files and the package (lintian)"
	@$(TIMED) "tests" sh -c 'cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)'
	@$(TIMED) -

# The programs, desktop entry, icons, metadata, man pages and licence under
# PREFIX (staged under DESTDIR when given).
install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# $(BUILD)/tavenko_<version>_<arch>.deb
package: build
	@cpack --config $(BUILD)/CPackConfig.cmake -B $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
