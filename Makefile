# Front door: `make run` and `make test` are the whole set-up on Debian 12;
# `make install` and `make package` put the program on the system.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= 2
PREFIX     ?= /usr/local
DESTDIR    ?=

.PHONY: run test build deps install package clean

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@scripts/run-tavenko $(BUILD)

test: build
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTAVENKO_CORE_ONLY=OFF -DTAVENKO_SANITIZE=ON \
	  >/dev/null
	@cmake --build $(ASAN_BUILD) -j$(JOBS)
	@echo "== All tests under AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer"
	@cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)
	@echo "== All tests"
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The programs, desktop entry, icons, metadata and man pages under PREFIX
# (staged under DESTDIR when given).
install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# $(BUILD)/tavenko_<version>_<arch>.deb
package: build
	@cpack --config $(BUILD)/CPackConfig.cmake -B $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
