#!/usr/bin/python3
"""The engine's rules on the emulated StrongARM against the native build:

    engine_compare.py NATIVE_PROGRAM ARM_PROGRAM

Both play engine_scenario.cpp; the ARM program's record (written with
OutputDebugStringW) must equal the native program's standard output, line
for line. The first difference is shown with the lines before it.
"""

import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "emu"))

from machine import EmulationError, Machine  # noqa: E402


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__)
    native = subprocess.run([argv[1]], capture_output=True, text=True, check=True).stdout.splitlines()
    try:
        machine = Machine(argv[2])
        code = machine.run_entry()
    except EmulationError as error:
        print("engine record: the ARM program stopped: %s" % error)
        return 1
    arm = machine.debug_output
    if code != 0:
        print("engine record: the ARM program ended with exit code %d" % code)
        return 1
    for number, (expected, actual) in enumerate(zip(native, arm)):
        if expected != actual:
            print("engine record: line %d differs" % (number + 1))
            for line in native[max(0, number - 3):number]:
                print("   %s" % line[:200])
            print("native: %s" % expected[:400])
            print("ARM:    %s" % actual[:400])
            return 1
    if len(native) != len(arm) or not native:
        print("engine record: %d native lines, %d ARM lines" % (len(native), len(arm)))
        return 1
    print("engine record: %d lines, the same natively and on the emulated StrongARM" % len(arm))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
