#!/usr/bin/python3
"""The emulator on the probe program (emulator_probe.cpp), the Thumb program
(thumb_program.cpp), a program importing what no COREDLL exports
(bad_import.cpp), and the device's strictness (strict_probe.cpp):

    emulator_test.py PROBE.exe THUMB.exe BAD_IMPORT.exe STRICT.exe
"""

import os
import sys
import tempfile
import unittest

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "emu"))
sys.path.insert(0, os.path.join(here, ".."))

import ce_target  # noqa: E402
from machine import EmulationError, Machine, ProgramEnded  # noqa: E402
from window_manager import WindowManager  # noqa: E402

PROBE, THUMB, BAD_IMPORT, STRICT = None, None, None, None
ELSEWHERE = 0x00400000  # another load address than the image base
WM_DESTROY, WM_SETFOCUS, WM_KILLFOCUS, WM_PAINT, WM_QUIT, WM_USER = 0x2, 0x7, 0x8, 0xF, 0x12, 0x400
ERROR_FILE_NOT_FOUND, ERROR_INVALID_PARAMETER = 2, 87


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

    def test_what_the_library_would_throw_ends_the_program(self):
        machine = Machine(PROBE)
        self.assertEqual(machine.call("OutOfRange", 2), 0)
        with self.assertRaises(ProgramEnded) as ended:
            machine.call("OutOfRange", 3)
        self.assertEqual(ended.exception.code, 3)

    def test_the_sa1110_stops_at_a_bx_instruction(self):
        with self.assertRaisesRegex(EmulationError, r"Invalid instruction .* at _Z4Plusi\+0x4"):
            Machine(THUMB).run_entry()

    def test_the_loader_refuses_a_program_importing_what_the_device_does_not_export(self):
        with self.assertRaises(EmulationError) as refused:
            Machine(BAD_IMPORT)
        self.assertIn("the device refuses to load it", str(refused.exception))
        for name in ("GetPropW", "LockResource", "MessageBoxA"):
            self.assertIn("COREDLL.dll!" + name, str(refused.exception))

    def test_the_table_allows_no_coredll_function_without_its_export_ordinal(self):
        with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as table:
            table.write("ordinals COREDLL.dll\n[allowed]\n"
                        "LoadResource COREDLL.dll @533 1.0 - COREDLL.DEF\n"
                        "LockResource COREDLL.dll -    1.0 - a reference page\n")
        try:
            with self.assertRaisesRegex(ce_target.TableError, r"line 4: LockResource has no export ordinal"):
                ce_target.read_table(table.name)
        finally:
            os.unlink(table.name)


class StrictDeviceTest(unittest.TestCase):
    """What Windows CE refuses, or does otherwise than the desktop, the
    emulator refuses or does as CE does."""

    def setUp(self):
        self.wm = WindowManager(module_path="\\Probe.exe")
        self.machine = Machine(STRICT, stubs=self.wm.stubs())

    def call(self, function, *args):
        return self.machine.call(function, *args)

    def log(self):
        m = self.machine
        at = m.symbol("g_log")
        return [(m.read_u32(at + 8 * i), m.read_u32(at + 8 * i + 4)) for i in range(m.read_u32(m.symbol("g_logCount")))]

    def test_code_read_only_data_and_the_headers_are_not_writable(self):
        for function in ("WriteToCode", "WriteToReadOnlyData", "WriteToHeaders"):
            with self.subTest(function), self.assertRaisesRegex(EmulationError, "UC_ERR_WRITE_PROT"):
                self.call(function)

    def test_an_unaligned_16_or_32_bit_access_faults(self):
        self.assertEqual(self.call("ReadAt", 32, 4), 0x08070605)
        self.assertEqual(self.call("ReadAt", 16, 2), 0x0403)
        for bits, offset in ((32, 1), (32, 2), (16, 3)):
            with self.subTest(bits=bits, offset=offset), self.assertRaisesRegex(
                    EmulationError, "an unaligned %d-bit read" % bits):
                self.call("ReadAt", bits, offset)

    def test_the_stack_is_what_the_header_asks_with_nothing_below_it(self):
        self.assertEqual(self.call("UseStack", 48), 48)
        with self.assertRaisesRegex(EmulationError, "UC_ERR_WRITE_UNMAPPED"):
            self.call("UseStack", 80)

    def test_the_registry_refuses_what_ce_reserves(self):
        self.assertEqual(self.call("OpenWithAccessRights", 0), ERROR_FILE_NOT_FOUND)
        self.assertEqual(self.call("OpenWithAccessRights", 1), ERROR_INVALID_PARAMETER)  # KEY_QUERY_VALUE
        self.assertEqual(self.call("CreateWithoutDisposition"), ERROR_INVALID_PARAMETER)

    def test_a_system_colour_is_a_brush_only_in_ces_own_form(self):
        self.assertEqual(self.call("FillWith", 0x40000000 | 6), 1)  # SYS_COLOR_INDEX_FLAG | COLOR_WINDOW + 1
        with self.assertRaisesRegex(EmulationError, "0x6 is no brush"):
            self.call("FillWith", 6)

    def test_a_paint_draws_only_in_the_update_region(self):
        self.call("PaintPart")
        screen = self.wm.gdi.screen
        self.assertEqual(screen.pixel(3, 3), screen.encode(0xFFFFFF), "inside the invalidated part")
        for x, y in ((1, 1), (6, 6), (10, 3), (30, 30)):
            self.assertEqual(screen.pixel(x, y), screen.encode(0), "outside it, at (%d, %d)" % (x, y))

    def test_a_message_box_runs_its_own_loop_with_its_owner_disabled(self):
        self.assertEqual(self.call("MessageBoxOverOwner"), 11, "IDOK, and the owner enabled again")
        self.assertEqual(self.log(), [(WM_USER + 1, 1)], "the message posted before, dispatched while disabled")

    def test_get_and_peek_keep_to_their_filters_and_peek_gives_paints_and_the_quit(self):
        self.call("FilteredMessages")
        self.assertEqual(self.log(), [(WM_USER + 2, 2), (WM_USER, 1), (WM_PAINT, 1), (WM_QUIT, 0), (5, 0), (0, 0)])

    def test_a_class_is_registered_once(self):
        self.assertNotEqual(self.call("RegisterProbeClass"), 0)
        self.assertEqual(self.call("RegisterProbeClass"), 0)

    def test_moving_the_focus_tells_both_windows(self):
        self.call("MoveFocus")
        self.assertEqual(self.log(), [(WM_SETFOCUS, 1), (WM_KILLFOCUS, 1), (WM_SETFOCUS, 2)])

    def test_a_window_destroyed_takes_the_windows_it_owns(self):
        self.call("DestroyOwner")
        self.assertEqual(self.log(), [(WM_DESTROY, 2), (WM_DESTROY, 1)])
        self.assertEqual(self.wm.windows, {})

    def test_system_metrics_are_those_ce_has(self):
        self.assertEqual(self.call("Metric", 0), 240)  # SM_CXSCREEN
        self.assertGreater(self.call("Metric", 4), 0)  # SM_CYCAPTION
        self.assertEqual(self.call("Metric", 78), 0)  # SM_CXVIRTUALSCREEN: the desktop's only

    def test_the_extended_style_is_read_back_as_set(self):
        self.assertEqual(self.call("ExtendedStyleAfterSetting", 0x80000000), 0x80000000)


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    PROBE, THUMB, BAD_IMPORT, STRICT = sys.argv[1:5]
    unittest.main(argv=sys.argv[:1])
