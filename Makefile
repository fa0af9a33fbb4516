# Entry points. Each one first installs what the machine lacks.
BUILD      ?= build
NATIVE     := $(BUILD)/native
SANITIZE   := $(BUILD)/asan
WINDOWS    := $(BUILD)/windows
ARM_WINCE  := $(BUILD)/arm-wince
JOBS       ?= $(shell nproc)

.PHONY: all bootstrap native sanitize windows test test-native test-sanitize test-windows run run-handheld bench dist clean

all: native windows

bootstrap:
	@scripts/bootstrap.sh

native: bootstrap
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(NATIVE) -j $(JOBS)

sanitize: bootstrap
	cmake -S . -B $(SANITIZE) -DCMAKE_BUILD_TYPE=Debug -DQUENLARK_SANITIZE=ON >/dev/null
	cmake --build $(SANITIZE) -j $(JOBS)

# A build folder configured for another compiler (the earlier 64-bit one) is
# made afresh, Wine prefixes included.
windows: bootstrap
	@if [ -f $(WINDOWS)/CMakeCache.txt ] && \
	    ! grep -qs 'CMAKE_CXX_COMPILER ".*i686-w64-mingw32-g++-win32"' $(WINDOWS)/CMakeFiles/*/CMakeCXXCompiler.cmake; then \
	  echo "windows: $(WINDOWS) was configured for another compiler; starting it afresh"; \
	  rm -rf $(WINDOWS); \
	fi
	cmake -S . -B $(WINDOWS) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake >/dev/null
	cmake --build $(WINDOWS) -j $(JOBS)

test-native: native
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

test-sanitize: sanitize
	cd $(SANITIZE) && ctest --output-on-failure -j $(JOBS)

test-windows: windows
	cd $(WINDOWS) && ctest --output-on-failure

# Every test: native unit tests, the same under the sanitizers, then the
# Windows programs end to end under Wine.
test: test-native test-sanitize test-windows

run: windows
	@scripts/run-game.sh $(WINDOWS)

run-handheld: windows
	@scripts/run-game.sh $(WINDOWS) handheld

bench: native
	$(NATIVE)/bench/engine_bench

dist: windows
	@scripts/make-dist.sh $(WINDOWS) $(ARM_WINCE) dist

clean:
	rm -rf $(BUILD) dist
