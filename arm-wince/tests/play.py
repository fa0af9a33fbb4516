"""What the play tests share: a run of the handheld program under the
emulator with a script of taps, menu choices and looks at the screen, the
engine's own boards from the native record program (play_record_native.cpp),
and the board read back from the device's 16-bit screen.

    session = Session(PROGRAM, SYMBOLS, script=[...], registry=..., clock=(10, 20, 30))
    code = session.run()
    record = EngineRecord(NATIVE).run(["view 240 268", "time 10 20 30", "new"])
"""

import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "emu"))

from unicorn import UC_HOOK_CODE  # noqa: E402
from unicorn import arm_const as arm  # noqa: E402

from machine import EmulationError, Machine  # noqa: E402,F401
from pe import PEImage  # noqa: E402
from window_manager import Registry, WindowManager  # noqa: E402,F401

MODULE_PATH = "\\Program Files\\Quenlark\\Quenlark.EXE"
AFX_IDW_PANE_FIRST = 59648
IDOK, IDCANCEL = 1, 2
REGISTER_EXIT_HANDLER = "__cxa_atexit"


class EngineRecord:
    """The native engine's boards for a list of commands."""

    def __init__(self, program):
        self.program = program

    def run(self, commands):
        done = subprocess.run([self.program], input="\n".join(commands) + "\n", capture_output=True, text=True,
                              check=True)
        boards, picks, taps, themes = [], [], [], {}
        for line in done.stdout.splitlines():
            word, _, rest = line.partition(" ")
            if word == "board":
                fields = rest.split()
                columns, rows = map(int, fields[0].split("x"))
                x, y = map(int, fields[2].split(","))
                boards.append(dict(columns=columns, rows=rows, origin=(x, y), cell=int(fields[4]),
                                   score=int(fields[6]), undo=fields[8] == "yes", tiles=fields[10].split("/"),
                                   marks=fields[12].split("/"), messages=[]))
            elif word == "message":
                boards[-1]["messages"].append(rest)
            elif word == "pick":
                picks.append(tuple(map(int, rest.split())))
            elif word == "tap":
                taps.append(tuple(map(int, rest.split())))
            elif word == "theme":
                number, *colours = map(int, rest.split())
                themes[number] = colours
        return dict(boards=boards, picks=picks, taps=taps, themes=themes)


