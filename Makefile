# Entry points. For every target but `clean`, scripts/bootstrap.sh runs once
# while make reads this file: it installs what the machine lacks and keeps the
# host's facts in $(BUILD)/host.mk, included here: HOST_WINE_ARCH (i686, the
# shipped 32-bit programs, or x86_64, an x86-64 build of the same sources),
# HOST_WINE_WHY, and which stages have their packages (HOST_WINDOWS,
# HOST_WINE32, HOST_ARM).
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
# Wine test sessions at once: the slots that every ctest run of the Wine tests
# hands out, from one file.
WINE_SESSIONS ?= 2
WINE_SLOTS := $(abspath $(BUILD))/wine-sessions.json
# Each stage's tally, for the lines that end `make test`.
STAGE      := scripts/stage.sh $(BUILD)/stages

TARGETS := all native sanitize windows windows-x86_64 arm test test-native test-sanitize test-windows \
           test-arm run run-handheld bench dist bootstrap wine-slots
.PHONY: $(TARGETS) clean
.DEFAULT_GOAL := all
# The stages share build folders: one target at a time (the builds themselves
# run $(JOBS) jobs).
.NOTPARALLEL:

clean:
	rm -rf $(BUILD) dist

ifneq ($(filter-out clean,$(or $(MAKECMDGOALS),all)),)
$(shell QUENLARK_X86_64='$(QUENLARK_X86_64)' scripts/bootstrap.sh --facts $(BUILD)/host.mk >&2)
ifneq ($(.SHELLSTATUS),0)
$(error scripts/bootstrap.sh failed)
endif
include $(BUILD)/host.mk
endif

# The build whose programs the Wine tests and `make run` use.
WINE_BUILD := $(if $(filter x86_64,$(HOST_WINE_ARCH)),$(WINDOWS64),$(WINDOWS))
# What of the shipped build to make: everything, or on the x86-64 path only the
# programs the checks of program files and tests/cross read, and the engine's
# tests where Wine's 32-bit half can run them in a smoke test.
WINDOWS_TARGETS := $(if $(filter x86_64,$(HOST_WINE_ARCH)),--target shipped_programs $(if $(HOST_WINE32),engine_tests))
# ctest's -j leaves room beside the sessions for the tests that start none.
WINE_JOBS   = $(shell expr $(WINE_SESSIONS) + 2)

define configure-windows
	cmake -S . -B $(WINDOWS) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake \
	  -DQUENLARK_WINE_ARCH=i686 -DQUENLARK_WINE_SLOTS=$(WINE_SLOTS) >/dev/null
endef
define configure-windows-x86_64
	cmake -S . -B $(WINDOWS64) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	  -DQUENLARK_WINE_ARCH=x86_64 -DQUENLARK_WINE_SLOTS=$(WINE_SLOTS) >/dev/null
endef
define configure-native
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUENLARK_HOST_FACTS=$(abspath $(BUILD))/host.mk >/dev/null
endef
# The tests that run one build's program on another build's output, told the
# folders of the builds this host makes.
define configure-cross
	cmake -S tests/cross -B $(CROSS) -DQUENLARK_NATIVE_BUILD=$(CURDIR)/$(NATIVE) \
	  -DQUENLARK_ARM_BUILD=$(if $(HOST_ARM),$(CURDIR)/$(ARM)) \
	  -DQUENLARK_WINE_BUILD=$(if $(HOST_WINDOWS),$(CURDIR)/$(WINE_BUILD)) -DQUENLARK_WINE_ARCH=$(HOST_WINE_ARCH) \
	  -DQUENLARK_SHIPPED_BUILD=$(if $(filter x86_64,$(HOST_WINE_ARCH)),$(CURDIR)/$(WINDOWS)) \
	  -DQUENLARK_WINE32=$(HOST_WINE32) -DQUENLARK_WINE_SLOTS=$(WINE_SLOTS) >/dev/null
endef

all: native windows

bootstrap:
	@:

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
	  -DQUENLARK_CE_BINUTILS=$(or $(CE_TOOLS),$(abspath $(BUILD)/ce-binutils/bin)) >/dev/null
	cmake --build $(ARM) -j $(JOBS)

