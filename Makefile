# Tessera Puzzle: build, run and test. Every target installs what is missing.
SHELL := /bin/bash
BUILD ?= build
JOBS ?= $(shell nproc)
NATIVE := $(BUILD)/native
WIN64 := $(BUILD)/win64
WIN32 := $(BUILD)/win32
FUZZ := $(BUILD)/fuzz
BENCH := $(BUILD)/bench
FUZZ_SECONDS ?= 60
DATOS := $(abspath $(NATIVE))/datos
# Where `make run` plays: refreshed by every run, never wiped, so the
# player's saves, records, settings and pictures outlive rebuilds.
PLAY ?= play/Tessera

.PHONY: all deps native tools win64 win32 test run dist bench bench-juego bench-fotos tour fuzz contact-sheet clean

all: win64

deps:
	@bash scripts/install-deps.sh

native: deps
	cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(NATIVE) -j $(JOBS)

# The host tools and the data they generate (archive, pictures, videos, help).
tools: deps
	cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(NATIVE) -j $(JOBS) --target datos

win64: tools
	cmake -S . -B $(WIN64) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DTESSERA_DATOS=$(DATOS) >/dev/null
	cmake --build $(WIN64) -j $(JOBS)

# The 32-bit program is compiled and linked only: there is no 32-bit Wine here.
win32: deps
	cmake -S . -B $(WIN32) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DTESSERA_APP_ONLY=ON >/dev/null
	cmake --build $(WIN32) -j $(JOBS) --target Tessera about

test: native win64 win32
	@bash scripts/test.sh $(NATIVE) $(WIN64)

# A clean layout to copy to a Windows machine, and beside it the same as a
# zip and as an installer: dist/Tessera-VERSION.zip, dist/Tessera-VERSION-setup.exe.
dist: win64
	rm -rf dist/Tessera
	@bash scripts/dist.sh $(WIN64) dist/Tessera dist

run: win64
	@bash scripts/dist.sh $(WIN64) $(PLAY)
	@bash scripts/run.sh $(PLAY)

bench: deps
	cmake -S . -B $(BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSERA_BENCH=ON >/dev/null
	cmake --build $(BENCH) -j $(JOBS)
	@bash scripts/bench.sh $(BENCH) out/bench

# The real game's own timings under Wine: presses, drag steps and drops.
bench-juego: win64
	@bash scripts/bench-juego.sh $(WIN64)/bin out/bench

# The player's photos under Wine: adding a 12-megapixel one, its memory,
# and paging the picture list once they are converted.
bench-fotos: win64
	@bash scripts/bench-fotos.sh $(WIN64) out/bench

# The screenshot tour: every window and page of the real game, on two
# screens and in two languages, with a contact sheet each, in out/tour/.
tour: win64
	@bash scripts/tour.sh $(WIN64)/bin out/tour

fuzz: deps
	cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTESSERA_FUZZ=ON >/dev/null
	cmake --build $(FUZZ) -j $(JOBS)
	@bash scripts/fuzz.sh $(FUZZ) $(FUZZ_SECONDS)

contact-sheet: tools
	cmake --build $(NATIVE) --target contact-sheet

clean:
	rm -rf $(BUILD) dist out
