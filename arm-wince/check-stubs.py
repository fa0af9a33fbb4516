#!/usr/bin/python3
"""Checks the emulator's stubs against a program and against the target:

    check-stubs.py PROGRAM

Each import of PROGRAM must have a stub, as the emulator looks one up: by
"DLL!Name" or by "Name", in COREDLL's stubs (emu/coredll.py) or the window
manager's (emu/window_manager.py). Without one, a test that reaches the call
stops there; this check names every such import at once, from the file.
And every stub must stand for a function the target's table lists as
exported (ce30_functions.txt; a stub without a DLL stands for a COREDLL
function): a stub for anything else would let a program pass under the
emulator that the device refuses.
Exit status: 0 all is well, 1 some imports have no stub or some stubs stand
for no export, 2 the check could not run.
"""

import os
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "emu"))
sys.path.insert(0, here)

import ce_target  # noqa: E402
import coredll  # noqa: E402
from pe import PEError, PEImage  # noqa: E402
from window_manager import WindowManager  # noqa: E402


def stub_names():
    stubs = dict(coredll.STUBS)
    stubs.update(WindowManager(module_path="\\Program Files\\Quenlark\\Quenlark.EXE").stubs())
    return sorted(stubs, key=str.lower)


def stubs_for_no_export(names, exported):
    """The stubs that name no function the table lists as exported."""
    strays = []
    for stub in names:
        dll, _, function = stub.rpartition("!")
        entry = exported.get((dll or "COREDLL.dll").lower())
        if entry is None or function not in entry["names"]:
            strays.append(stub)
    return strays


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        imports = PEImage(sys.argv[1]).imports
        exported = ce_target.exports()
    except (PEError, OSError, ce_target.TableError) as problem:
        print("check-stubs: %s" % problem, file=sys.stderr)
        return 2
    names = stub_names()
    known = {name.lower() for name in names}
    missing = []
    for imp in imports:
        name = imp.name if imp.name is not None else "#%d" % imp.ordinal
        if ("%s!%s" % (imp.dll, name)).lower() not in known and name.lower() not in known:
            missing.append("%s!%s" % (imp.dll, name))
    for label in sorted(missing, key=str.lower):
        print("NO STUB %s" % label)
    strays = stubs_for_no_export(names, exported)
    for stub in strays:
        print("STUB FOR NO EXPORT %s" % stub)
    print("%s: %d imports, %d without a stub in the emulator; %d stubs, %d for a function the target does not export"
          % (sys.argv[1], len(imports), len(missing), len(names), len(strays)))
    return 1 if missing or strays else 0


if __name__ == "__main__":
    sys.exit(main())