class Look:
    """What the device shows at one moment of the script."""

    def __init__(self, wm):
        self.screen = bytes(wm.gdi.screen.host)
        self.encode = wm.gdi.screen.encode
        self.width = wm.gdi.screen.width
        view = wm.find(id=AFX_IDW_PANE_FIRST)
        self.view = (wm.screen_origin(view.handle) + (view.width, view.height)) if view else None
        self.texts = [t[0] for t in wm.gdi.text]
        self.brushes = [f["colour"] for name, f in wm.trace if name == "CreateSolidBrush"]
        self.message_boxes = list(wm.message_boxes)
        self.menus = [f for name, f in wm.trace if name == "menu"]
        dialog = wm.dialog()
        self.dialog = None
        if dialog:
            controls = [wm.windows[c] for c in dialog.children]
            self.dialog = dict(caption=dialog.text,
                               checked=[c.text for c in controls if c.class_name == "Button" and c.checked],
                               lists=[(c.columns, [[item.get(i, "") for i in range(len(c.columns))]
                                                   for item in c.items])
                                      for c in controls if c.class_name == "SysListView32"])

    def pixel(self, x, y):
        at = 2 * (y * self.width + x)
        return self.screen[at] | (self.screen[at + 1] << 8)

    def board(self, layout, colours):
        """The board on the screen, as the native record writes it: rows of
        colour digits (9: no tile) and of marks (9: ringed), each tile read at
        its centre in `colours`, its ring one pixel inside its left edge."""
        if self.view is None:
            return None
        vx, vy = self.view[:2]
        palette = {self.encode(c): str(i) for i, c in enumerate(colours)}
        black = self.encode(0)
        cell = layout["cell"]
        tiles, marks = [], []
        for row in range(layout["rows"]):
            tile_row = mark_row = ""
            for column in range(layout["columns"]):
                x = vx + layout["origin"][0] + column * cell
                y = vy + layout["origin"][1] + row * cell
                centre = self.pixel(x + cell // 2, y + cell // 2)
                if centre == black:
                    tile_row, mark_row = tile_row + "9", mark_row + "0"
                else:
                    tile_row += palette.get(centre, "?")
                    mark_row += "9" if self.pixel(x + 1, y + cell // 2) == black else "0"
            tiles.append(tile_row)
            marks.append(mark_row)
        return dict(tiles=tiles, marks=marks)

    def corner_is_black(self, layout, column, row):
        """Whether the pixel one inside a tile's top left corner is black: a
        circle leaves it so, a square fills it."""
        vx, vy = self.view[:2]
        cell = layout["cell"]
        return self.pixel(vx + layout["origin"][0] + column * cell + 1,
                          vy + layout["origin"][1] + row * cell + 1) == self.encode(0)

    def score_line(self):
        lines = [t for t in self.texts if t.startswith("Score: ")]
        return lines[-1] if lines else None


class Session:
    """One run of the program from its entry point, its script played at the
    program's waits for a message."""

    def __init__(self, program, symbols, script, **options):
        self.wm = WindowManager(MODULE_PATH, script=script, **options)
        self.machine = Machine(program, stubs=self.wm.stubs())
        self.exit_handlers = {}  # function address -> entered
        if symbols:
            self._watch_exit_handlers(symbols)

    def _watch_exit_handlers(self, symbols):
        """Notes every function the program registers to run at exit, and
        whether it ran. A handler's hook is added at the next wait: they run
        only at the end."""
        table = PEImage(symbols).symbols
        if REGISTER_EXIT_HANDLER not in table:
            raise EmulationError("no symbol %s in %s" % (REGISTER_EXIT_HANDLER, symbols))
        machine, handlers = self.machine, self.exit_handlers
        at = machine.base + table[REGISTER_EXIT_HANDLER]

        def registered(uc, address, size, data):
            handlers.setdefault(uc.reg_read(arm.UC_ARM_REG_R0), None)

        def entered(uc, address, size, data):
            handlers[address] = True

        def hook_new_handlers(wm):
            for function, hooked in list(handlers.items()):
                if hooked is None:
                    handlers[function] = False
                    machine.uc.hook_add(UC_HOOK_CODE, entered, begin=function, end=function)

        machine.uc.hook_add(UC_HOOK_CODE, registered, begin=at, end=at)
        self.wm.idle_hooks.append(hook_new_handlers)

    def run(self):
        return self.machine.run_entry(show=1)

    def trace_text(self, last=40):
        lines = []
        for name, fields in self.wm.trace[-last:]:
            fields = dict(fields)
            lines.append("  %s%s %s" % ("  " * fields.pop("depth", 0), name, fields))
        return "\n".join(lines)


class Story:
    """A script being written: actions, and looks kept under a name."""

    def __init__(self):
        self.steps = []
        self.looks = {}

    def do(self, action):
        self.steps.append(action)

    def look(self, name):
        self.steps.append(lambda wm: self.looks.__setitem__(name, Look(wm)))

    def tap(self, point):
        self.do(lambda wm: wm.tap(wm.find(id=AFX_IDW_PANE_FIRST).handle, *point))

    def choose(self, popup, item):
        self.do(lambda wm: wm.choose(popup, item))

    def click(self, text):
        """A tap on the open dialog's control that shows `text`."""
        def click(wm):
            dialog = wm.dialog()
            control = next(wm.windows[c] for c in dialog.children if wm.windows[c].text == text)
            wm.click_control(control.id)
        self.do(click)

    def command(self, id):
        self.do(lambda wm: wm.command_dialog(id))

    def set_clock(self, clock):
        self.do(lambda wm: setattr(wm, "clock", clock))


def arguments(usage):
    if len(sys.argv) < 4:
        print(usage, file=sys.stderr)
        sys.exit(2)
    return sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[:1] + sys.argv[4:]
