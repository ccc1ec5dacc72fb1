# `make run` and `make test` do all the set-up a fresh Debian 12 machine needs.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

ENGINE_SEARCH = $(BUILD)/src/app/whisper-server /usr/local/bin/whisper-server /usr/bin/whisper-server

.PHONY: deps configure build engine run test bench package clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# whisper-server built from whisper.cpp beside the voxmere executable; `make test` builds it too,
# as the first of the tests that need it.
engine: configure
	@BUILD=$(BUILD) bash scripts/build-engine.sh

run: build
	@for e in $(ENGINE_SEARCH); do [ -x "$$e" ] && exit 0; done; BUILD=$(BUILD) bash scripts/build-engine.sh
	$(BUILD)/src/app/voxmere

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

# The Debian package, in $(BUILD)/voxmere_<version>_amd64.deb.
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
