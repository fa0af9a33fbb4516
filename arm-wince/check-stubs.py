#!/usr/bin/python3
"""Checks that the emulator can run every call a program imports:

    check-stubs.py PROGRAM

Each import of PROGRAM must have a stub, as the emulator looks one up: by
"DLL!Name" or by "Name", in COREDLL's stubs (emu/coredll.py) or the window
manager's (emu/window_manager.py). Without one, a test that reaches the call
stops there; this check names every such import at once, from the file.
Exit status: 0 all have stubs, 1 some have none, 2 the check could not run.
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "emu"))

import coredll  # noqa: E402
from pe import PEError, PEImage  # noqa: E402
from window_manager import WindowManager  # noqa: E402


def stub_names():
    stubs = dict(coredll.STUBS)
    stubs.update(WindowManager(module_path="\\Program Files\\Quenlark\\Quenlark.EXE").stubs())
    return {name.lower() for name in stubs}


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        imports = PEImage(sys.argv[1]).imports
    except (PEError, OSError) as problem:
        print("check-stubs: %s" % problem, file=sys.stderr)
        return 2
    known = stub_names()
    missing = []
    for imp in imports:
        name = imp.name if imp.name is not None else "#%d" % imp.ordinal
        if ("%s!%s" % (imp.dll, name)).lower() not in known and name.lower() not in known:
            missing.append("%s!%s" % (imp.dll, name))
    for label in sorted(missing, key=str.lower):
        print("NO STUB %s" % label)
    print("%s: %d imports, %d without a stub in the emulator" % (sys.argv[1], len(imports), len(missing)))
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
