# Front door: `make run` and `make test` are the whole set-up on Debian 12.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= 2

.PHONY: run test build deps clean

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

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
