#!/usr/bin/python3
"""The handheld program's start-up, run from its entry point under the
StrongARM emulator with the stand-in window manager of
arm-wince/emu/window_manager.py:

    startup_test.py PROGRAM SYMBOLS

SYMBOLS is the same program file with its symbol table (the shipped one has
none), where the functions the test watches are looked up.

Passes when the program reaches its message loop after these steps, in this
order: the profile's registry key "Zandravex"; the frame's window class (no
class style, cursor, background or icon); the frame created from it without
any of the overlapped-window bits; inside the frame's creation the board
view, then the command bar with menu bar 128 and its adornments; the frame
shown with the show state the program was started with.
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "emu"))

from unicorn import UC_HOOK_CODE  # noqa: E402
from unicorn import arm_const as arm  # noqa: E402

from machine import EmulationError, Machine  # noqa: E402
from pe import PEImage  # noqa: E402
from window_manager import WindowManager  # noqa: E402

# An unusual show state, so that passing it on is seen: SW_SHOWNA.
START_SHOW_STATE = 8
WS_OVERLAPPEDWINDOW_BITS = 0x00CF0000  # caption, system menu, frame, the two boxes
WS_CHILD = 0x40000000
AFX_IDW_PANE_FIRST = 59648
AFX_IDW_TOOLBAR = 59392
IDR_MAINFRAME = 128
SET_REGISTRY_KEY = "_ZN7CWinApp14SetRegistryKeyEPKw"  # CWinApp::SetRegistryKey(const wchar_t*)


class Failure(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise Failure(message)


def watch_registry_key(machine, symbols, wm):
    """SetRegistryKey only stores its key: watch the call itself."""
    table = PEImage(symbols).symbols
    if SET_REGISTRY_KEY not in table:
        raise EmulationError("no symbol %s in %s" % (SET_REGISTRY_KEY, symbols))
    address = machine.base + table[SET_REGISTRY_KEY]

    def entered(uc, at, size, data):
        wm.record("SetRegistryKey", key=machine.read_wstring(uc.reg_read(arm.UC_ARM_REG_R1)))

    machine.uc.hook_add(UC_HOOK_CODE, entered, begin=address, end=address)


def index_of(trace, call, start=0, **fields):
    """The first step from `start` on that is `call` with these fields."""
    for i in range(start, len(trace)):
        name, values = trace[i]
        if name == call and all(values.get(k) == v for k, v in fields.items()):
            return i
    raise Failure("no %s%s after step %d" % (call, fields or "", start))


def check(trace):
    key = index_of(trace, "SetRegistryKey")
    expect(trace[key][1]["key"] == "Zandravex", "registry key %r" % trace[key][1]["key"])

    frame_create = index_of(trace, "CreateWindowExW", key, parent=0)
    frame = trace[frame_create][1]
    expect(frame["style"] & (WS_OVERLAPPEDWINDOW_BITS | WS_CHILD) == 0,
           "frame style %#x has overlapped-window bits" % frame["style"])
    frame_class = index_of(trace, "RegisterClassW", key, name=frame["window_class"])
    expect(frame_class < frame_create, "frame class registered after the frame")
    registered = trace[frame_class][1]
    expect((registered["style"], registered["cursor"], registered["background"], registered["icon"]) == (0, 0, 0, 0),
           "frame class %r" % (registered,))
    created = index_of(trace, "CreateWindowExW done", frame_create, depth=0)
    handle = trace[created][1]["window"]

    # Inside the frame's creation: the view, then the command bar.
    view = index_of(trace, "CreateWindowExW", frame_create, parent=handle, id=AFX_IDW_PANE_FIRST, depth=1)
    bar_create = index_of(trace, "CommandBar_Create", view, parent=handle, id=AFX_IDW_TOOLBAR, depth=1)
    bar = trace[bar_create][1]["bar"]
    menu = index_of(trace, "CommandBar_InsertMenubar", bar_create, bar=bar, depth=1)
    expect((trace[menu][1]["menu"], trace[menu][1]["button"]) == (IDR_MAINFRAME, 0xFFFF),
           "menu bar %r" % (trace[menu][1],))
    adornments = index_of(trace, "CommandBar_AddAdornments", menu, bar=bar, depth=1)
    expect(trace[adornments][1]["flags"] == 0, "adornments %r" % (trace[adornments][1],))
    expect(adornments < created, "the command bar was finished after the frame's creation")

    shown = index_of(trace, "ShowWindow", created, window=handle)
    expect(trace[shown][1]["command"] == START_SHOW_STATE,
           "frame shown with %d, started with %d" % (trace[shown][1]["command"], START_SHOW_STATE))
    loop = index_of(trace, "GetMessageW", shown)
    expect(loop == len(trace) - 1, "calls after the message loop started")


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    wm = WindowManager(module_path="\\Program Files\\Quenlark\\Quenlark.EXE")
    try:
        machine = Machine(sys.argv[1], stubs=wm.stubs())
        watch_registry_key(machine, sys.argv[2], wm)
        machine.run_entry(show=START_SHOW_STATE)
        check(wm.trace)
    except (EmulationError, Failure, OSError) as problem:
        print("start-up: %s" % problem)
        for step, (name, fields) in enumerate(wm.trace):
            print("  %2d %s %s" % (step, "  " * fields.pop("depth", 0) + name, fields))
        return 1
    print("start-up reaches the message loop: %d steps in order" % len(wm.trace))
    return 0


if __name__ == "__main__":
    sys.exit(main())
