# Entry points. Each one first installs what the machine lacks
# (scripts/bootstrap.sh), then asks once which Windows programs the Wine tests
# and `make run` use (scripts/wine-arch.sh: i686, the shipped 32-bit programs,
# or x86_64, an x86-64 build of the same sources; the bootstrap may just have
# installed Wine's 32-bit half), and makes the target again with that answer
# and with what the bootstrap could install.
BUILD      ?= build
NATIVE     := $(BUILD)/native
SANITIZE   := $(BUILD)/asan
WINDOWS    := $(BUILD)/windows
WINDOWS64  := $(BUILD)/windows-x86_64
ARM        := $(BUILD)/arm-wince
CROSS      := $(BUILD)/cross
# The arm-mingw32ce tools: built once into $(BUILD)/ce-binutils, unless
# CE_TOOLS names a folder that already has them.
CE_TOOLS   ?=
JOBS       ?= $(shell nproc)
# Wine test sessions at once; ctest's -j leaves room beside them for the smoke
# tests and the checks of the program files.
WINE_SESSIONS ?= 2

TARGETS := all native sanitize windows windows-x86_64 arm test test-native test-sanitize test-windows \
           test-arm run run-handheld bench dist
.PHONY: $(TARGETS) bootstrap clean
.DEFAULT_GOAL := all

clean:
	rm -rf $(BUILD) dist

bootstrap:
	@scripts/bootstrap.sh

ifndef WINE_ARCH

$(TARGETS):
	@scripts/bootstrap.sh
	@arch=$$(scripts/wine-arch.sh) && why=$$(scripts/wine-arch.sh --why) || exit 1; \
	windows=$$(scripts/bootstrap.sh --has windows && \
	  { [ $$arch = i686 ] || scripts/bootstrap.sh --has windows-x86-64; } && echo installed); \
	arm=$$(scripts/bootstrap.sh --has arm && echo installed); \
	wine32=$$(scripts/bootstrap.sh --has wine32 && echo installed); \
	$(MAKE) --no-print-directory $@ WINE_ARCH=$$arch "WINE_WHY=$$why" WINDOWS_GROUP=$$windows ARM_GROUP=$$arm \
	  WINE32_GROUP=$$wine32

else

# The build whose programs the Wine tests and `make run` use.
WINE_BUILD := $(if $(filter x86_64,$(WINE_ARCH)),$(WINDOWS64),$(WINDOWS))
# What of the shipped build to make: everything, or on the x86-64 path only the
# programs the checks of program files and tests/cross read, and the engine's
# tests where Wine's 32-bit half can run them in a smoke test.
WINDOWS_TARGETS := $(if $(filter x86_64,$(WINE_ARCH)),--target shipped_programs $(if $(WINE32_GROUP),engine_tests))

