#!/usr/bin/python3
"""The emulator on the probe program (emulator_probe.cpp) and on the Thumb
program (thumb_program.cpp):

    emulator_test.py PROBE.exe THUMB.exe
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "emu"))

from machine import EmulationError, Machine  # noqa: E402

PROBE, THUMB = None, None
ELSEWHERE = 0x00400000  # another load address than the image base


class EmulatorTest(unittest.TestCase):
    def test_a_program_moved_to_another_base_runs_as_at_its_own(self):
        at_image_base = Machine(PROBE)
        moved = Machine(PROBE, base=ELSEWHERE)
        self.assertNotEqual(at_image_base.base, moved.base)
        # The function pointer table is only right if its words were relocated.
        self.assertEqual(moved.call("ApplyOperations", 5), at_image_base.call("ApplyOperations", 5))

    def test_a_stub_calls_back_into_the_program_nested_with_arguments_on_the_stack(self):
        trace = []

        def probe_invoke(machine, args):
            callback, depth = args[0], args.int(1)
            trace.append(("invoke", depth))
            result = yield machine.callback(callback, 10, 20, 30, 40, 50 + depth, depth)
            trace.append(("back", depth, result))
            return result + 1

        machine = Machine(PROBE, base=ELSEWHERE, stubs={"EMUPROBE.dll!ProbeInvoke": probe_invoke})
        result = machine.call("Nest", 2)
        self.assertEqual(trace, [("invoke", 2), ("invoke", 1), ("invoke", 0),
                                 ("back", 0, 1000), ("back", 1, 1002), ("back", 2, 1004)])
        self.assertEqual(result, 1005)
        received = machine.symbol("g_received")
        for depth in range(3):
            words = [machine.read_u32(received + 24 * depth + 4 * i) for i in range(6)]
            self.assertEqual(words, [10, 20, 30, 40, 50 + depth, depth], "callback at depth %d" % depth)

    def test_a_call_without_a_stub_stops_the_run_and_names_the_function(self):
        with self.assertRaisesRegex(EmulationError, r"EMUPROBE\.dll!ProbeMissing, which has no stub \(from CallMissing"):
            Machine(PROBE).call("CallMissing")

    def test_the_sa1110_stops_at_a_bx_instruction(self):
        with self.assertRaisesRegex(EmulationError, r"Invalid instruction .* at _Z4Plusi\+0x4"):
            Machine(THUMB).run_entry()


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    PROBE, THUMB = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1])
