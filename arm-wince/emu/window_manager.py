"""A stand-in for the Windows CE window manager and command bar, enough to
start the handheld program under the emulator: window classes, windows, the
WM_CREATE that CreateWindowExW sends (CE 3.0 sends no WM_NCCREATE), the
command bar of COMMCTRL, and a message loop that ends the run at its first
GetMessageW. Every call is recorded in `trace`, in order, as (name, fields).

    wm = WindowManager(module_path=r"\\Program Files\\Quenlark\\Quenlark.EXE")
    machine = Machine(program, stubs=wm.stubs())
    machine.run_entry(show=8)
    wm.trace  ->  [("RegisterClassW", {...}), ("CreateWindowExW", {...}), ...]

Written from the functions' public documentation (CreateWindowEx, WM_CREATE,
RegisterClass, CommandBar_Create, CommandBar_InsertMenubar,
CommandBar_AddAdornments, GetMessage); only what the start-up needs.
"""

import struct

WM_CREATE = 0x0001
# Handles the stand-in gives out: windows, and the resources it is asked for.
FIRST_WINDOW = 0x00010000
ACCELERATORS = 0x00020001
CURSOR = 0x00020002


def _signed(word):
    return word - (1 << 32) if word & 0x80000000 else word


class WindowManager:
    def __init__(self, module_path):
        self.module_path = module_path
        self.trace = []
        self.classes = {}  # class name -> fields of its WNDCLASSW
        self.windows = {}  # handle -> fields of its creation
        self._next_window = FIRST_WINDOW
        self._depth = 0  # windows being created, one inside the other

    def record(self, call, **fields):
        fields["depth"] = self._depth
        self.trace.append((call, fields))

    def stubs(self):
        return {
            "GetModuleFileNameW": self._get_module_file_name,
            "LoadStringW": lambda m, a: 0,  # the program has no string it needs at start-up
            "LoadAcceleratorsW": lambda m, a: ACCELERATORS,
            "LoadCursorW": lambda m, a: CURSOR,
            "GetClassInfoW": lambda m, a: int(self._class_name(m, a[1]) in self.classes),
            "RegisterClassW": self._register_class,
            "CreateWindowExW": self._create_window,
            "DefWindowProcW": lambda m, a: 0,
            "ShowWindow": self._show_window,
            "UpdateWindow": self._update_window,
            "GetMessageW": self._get_message,
            "COMMCTRL.dll!CommandBar_Create": self._command_bar_create,
            "COMMCTRL.dll!CommandBar_InsertMenubar": self._command_bar_insert_menubar,
            "COMMCTRL.dll!CommandBar_AddAdornments": self._command_bar_add_adornments,
        }

    def _new_window(self, **fields):
        handle = self._next_window
        self._next_window += 0x10
        self.windows[handle] = fields
        return handle

    @staticmethod
    def _class_name(m, word):
        # A class is named by a string, or by an atom below 0x10000.
        return m.read_wstring(word) if word >= 0x10000 else "#%d" % word

    def _get_module_file_name(self, m, a):
        size = a[2]
        text = self.module_path[: max(size - 1, 0)]
        m.write(a[1], text.encode("utf-16-le") + b"\0\0")
        return len(text)

    def _register_class(self, m, a):
        (style, procedure, _, _, instance, icon, cursor, background, _, name) = struct.unpack(
            "<10I", m.read(a[0], 40))
        class_name = self._class_name(m, name)
        self.classes[class_name] = dict(style=style, procedure=procedure, icon=icon, cursor=cursor,
                                        background=background)
        self.record("RegisterClassW", name=class_name, style=style, icon=icon, cursor=cursor, background=background)
        return len(self.classes)  # the class's atom

    def _create_window(self, m, a):
        ex_style, class_word, name_word, style = a[0], a[1], a[2], a[3]
        x, y, width, height = a.int(4), a.int(5), a.int(6), a.int(7)
        parent, menu, instance, parameter = a[8], a[9], a[10], a[11]
        class_name = self._class_name(m, class_word)
        window_class = self.classes.get(class_name)
        self.record("CreateWindowExW", window_class=class_name, style=style, ex_style=ex_style, parent=parent,
                    id=menu)
        if window_class is None:
            return 0
        handle = self._new_window(window_class=class_name, style=style, parent=parent, id=menu)
        # CREATESTRUCTW, in the field order of its documentation.
        create = m.alloc(48)
        m.write(create, struct.pack("<4I4i I3I", parameter, instance, menu, parent, height, width, y, x, style,
                                    name_word, class_word, ex_style))
        self._depth += 1
        answer = yield m.callback(window_class["procedure"], handle, WM_CREATE, 0, create)
        self._depth -= 1
        if _signed(answer) == -1:
            del self.windows[handle]
            self.record("CreateWindowExW failed", window=handle)
            return 0
        self.record("CreateWindowExW done", window=handle)
        return handle

    def _show_window(self, m, a):
        self.record("ShowWindow", window=a[0], command=a.int(1))
        return 0

    def _update_window(self, m, a):
        self.record("UpdateWindow", window=a[0])
        return 1

    def _get_message(self, m, a):
        self.record("GetMessageW")
        m.end_program(0)  # the message loop is reached: the start-up is over

    def _command_bar_create(self, m, a):
        handle = self._new_window(window_class="command bar", style=0, parent=a[1], id=a.int(2))
        self.record("CommandBar_Create", parent=a[1], id=a.int(2), bar=handle)
        return handle

    def _command_bar_insert_menubar(self, m, a):
        self.record("CommandBar_InsertMenubar", bar=a[0], menu=a[2] & 0xFFFF, button=a[3] & 0xFFFF)
        return 1

    def _command_bar_add_adornments(self, m, a):
        self.record("CommandBar_AddAdornments", bar=a[0], flags=a[1])
        return 1
