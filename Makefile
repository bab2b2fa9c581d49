# Thin wrapper over CMake; every target first makes sure the Debian packages are there.
BUILD   ?= build
PRESET  ?= default
FILE    ?=

.PHONY: all build run test bench font deps clean

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
	@scripts/install-deps bench
	@bench/run.sh $(BUILD)

# Regenerates resources/fonts/OrvaneTamil-Regular.ttf from Noto Sans Tamil; the result is
# committed, so building never needs this.
font:
	@scripts/install-deps font
	/usr/bin/python3 scripts/make-font.py

clean:
	rm -rf $(BUILD)
