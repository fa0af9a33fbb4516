#!/usr/bin/python3
"""Runs an ARM Windows CE program under the StrongARM emulator.

    run.py [--base ADDRESS] PROGRAM                 from its entry point
    run.py [--base ADDRESS] PROGRAM --call SYMBOL [WORD...]
                                                    one function, printing r0

What the program writes with OutputDebugStringW goes to standard output,
one line each. The exit status is the program's exit code (the function's
r0 with --call is printed instead, and the status is 0); 70 when the
emulation itself stopped (a fault, a call to a function with no stub).
Debian's /usr/bin/python3 runs it: python3-unicorn is installed there.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from machine import EmulationError, Machine, ProgramEnded  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--base", type=lambda s: int(s, 0), help="load address (default: the image base)")
    parser.add_argument("--call", metavar="SYMBOL")
    parser.add_argument("program")
    parser.add_argument("words", nargs="*", type=lambda s: int(s, 0))
    options = parser.parse_intermixed_args()
    machine = None
    try:
        machine = Machine(options.program, base=options.base)
        if options.call:
            result = machine.call(options.call, *options.words)
            status = None
        else:
            status = machine.run_entry()
    except ProgramEnded as ended:
        status = ended.code
    except (EmulationError, OSError) as error:
        status = 70
        result = error
    for line in machine.debug_output if machine else []:
        print(line)
    if status == 70:
        print("emulation stopped: %s" % result, file=sys.stderr)
        return status
    if status is None:
        print(result)
        return 0
    return status & 0xFF


if __name__ == "__main__":
    sys.exit(main())
