# Front door. `make test` is what CI runs.
.PHONY: all bootstrap build build-native build-windows test unit e2e run bench dist clean

all: build

bootstrap:
	@scripts/bootstrap

build-native: bootstrap
	@cmake --preset native >/dev/null
	@cmake --build --preset native

build-windows: bootstrap
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows

build: build-native build-windows

.PHONY: build-asan build-fuzz fuzz

# The unit tests under AddressSanitizer and UndefinedBehaviorSanitizer.
build-asan: bootstrap
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan

# libFuzzer targets (clang); `make fuzz` runs each for FUZZ_SECONDS (60) from its seeds.
build-fuzz: bootstrap
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz

unit: build-native
	@ctest --preset native

e2e: build-windows
	@ctest --preset windows

test: build build-asan build-fuzz
	@ctest --preset native
	@ctest --preset asan
	@ctest --preset fuzz
	@ctest --preset windows
	@scripts/dist-e2e

fuzz: build-fuzz
	@scripts/fuzz $(FUZZ_SECONDS)

# Only the program itself: a newcomer's first run builds no tests or benchmarks.
run: bootstrap
	@echo "make run: building tavu.exe (cross-compiled with MinGW-w64)..."
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows --target tavu | grep -v -e "^\[" -e "^ninja: no work" || true
	@scripts/run

bench: build
	@scripts/bench

dist: build-windows
	@scripts/dist

clean:
	rm -rf build/native build/windows build/asan build/fuzz build/screens build/run build/e2e-work \
	  build/dist build/wine-dist
