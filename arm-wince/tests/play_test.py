#!/usr/bin/python3
"""The handheld program played under the StrongARM emulator, in its own
message loop, against the native engine's boards:

    play_test.py PROGRAM SYMBOLS PLAY_RECORD_NATIVE

The first run plays a game: the first board, a tap and a removal, Undo, the
three themes, New Game, the Settings, Scores and About dialogs, a game played
to its end, File > Exit. The second run, on the registry the first left,
reads the setting and the high score back. Boards are read from the
device's 16-bit screen in the theme's colours at the handheld's layout.
"""

import unittest

from play import AFX_IDW_PANE_FIRST, IDCANCEL, IDOK, EngineRecord, Registry, Session, Story, arguments

PROGRAM, SYMBOLS, NATIVE = None, None, None
FIRST_CLOCK, NEXT_CLOCK, SECOND_RUN_CLOCK = (10, 20, 30), (10, 20, 31), (8, 0, 0)
VIEW = (240, 268)  # the device's board view below the command bar


def clock_command(clock):
    return "time %d %d %d" % clock


class PlayTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        engine = EngineRecord(NATIVE)
        first = engine.run(["themes", "view %d %d" % VIEW, clock_command(FIRST_CLOCK), "new", "pick"])
        cls.themes = first["themes"]
        cls.start = first["boards"][0]
        tap = first["picks"][0]
        cls.play = engine.run(["view %d %d" % VIEW, clock_command(FIRST_CLOCK), "new", "click %d %d" % tap,
                               "click %d %d" % tap, "undo", clock_command(NEXT_CLOCK), "new", "settings 1 2 1",
                               "finish"])
        _, cls.ringed, cls.removed, cls.undone, cls.next_game, cls.circles, cls.end = cls.play["boards"]

        story = Story()
        story.look("first")
        story.choose("Edit", "Undo")  # nothing to undo yet
        story.tap(tap)
        story.look("ringed")
        story.tap(tap)
        story.look("removed")
        story.choose("Edit", "Undo")
        story.look("undone")
        for theme in ("London", "Rattlesnake", "Default"):
            story.choose("Theme", theme)
            story.look(theme)
        story.set_clock(NEXT_CLOCK)
        story.choose("File", "New Game")
        story.look("next game")
        story.choose("Edit", "Settings ...")
        story.look("settings")
        story.click("Circle")
        story.click("One click to clear")
        story.command(IDOK)
        story.look("circles")
        story.choose("File", "Scores")
        story.look("scores")
        story.command(IDOK)
        story.choose("Edit", "About ...")
        story.look("about")
        story.command(IDOK)
        for point in cls.play["taps"]:
            story.tap(point)
        story.look("end")
        story.choose("File", "Exit")
        cls.registry = Registry()
        cls.first_run = cls.run_story(story, registry=cls.registry, clock=FIRST_CLOCK)
        cls.looks = story.looks

        second = engine.run(["view %d %d" % VIEW, "profile settings/oneclick 1", "profile settings/style 1",
                             clock_command(SECOND_RUN_CLOCK), "new", "pick"])
        cls.second_start = second["boards"][0]
        again = Story()
        again.look("first")
        again.tap(second["picks"][0])  # one click clears, as stored
        again.look("removed")
        again.do(lambda wm: wm.key(wm.find(id=AFX_IDW_PANE_FIRST).handle, ord("Z"), "control"))
        again.look("undone by key")
        again.choose("Edit", "Settings ...")
        again.look("settings")
        again.command(IDCANCEL)
        again.choose("File", "Scores")
        again.look("scores")
        again.command(IDOK)
        again.do(lambda wm: wm.close())
        cls.second_run = cls.run_story(again, registry=cls.registry, clock=SECOND_RUN_CLOCK)
        cls.second_looks = again.looks

    @classmethod
    def run_story(cls, story, **options):
        session = Session(PROGRAM, SYMBOLS, story.steps, **options)
        try:
            session.code = session.run()
        except Exception as error:
            raise AssertionError("the run stopped: %s\nlast calls:\n%s" % (error, session.trace_text())) from None
        return session

    def screen(self, look, layout, theme=0):
        self.assertIn(look, self.looks, "the run ended before the look %r" % look)
        return self.looks[look].board(layout, self.themes[theme])

    def assertBoard(self, look, expected, theme=0, marks=False):
        seen = self.screen(look, expected, theme)
        self.assertIsNotNone(seen, "%s: no board view" % look)
        self.assertEqual(seen["tiles"], expected["tiles"], "%s: the screen shows another board" % look)
        if marks:
            self.assertEqual(seen["marks"], expected["marks"], "%s: other tiles ringed" % look)

    def test_first_board_is_the_engines_board_for_the_clocks_seed(self):
        look = self.looks["first"]
        self.assertEqual(look.view[2:], VIEW, "the board view's size")
        self.assertBoard("first", self.start, marks=True)
        self.assertEqual(self.looks["first"].brushes[:4], self.themes[0], "the first brushes are the default theme's")
        self.assertEqual(look.score_line(), "Score: 0")

    def test_a_tap_rings_the_group_and_a_second_removes_it_with_its_score(self):
        self.assertBoard("ringed", self.ringed, marks=True)
        ringed = sum(row.count("9") for row in self.ringed["marks"])
        self.assertGreaterEqual(ringed, 2)
        self.assertBoard("removed", self.removed, marks=True)
        self.assertEqual(self.removed["score"], 5 * ringed * ringed)
        self.assertEqual(self.looks["removed"].score_line(), "Score: %d" % self.removed["score"])

    def test_undo_is_greyed_until_a_removal_and_restores_the_board(self):
        menus = self.looks["ringed"].menus
        self.assertEqual([m["greyed"] for m in menus if m["item"] == "Undo"], [True], "Undo before any removal")
        self.assertEqual([m["greyed"] for m in self.looks["undone"].menus if m["item"] == "Undo"], [True, False])
        self.assertBoard("undone", self.undone, marks=True)
        self.assertEqual(self.looks["undone"].score_line(), "Score: 0")

    def test_each_theme_recolours_the_board(self):
        for number, theme in enumerate(("Default", "London", "Rattlesnake")):
            self.assertBoard(theme, self.undone, theme=number)
            self.assertEqual(self.looks[theme].brushes[-4:], self.themes[number], "the brushes of %s" % theme)
        london, rattlesnake = self.looks["London"], self.looks["Rattlesnake"]
        self.assertNotEqual(london.screen, rattlesnake.screen)

    def test_new_game_gives_the_next_seconds_board(self):
        self.assertNotEqual(self.next_game["tiles"], self.start["tiles"])
        self.assertBoard("next game", self.next_game, marks=True)

    def test_settings_dialog_shows_the_stored_choices_and_its_choices_take_effect(self):
        settings = self.looks["settings"].dialog
        self.assertEqual(settings["caption"], "Settings")
        self.assertEqual(sorted(settings["checked"]), ["Maximum", "Square", "Two clicks to clear"])
        self.assertBoard("circles", self.circles)
        self.assertTrue(self.looks["circles"].corner_is_black(self.circles, 0, 0), "tiles are circles")
        self.assertFalse(self.looks["next game"].corner_is_black(self.next_game, 0, 0), "tiles were squares")
        self.assertIsNone(self.looks["circles"].dialog, "the dialog closed")

    def test_scores_and_about_open_and_close(self):
        scores = self.looks["scores"].dialog
        self.assertEqual(scores["caption"], "High Score Table")
        columns, rows = scores["lists"][0]
        self.assertEqual(columns, ["Compact", "Medium", "Maximum"])
        self.assertEqual(rows, [["0", "0", "0"]] * 3)
        self.assertEqual(self.looks["about"].dialog["caption"], "About Quenlark")
        self.assertIsNone(self.looks["end"].dialog)

    def test_a_game_played_to_its_end_shows_the_end_of_game_message(self):
        self.assertBoard("end", self.end)
        self.assertTrue(self.end["messages"], "the engine's game ended")
        texts = [box[0] for box in self.looks["end"].message_boxes]
        self.assertEqual(texts, self.end["messages"])
        self.assertEqual(self.looks["end"].message_boxes[0][1], "Quenlark", "the box's caption")

    def test_exit_ends_with_code_0_exit_handlers_run_and_nothing_left_over(self):
        for run in (self.first_run, self.second_run):
            self.assertEqual(run.code, 0)
            self.assertTrue(run.exit_handlers, "exit handlers registered")
            self.assertEqual([f for f, ran in run.exit_handlers.items() if not ran], [], "exit handlers not run")
            self.assertEqual(run.wm.left_over(), dict(gdi={}, keys={}, menus=[]))
            self.assertEqual(run.wm.gdi.faults, [])
            self.assertEqual([(name, f) for name, f in run.wm.trace if name.endswith(" refused")], [],
                             "what the system refused the program, or the story's input")

    def test_a_setting_and_a_high_score_are_read_back_in_the_next_run(self):
        second = self.second_looks
        self.assertEqual(sorted(second["settings"].dialog["checked"]), ["Circle", "Maximum", "One click to clear"])
        self.assertBoard_second(second["first"])
        self.assertTrue(second["first"].corner_is_black(self.second_start, 0, 0), "the stored shape is drawn")
        removed = second["removed"].board(self.second_start, self.themes[0])["tiles"]
        self.assertNotEqual(removed, self.second_start["tiles"], "the stored click mode: one tap clears")
        self.assertBoard_second(second["undone by key"])  # Ctrl+Z, the accelerator
        columns, rows = second["scores"].dialog["lists"][0]
        self.assertEqual(rows[0][columns.index("Maximum")], str(self.end["score"]))

    def assertBoard_second(self, look):
        seen = look.board(self.second_start, self.themes[0])
        self.assertEqual(seen["tiles"], self.second_start["tiles"], "the second run's first board")


if __name__ == "__main__":
    PROGRAM, SYMBOLS, NATIVE, argv = arguments(__doc__)
    unittest.main(argv=argv)
