#!/usr/bin/python3
"""What each step of play costs the device: ARM instructions the program runs
under the emulator, and pixels its paints convert between formats on the
16-bit 5-6-5 screen.

    device_cost.py PROGRAM PLAY_RECORD_NATIVE [--per-instruction]

PROGRAM is the ARM Quenlark.EXE, PLAY_RECORD_NATIVE the native engine
record program the play tests use (it picks a tile to tap). Instructions are
counted in the program's own code (the system's work is done by the
emulator's stubs and not counted) by a basic-block hook, each block's size
over four; --per-instruction counts with a hook on every instruction
instead, slower, to check the two agree. A step runs from the program's wait
for a message after the step's input to its next wait, its paints included.
A 206 MHz StrongARM runs about 3.4 million instructions in a 60 Hz frame.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests"))

from unicorn import UC_HOOK_BLOCK, UC_HOOK_CODE  # noqa: E402

from play import AFX_IDW_PANE_FIRST, EngineRecord, Session  # noqa: E402

CLOCK = (10, 20, 30)
FRAME = 206_000_000 // 60
GOAL = 850_000


def main():
    arguments = [a for a in sys.argv[1:] if not a.startswith("--")]
    if len(arguments) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    program, native = arguments
    per_instruction = "--per-instruction" in sys.argv
    record = EngineRecord(native).run(["view 240 268", "time %d %d %d" % CLOCK, "new", "pick"])
    tap = record["picks"][0]

    def next_second(wm):
        hour, minute, second = wm.clock
        wm.clock = (hour, minute, second + 1)

    def view(wm):
        return wm.find(id=AFX_IDW_PANE_FIRST).handle

    steps = [
        ("tap (rings a group)", lambda wm: wm.tap(view(wm), *tap)),
        ("tap (removes it)", lambda wm: wm.tap(view(wm), *tap)),
        ("Edit > Undo", lambda wm: wm.choose("Edit", "Undo")),
        ("Theme > London", lambda wm: wm.choose("Theme", "London")),
        ("File > New Game (the next second's board)", lambda wm: next_second(wm) or wm.choose("File", "New Game")),
        ("repaint, board unchanged", lambda wm: wm.invalidate(view(wm), None, False)),
        ("end", lambda wm: wm.choose("File", "Exit")),
    ]
    waits = []  # (instructions, converted pixels) at each wait
    paints = []  # (instructions, converted pixels) of each paint of the view
    session = Session(program, None, [action for _, action in steps], clock=CLOCK)
    machine, wm = session.machine, session.wm
    count = [0]
    end = machine.base + machine.image.image_size - 1
    if per_instruction:
        machine.uc.hook_add(UC_HOOK_CODE, lambda uc, a, s, d: count.__setitem__(0, count[0] + 1),
                            begin=machine.base, end=end)
    else:
        machine.uc.hook_add(UC_HOOK_BLOCK, lambda uc, a, s, d: count.__setitem__(0, count[0] + s // 4),
                            begin=machine.base, end=end)
    wm.idle_hooks.append(lambda wm: waits.append((count[0], wm.gdi.converted_pixels)))
    painting = {}

    def on_paint(stage, window):
        if window != view(wm):
            return
        if stage == "begin":
            painting["at"] = (count[0], wm.gdi.converted_pixels)
        else:
            paints.append((count[0] - painting["at"][0], wm.gdi.converted_pixels - painting["at"][1]))

    wm.paint_hooks.append(on_paint)
    code = session.run()
    if code != 0 or len(waits) != len(steps):
        print("the program ended with %d after %d of %d steps" % (code, len(waits), len(steps)), file=sys.stderr)
        return 1

    first_paint = paints[0]
    rows = [("start-up to the first wait (no paint)", waits[0][0] - first_paint[0], None),
            ("first paint", first_paint[0], first_paint[1])]
    for i, (label, _) in enumerate(steps[:-1]):
        instructions = waits[i + 1][0] - waits[i][0]
        pixels = waits[i + 1][1] - waits[i][1]
        rows.append((label, instructions, pixels))
    print("%-44s %12s %10s %18s" % ("step", "instructions", "of frame", "pixels converted"))
    for label, instructions, pixels in rows:
        print("%-44s %12d %9.1f%% %18s" % (label, instructions, 100.0 * instructions / FRAME,
                                          "-" if pixels is None else pixels))
    worst = max(r[1] for r in rows)
    print("paints of the view: %d; most converted by one: %d pixels" % (len(paints), max(p[1] for p in paints)))
    print("largest step: %d instructions (goal: under %d)" % (worst, GOAL))
    return 0


if __name__ == "__main__":
    sys.exit(main())
