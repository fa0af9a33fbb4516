#!/usr/bin/python3
"""The handheld program under the emulator on devices that do less than the
desktop does, each allowed by Windows CE's reference:

    device_risk_test.py PROGRAM SYMBOLS PLAY_RECORD_NATIVE

- a window manager that sends no WM_SIZE: the board is still laid out and
  the first game starts;
- the registry, which rejects what CE reserves (samDesired and ulOptions not
  0 in RegOpenKeyExW, no disposition pointer in RegCreateKeyExW): a setting
  written in one run is read back in the next, nothing refused;
- a GetMenuItemInfoW that fails a type query without a buffer: Undo is
  greyed while there is nothing to undo, and enabled after a removal;
- a command bar that refuses every DestroyWindow the program asks for (it
  goes with its frame): File > Exit still ends the program.
"""

import unittest

from play import IDOK, EngineRecord, Registry, Session, Story, arguments

PROGRAM, SYMBOLS, NATIVE = None, None, None
CLOCK = (9, 30, 0)
VIEW = (240, 268)


class DeviceRiskTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        record = EngineRecord(NATIVE).run(["themes", "view %d %d" % VIEW, "time %d %d %d" % CLOCK, "new", "pick"])
        cls.default_colours = record["themes"][0]
        cls.board = record["boards"][0]
        cls.tap = record["picks"][0]

    def run_story(self, story, **options):
        session = Session(PROGRAM, SYMBOLS, story.steps, clock=CLOCK, **options)
        try:
            session.code = session.run()
        except Exception as error:
            self.fail("the run stopped: %s\nlast calls:\n%s" % (error, session.trace_text()))
        return session

    def test_without_wm_size_the_board_is_laid_out_and_the_first_game_starts(self):
        story = Story()
        story.look("first")
        story.choose("File", "Exit")
        run = self.run_story(story, size_messages=False)
        self.assertFalse([f for name, f in run.wm.trace if name == "WM_SIZE"])
        look = story.looks["first"]
        self.assertEqual(look.view[2:], VIEW, "the board view's size")
        self.assertEqual(look.board(self.board, self.default_colours)["tiles"], self.board["tiles"])
        self.assertEqual(run.code, 0)

    def test_a_registry_that_rejects_reserved_parameters_still_keeps_the_settings(self):
        registry = Registry()
        story = Story()
        story.choose("Edit", "Settings ...")
        story.click("Circle")
        story.command(IDOK)
        story.choose("File", "Exit")
        first = self.run_story(story, registry=registry)
        again = Story()
        again.choose("Edit", "Settings ...")
        again.look("settings")
        again.command(IDOK)
        again.choose("File", "Exit")
        second = self.run_story(again, registry=registry)
        self.assertIn("Circle", again.looks["settings"].dialog["checked"], "the stored tile style read back")
        for run in (first, second):
            refused = [f["function"] for name, f in run.wm.trace if name == "registry refused"]
            self.assertEqual(refused, [], "calls the registry refused")

    def test_a_menu_walk_without_size_queries_greys_undo_until_a_removal(self):
        story = Story()
        story.choose("Edit", "Undo")
        story.tap(self.tap)
        story.tap(self.tap)
        story.choose("Edit", "Undo")
        story.look("undone")
        story.choose("File", "Exit")
        run = self.run_story(story, strict_menu_info=True)
        undo = [f["greyed"] for f in story.looks["undone"].menus if f["item"] == "Undo"]
        self.assertEqual(undo, [True, False])
        self.assertEqual(story.looks["undone"].board(self.board, self.default_colours)["tiles"], self.board["tiles"])
        self.assertEqual(run.code, 0)

    def test_exit_ends_when_the_command_bar_refuses_to_go(self):
        story = Story()
        story.choose("File", "Exit")
        run = self.run_story(story, stubborn_class="command bar")
        self.assertTrue([f for name, f in run.wm.trace if name == "DestroyWindow refused"], "the bar refused")
        self.assertEqual(run.code, 0)
        self.assertEqual(run.wm.windows, {}, "windows left")
        self.assertEqual(run.wm.left_over(), dict(gdi={}, keys={}, menus=[]))


if __name__ == "__main__":
    PROGRAM, SYMBOLS, NATIVE, argv = arguments(__doc__)
    unittest.main(argv=argv)
