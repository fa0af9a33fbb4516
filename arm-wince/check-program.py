#!/usr/bin/python3
"""Checks an ARM Windows CE 3.0 program file:

    check-program.py OBJDUMP PROGRAM

OBJDUMP is binutils' arm-mingw32ce-objdump. The PE header must give machine
0x01C0 (ARM), subsystem 9 (Windows CE GUI) and subsystem version 3.00, and
the program must carry its base relocations in a .reloc section (a CE
device may load it elsewhere than its image base). Its code must hold no
Thumb and no BX instruction: the StrongARM of the CE 3.0 handhelds has no
BX, and without BX nothing enters Thumb state. objdump disassembles every
code section; it shows a function the symbol table marks as Thumb as Thumb
code (16-bit instructions), which the check rejects too.

Each fault is named; the last line sums them up. Exit status: 0 none,
1 faults, 2 the check could not run.
"""

import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "emu"))

from pe import IMAGE_FILE_MACHINE_ARM, IMAGE_SUBSYSTEM_WINDOWS_CE_GUI, PEError, PEImage  # noqa: E402

# "   11000:\te92d4010 \tpush\t{r4, lr}" and Thumb's "   11000:\t4770      \tbx\tlr"
INSTRUCTION_RE = re.compile(r"^\s*([0-9a-f]+):\t([0-9a-f]+(?: [0-9a-f]+)?)\s*\t(\S+)")
CONDITIONS = "eq|ne|cs|hs|cc|lo|mi|pl|vs|vc|hi|ls|ge|lt|gt|le|al"
BRANCH_EXCHANGE_RE = re.compile(r"^(bx|blx|bxj)(%s)?(\.[nw])?$" % CONDITIONS)
SHOWN = 5  # faults of one kind listed; the rest are counted


def header_faults(image):
    faults = []
    if image.machine != IMAGE_FILE_MACHINE_ARM:
        faults.append("machine %#06x, not 0x01c0 (ARM)" % image.machine)
    if image.subsystem != IMAGE_SUBSYSTEM_WINDOWS_CE_GUI:
        faults.append("subsystem %d, not 9 (Windows CE GUI)" % image.subsystem)
    if image.subsystem_version != (3, 0):
        faults.append("subsystem version %d.%02d, not 3.00" % image.subsystem_version)
    if image.section(".reloc") is None or not image.relocations:
        faults.append("no base relocations (.reloc section)")
    return faults


def code_faults(objdump, image):
    """(Thumb instructions, BX instructions) as 'address: text' lines."""
    sections = [s.name for s in image.sections if s.is_code]
    if not sections:
        return [], []
    command = [objdump, "-d"] + ["--section=" + name for name in sections] + [image.path]
    result = subprocess.run(command, capture_output=True, text=True)
    if result.returncode != 0:
        raise PEError("objdump failed: %s" % result.stderr.strip())
    thumb, exchange = [], []
    for line in result.stdout.splitlines():
        m = INSTRUCTION_RE.match(line)
        if not m:
            continue
        address, encoding, mnemonic = m.groups()
        text = "%s: %s" % (address, line.split("\t", 2)[-1].strip())
        if len(encoding) != 8:
            thumb.append(text)
        if BRANCH_EXCHANGE_RE.match(mnemonic):
            exchange.append(text)
    return thumb, exchange


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip().split("\n\n")[1], file=sys.stderr)
        return 2
    objdump, path = argv[1], argv[2]
    try:
        image = PEImage(path)
        faults = header_faults(image)
        thumb, exchange = code_faults(objdump, image)
    except (OSError, PEError) as error:
        print("check-program: %s" % error, file=sys.stderr)
        return 2
    for fault in faults:
        print("%s: %s" % (path, fault))
    for kind, found in (("Thumb instruction", thumb), ("BX instruction", exchange)):
        for text in found[:SHOWN]:
            print("%s: %s at %s" % (path, kind, text))
        if len(found) > SHOWN:
            print("%s: ... and %d more" % (path, len(found) - SHOWN))
    if faults or thumb or exchange:
        print("%s: rejected: %d header faults, %d Thumb instructions, %d BX instructions"
              % (path, len(faults), len(thumb), len(exchange)))
        return 1
    print("%s: ARM, Windows CE GUI 3.00, relocatable, no Thumb or BX instruction" % path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
