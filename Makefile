# Thin wrapper over CMake; every target first makes sure the Debian packages are there.
BUILD   ?= build
PREFIX  ?= /usr/local
PRESET  ?= default
FILE    ?=

.PHONY: all build run test sanitize fuzz bench font translations language-model install package deps clean

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

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	@cmake --preset asan >/dev/null
	@cmake --build build-asan
	ctest --preset asan

# Every fuzz target for FUZZ_SECONDS seconds.
FUZZ_SECONDS ?= 120
fuzz:
	@scripts/install-deps fuzz
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	scripts/run-fuzz $(FUZZ_SECONDS)

bench: build
	@scripts/install-deps bench
	@bench/run.sh $(BUILD)

# Regenerates resources/fonts/OrvaneTamil-Regular.ttf from Noto Sans Tamil; the result is
# committed, so building never needs this.
font:
	@scripts/install-deps font
	/usr/bin/python3 scripts/make-font.py

# Regenerates resources/language-model.tsv (how Tamil in Bamini codes and English words are
# spelt) from Debian's word lists, and the labelled lines the detector is measured on; both
# are committed, so building never needs this.
language-model: build
	@scripts/install-deps language-model
	/usr/bin/python3 scripts/make-language-model.py $(BUILD)/orvane
	/usr/bin/python3 scripts/label-english-in-bamini.py $(BUILD)/orvane

# Gathers the program's strings into the Tamil translation and writes their Tamil from
# scripts/tamil-words.py (which fails while a string has none).
translations: deps
	/usr/lib/qt6/bin/lupdate src -ts resources/translations/orvane_ta.ts -no-obsolete
	/usr/bin/python3 scripts/tamil-words.py

# Honours DESTDIR for staged installs.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# build/orvane_1.0_amd64.deb
package: build
	cd $(BUILD) && cpack -G DEB >/dev/null && ls -1 $(CURDIR)/$(BUILD)/orvane_*.deb

clean:
	rm -rf $(BUILD) build-asan build-fuzz