# A build folder configured for another compiler (the earlier 64-bit one) is
# made afresh, Wine prefixes included.
define configure-windows
	@if [ -f $(WINDOWS)/CMakeCache.txt ] && \
	    ! grep -qs 'CMAKE_CXX_COMPILER ".*i686-w64-mingw32-g++-win32"' $(WINDOWS)/CMakeFiles/*/CMakeCXXCompiler.cmake; then \
	  echo "windows: $(WINDOWS) was configured for another compiler; starting it afresh"; \
	  rm -rf $(WINDOWS); \
	fi
	cmake -S . -B $(WINDOWS) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake \
	  -DQUENLARK_WINE_ARCH=i686 >/dev/null
endef
define configure-windows-x86_64
	cmake -S . -B $(WINDOWS64) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	  -DQUENLARK_WINE_ARCH=x86_64 >/dev/null
endef
define configure-native
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
endef
# The tests that read more than one build's output, and the Wine build's own.
define configure-cross
	cmake -S tests/cross -B $(CROSS) -DQUENLARK_WINE_BUILD=$(CURDIR)/$(WINE_BUILD) -DQUENLARK_WINE_ARCH=$(WINE_ARCH) \
	  -DQUENLARK_SHIPPED_BUILD=$(if $(filter x86_64,$(WINE_ARCH)),$(CURDIR)/$(WINDOWS)) \
	  -DQUENLARK_ARM_BUILD=$(CURDIR)/$(ARM) -DQUENLARK_WINE_SESSIONS=$(WINE_SESSIONS) >/dev/null
endef

all: native windows

native:
	$(configure-native)
	cmake --build $(NATIVE) -j $(JOBS)

sanitize:
	cmake -S . -B $(SANITIZE) -DCMAKE_BUILD_TYPE=Debug -DQUENLARK_SANITIZE=ON >/dev/null
	cmake --build $(SANITIZE) -j $(JOBS)

windows:
	$(configure-windows)
	cmake --build $(WINDOWS) -j $(JOBS) $(WINDOWS_TARGETS)

windows-x86_64:
	$(configure-windows-x86_64)
	cmake --build $(WINDOWS64) -j $(JOBS)

# The ARM Windows CE build: the handheld game for the device and the ARM
# test programs, which its tests run under an emulated StrongARM.
arm:
	@if [ -z "$(CE_TOOLS)" ]; then scripts/build-ce-binutils.sh $(BUILD)/ce-binutils; fi
	cmake -S . -B $(ARM) -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/arm-wince.cmake \
	  -DQUENLARK_CE_BINUTILS=$(or $(CE_TOOLS),$(abspath $(BUILD)/ce-binutils/bin)) \
	  -DQUENLARK_ENGINE_RECORD_NATIVE=$(CURDIR)/$(NATIVE)/tests/engine/engine_record_native \
	  -DQUENLARK_PLAY_RECORD_NATIVE=$(CURDIR)/$(NATIVE)/tests/engine/play_record_native >/dev/null
	cmake --build $(ARM) -j $(JOBS)

test-native: native
	ctest --test-dir $(NATIVE) --output-on-failure -j $(JOBS)

test-sanitize: sanitize
	ctest --test-dir $(SANITIZE) --output-on-failure -j $(JOBS)

# The Wine tests run WINE_SESSIONS sessions at a time (each takes one of the
# slots that tests/cross gives ctest); on the x86-64 path the smoke tests of
# the shipped programs hold a lock of their own and run beside them. The
# shipped build's checks read its files without Wine.
ifeq ($(WINDOWS_GROUP),installed)
test-windows: $(if $(filter x86_64,$(WINE_ARCH)),windows) $(notdir $(WINE_BUILD))
	@echo "Windows programs under test: $(WINE_WHY)"
	$(configure-cross)
ifeq ($(WINE_ARCH),x86_64)
	ctest --test-dir $(WINDOWS) --output-on-failure -L static
endif
	ctest --test-dir $(CROSS) --output-on-failure -j $$(($(WINE_SESSIONS) + 2)) -LE '^arm$$'
ifeq ($(WINE32_GROUP),)
	@echo "test-windows: not run: the smoke tests (smoke.*) of the shipped 32-bit programs: Wine's 32-bit half (wine32:i386) is not installed"
endif
else
test-windows:
	@echo "test-windows: not run: the Windows cross compilers or Wine are not installed (see scripts/bootstrap.sh's output)"
endif

# The ARM tests, then the resources of the ARM program read under Wine by the
# Wine build's driver.
ifeq ($(ARM_GROUP),installed)
test-arm: arm
	$(configure-native)
	cmake --build $(NATIVE) -j $(JOBS) --target engine_record_native play_record_native
	ctest --test-dir $(ARM) --output-on-failure -j $(JOBS)
ifeq ($(WINDOWS_GROUP),installed)
	$(configure-$(notdir $(WINE_BUILD)))
	cmake --build $(WINE_BUILD) -j $(JOBS) --target shell_resources_test
	$(configure-cross)
	ctest --test-dir $(CROSS) --output-on-failure -L '^arm$$'
else
	@echo "test-arm: not run: handheld_resources (it reads the ARM program under Wine, which is not installed)"
endif
else
test-arm:
	@echo "test-arm: not run: the ARM toolchain's packages are not installed (see scripts/bootstrap.sh's output)"
endif

# Every test: native unit tests, the same under the sanitizers, the Windows
# programs end to end under Wine, then the ARM build under the emulator.
test: test-native test-sanitize test-windows test-arm

# Only the game and its resources, then its kept Wine prefix.
run run-handheld:
	$(configure-$(notdir $(WINE_BUILD)))
	cmake --build $(WINE_BUILD) -j $(JOBS) --target $(if $(filter run,$@),Quenlark,QuenlarkHandheld)
	@echo "Windows programs started: $(WINE_WHY)"
	@scripts/run-game.sh $(WINE_BUILD) $(WINE_ARCH) $(if $(filter run,$@),,handheld)

bench: native
	$(NATIVE)/bench/engine_bench

dist: windows arm
	@scripts/make-dist.sh $(WINDOWS) $(ARM) dist

endif
