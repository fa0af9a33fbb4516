# Entry points. Each one first installs what the machine lacks.
BUILD      ?= build
NATIVE     := $(BUILD)/native
SANITIZE   := $(BUILD)/asan
WINDOWS    := $(BUILD)/windows
WINDOWS64  := $(BUILD)/windows-x86_64
ARM        := $(BUILD)/arm-wince
# The arm-mingw32ce tools: built once into $(BUILD)/ce-binutils, unless
# CE_TOOLS names a folder that already has them.
CE_TOOLS   ?=
JOBS       ?= $(shell nproc)
# i686: the Wine tests run the shipped 32-bit programs. x86_64: this host runs
# no 32-bit code (or QUENLARK_X86_64=1 asks for it), so they run an x86-64
# build of the same sources, and the 32-bit programs only a few smoke tests.
WINE_ARCH  := $(shell scripts/wine-arch.sh)
X86_64_PATH := $(filter x86_64,$(WINE_ARCH))
# The build whose programs the Wine tests and `make run` use, and its target.
WINE_TARGET := $(if $(X86_64_PATH),windows-x86_64,windows)
WINE_BUILD  := $(if $(X86_64_PATH),$(WINDOWS64),$(WINDOWS))
# What of the shipped build to make: everything, or on the x86-64 path only the
# programs and what the checks of program files and the smoke tests read.
WINDOWS_TARGETS := $(if $(X86_64_PATH),--target shipped_programs)

.PHONY: all bootstrap native sanitize windows windows-x86_64 arm test test-native test-sanitize test-windows test-arm run run-handheld bench dist clean

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
	cmake -S . -B $(WINDOWS) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake \
	  -DQUENLARK_HANDHELD_PROGRAM=$(CURDIR)/$(ARM)/handheld/Quenlark.EXE >/dev/null
	cmake --build $(WINDOWS) -j $(JOBS) $(WINDOWS_TARGETS)

# The same sources for x86-64; its smoke and resource tests read the shipped
# programs of $(WINDOWS).
windows-x86_64: bootstrap
	cmake -S . -B $(WINDOWS64) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	  -DQUENLARK_SHIPPED_BUILD=$(CURDIR)/$(WINDOWS) -DQUENLARK_HANDHELD_PROGRAM=$(CURDIR)/$(ARM)/handheld/Quenlark.EXE >/dev/null
	cmake --build $(WINDOWS64) -j $(JOBS)

# The ARM Windows CE build: the handheld game for the device and the ARM
# test programs, which its tests run under an emulated StrongARM.
arm: bootstrap
	@if [ -z "$(CE_TOOLS)" ]; then scripts/build-ce-binutils.sh $(BUILD)/ce-binutils; fi
	cmake -S . -B $(ARM) -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/arm-wince.cmake \
	  -DQUENLARK_CE_BINUTILS=$(or $(CE_TOOLS),$(abspath $(BUILD)/ce-binutils/bin)) >/dev/null
	cmake --build $(ARM) -j $(JOBS)

test-native: native
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

test-sanitize: sanitize
	cd $(SANITIZE) && ctest --output-on-failure -j $(JOBS)

# The handheld resources test reads the ARM build's program, so that is made
# first. On the x86-64 path the shipped build runs its checks of the program
# files (no Wine), the x86-64 build every Wine test and the smoke tests. The smoke
# tests spend their time emulating on one core while the Wine suite mostly
# waits for its programs, so both run at once; the smoke output follows.
test-windows: windows $(WINE_TARGET) arm
	@scripts/wine-arch.sh --says
ifneq ($(X86_64_PATH),)
	cd $(WINDOWS) && ctest --output-on-failure -L static
	cd $(WINDOWS64) && { ctest --output-on-failure -L smoke >smoke-tests.log 2>&1 & smoke=$$!; \
	  ctest --output-on-failure -LE smoke; suite=$$?; wait $$smoke; status=$$?; \
	  cat smoke-tests.log; exit $$((suite != 0 || status != 0)); }
else
	cd $(WINDOWS) && ctest --output-on-failure
endif

test-arm: arm
	cd $(ARM) && ctest --output-on-failure -j $(JOBS)

# Every test: native unit tests, the same under the sanitizers, the Windows
# programs end to end under Wine, then the ARM build under the emulator.
test: test-native test-sanitize test-windows test-arm

run: $(WINE_TARGET)
	@scripts/wine-arch.sh --says started
	@scripts/run-game.sh $(WINE_BUILD)

run-handheld: $(WINE_TARGET)
	@scripts/wine-arch.sh --says started
	@scripts/run-game.sh $(WINE_BUILD) handheld

bench: native
	$(NATIVE)/bench/engine_bench

dist: windows arm
	@scripts/make-dist.sh $(WINDOWS) $(ARM) dist

clean:
	rm -rf $(BUILD) dist
