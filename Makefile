# Kesu: on a fresh Debian machine `make test` and `make run` do all the set-up.
#   make test   packages, the Windows build and both sanitizer builds, every test
#   make run    packages, the Windows build, Kesu.exe under Wine
#   make fuzz   libFuzzer targets (clang), FUZZ_SECONDS each
#   make dist   build/Kesu.zip for Windows users
#   make format rewrite the C++ sources in the tree's style (make test checks it)
#   make clean  stop the beds, remove build/
SHELL := /bin/bash
.SHELLFLAGS := -eo pipefail -c
MAKEFLAGS += --no-print-directory

JOBS ?= 2
# Warnings are errors everywhere, so a green local run is a green CI run.
WERROR ?= ON
FUZZ_SECONDS ?= 60
B := build

# The toolchain file counts on the first configure only (CMake warns if given again).
WIN_FLAGS := $(if $(wildcard $(B)/win/CMakeCache.txt),,-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-posix.cmake) \
             -DCMAKE_BUILD_TYPE=Release -DKESU_WERROR=$(WERROR)
NATIVE_FLAGS := -DCMAKE_BUILD_TYPE=Debug -DKESU_WERROR=$(WERROR)
# Libraries get coverage instrumentation too; fuzz targets link libFuzzer themselves.
FUZZ_FLAGS := -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
              -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESU_FUZZ=ON -DKESU_SANITIZE=address \
              -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link

# Configure every time: it is quick, and it picks up new test folders.
configure = cmake -S . -B $(B)/$(1) --log-level=WARNING $(2)
build = cmake --build $(B)/$(1) -j$(JOBS) $(if $(TARGETS),--target $(TARGETS))

.PHONY: all deps win native-asan native-tsan test run fuzz dist format clean

all: win

deps:
	@scripts/deps.sh

win: deps
	@echo "== build/win (Windows, MinGW-w64)"
	@$(call configure,win,$(WIN_FLAGS))
	@$(call build,win)

native-asan: deps
	@echo "== build/native-asan (Linux, ASan+UBSan)"
	@$(call configure,native-asan,$(NATIVE_FLAGS) -DKESU_SANITIZE=address)
	@$(call build,native-asan)

native-tsan: deps
	@echo "== build/native-tsan (Linux, TSan)"
	@$(call configure,native-tsan,$(NATIVE_FLAGS) -DKESU_SANITIZE=thread)
	@$(call build,native-tsan)

test: win native-asan native-tsan
	@scripts/test.sh

run: win
	@scripts/run.sh

fuzz: deps
	@echo "== build/fuzz (Linux, clang, libFuzzer)"
	@$(call configure,fuzz,$(FUZZ_FLAGS))
	@$(call build,fuzz)
	@FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz.sh $(B)/fuzz

dist: win
	@scripts/dist.sh $(B)/win/bin $(B)/Kesu.zip

format: deps
	@scripts/format.sh apply

clean:
	@scripts/testbed.sh stop
	@. scripts/beds.sh && use_bed run && scripts/testbed.sh stop
	rm -rf $(B)
