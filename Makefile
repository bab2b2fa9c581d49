# Thin wrapper over CMake; every target first makes sure the Debian packages are there.
BUILD   ?= build
PRESET  ?= default
FILE    ?=

.PHONY: all build run test bench deps clean

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake --preset $(PRESET) >/dev/null
	@cmake --build $(BUILD)

run: build
	$(BUILD)/orvane $(if $(FILE),"$(FILE)")

test: build
	ctest --test-dir $(BUILD) --output-on-failure

bench: build
	@echo "bench: no benchmarks yet"

clean:
	rm -rf $(BUILD)