# The one file of Wine session slots, for every ctest run of the Wine tests.
wine-slots:
	@expr "$(WINE_SESSIONS)" : '[1-9][0-9]*$$' >/dev/null || { echo "WINE_SESSIONS must be a whole number from 1" >&2; exit 2; }
	@mkdir -p $(BUILD)
	@printf '{"version":{"major":1,"minor":0},"local":[{"wine":[%s]}]}\n' \
	  "$$(seq -s, -f '{"id":"%g","slots":1}' $(WINE_SESSIONS))" >$(WINE_SLOTS)

test-native: native
	@$(STAGE) native begin
	$(STAGE) native ctest --test-dir $(NATIVE) -j $(JOBS)

test-sanitize: sanitize
	@$(STAGE) sanitize begin
	$(STAGE) sanitize ctest --test-dir $(SANITIZE) -j $(JOBS)

# Each Windows build runs its own tests; on the x86-64 path the shipped build
# runs only the checks of its files (no Wine), and tests/cross the resources
# and smoke tests of the shipped programs with the x86-64 build's drivers.
ifeq ($(HOST_WINDOWS),installed)
test-windows: $(if $(filter x86_64,$(HOST_WINE_ARCH)),windows) $(notdir $(WINE_BUILD)) wine-slots
	@echo "Windows programs under test: $(HOST_WINE_WHY)"
	@$(STAGE) windows begin
ifeq ($(HOST_WINE_ARCH),x86_64)
	$(STAGE) windows ctest --test-dir $(WINDOWS) -L static
	$(STAGE) windows ctest --test-dir $(WINDOWS64) -j $(WINE_JOBS)
	$(configure-cross)
	$(STAGE) windows ctest --test-dir $(CROSS) -j $(WINE_JOBS) -LE '^arm$$'
else
	$(STAGE) windows ctest --test-dir $(WINDOWS) -j $(WINE_JOBS)
endif
ifneq ($(HOST_WINE32),installed)
	@$(STAGE) windows not-run "the smoke tests (smoke.*) of the shipped 32-bit programs: Wine's 32-bit half (wine32:i386) is not installed"
endif
else
test-windows:
	@$(STAGE) windows begin
	@$(STAGE) windows not-run "the Windows cross compilers or Wine are not installed (see scripts/bootstrap.sh's output)"
endif

# The ARM build's own tests, then tests/cross: the ARM program against the
# native build's records under the emulator, and its resources under Wine,
# read by the Wine build's driver.
ifeq ($(HOST_ARM),installed)
test-arm: arm $(if $(HOST_WINDOWS),wine-slots)
	$(configure-native)
	cmake --build $(NATIVE) -j $(JOBS) --target engine_record_native play_record_native
ifeq ($(HOST_WINDOWS),installed)
	$(configure-$(notdir $(WINE_BUILD)))
	cmake --build $(WINE_BUILD) -j $(JOBS) --target shell_resources_test
endif
	@$(STAGE) arm begin
	$(STAGE) arm ctest --test-dir $(ARM) -j $(JOBS)
	$(configure-cross)
	$(STAGE) arm ctest --test-dir $(CROSS) -j $(JOBS) -L '^arm$$'
ifneq ($(HOST_WINDOWS),installed)
	@$(STAGE) arm not-run "handheld_resources (it reads the ARM program under Wine, which is not installed)"
endif
else
test-arm:
	@$(STAGE) arm begin
	@$(STAGE) arm not-run "the ARM toolchain's packages are not installed (see scripts/bootstrap.sh's output)"
endif

# Every test: native unit tests, the same under the sanitizers, the Windows
# programs end to end under Wine, then the ARM build under the emulator; one
# line per stage at the end.
test: test-native test-sanitize test-windows test-arm
	@$(STAGE) report native sanitize windows arm

# Only the game and its resources, then its kept Wine prefix.
run run-handheld:
	$(configure-$(notdir $(WINE_BUILD)))
	cmake --build $(WINE_BUILD) -j $(JOBS) --target $(if $(filter run,$@),Quenlark,QuenlarkHandheld)
	@echo "Windows programs started: $(HOST_WINE_WHY)"
	@scripts/run-game.sh $(WINE_BUILD) $(HOST_WINE_ARCH) $(if $(filter run,$@),,handheld)

bench: native
	$(NATIVE)/bench/engine_bench

dist: windows arm
	@scripts/make-dist.sh $(WINDOWS) $(ARM) dist
