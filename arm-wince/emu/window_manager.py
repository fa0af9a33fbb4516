"""A stand-in for the Windows CE window manager, command bar and dialog
manager, enough to run the handheld program under the emulator: window
classes and windows, a message queue and the program's own message loop,
update regions and WM_PAINT through BeginPaint/EndPaint, window sizes and
WM_SIZE, menus from the program's resources as the command bar shows them,
dialogs built from their templates with their controls as windows, message
boxes, a registry and a fixed clock. GDI is gdi.py's. Every call of note is
recorded in `trace`, in order, as (name, fields).

    wm = WindowManager(module_path=r"\\Program Files\\Quenlark\\Quenlark.EXE",
                       script=[lambda wm: wm.tap(...), ...])
    machine = Machine(program, stubs=wm.stubs())
    machine.run_entry(show=8)

When the program waits for a message and none is queued and nothing is to be
painted, the next action of `script` runs (a function of the manager, or a
generator that may `yield from wm.send(...)`); with no script at all the run
ends at that first wait, the start-up's end. A message box is modal: it runs
its own message loop with its owner disabled, and is answered
(`message_box_answer`) when that loop waits with nothing to do.

The stand-in is at least as strict as Windows CE's reference: the registry
rejects what CE reserves (samDesired or ulOptions not 0 in RegOpenKeyExW, a
null disposition pointer in RegCreateKeyExW); a brush is a brush handle or a
system colour in CE's own form (SYS_COLOR_INDEX_FLAG | index + 1), never a
bare COLOR_x + 1; BeginPaint's device context is clipped to the update
region; GetMessageW and PeekMessageW keep to their window and message range,
and PeekMessageW gives WM_PAINT and WM_QUIT too; a class is registered once;
SetFocus sends WM_KILLFOCUS and WM_SETFOCUS; a window destroyed takes the
windows it owns with it; GetSystemMetrics answers only the metrics CE has;
a tap on a disabled window goes nowhere. Options model devices that do less
still: `size_messages=False` sends no WM_SIZE at all; `strict_menu_info`
fails GetMenuItemInfoW asked for a type without a buffer; `stubborn_class`
names a window class whose windows refuse every DestroyWindow the program
asks for, and go only with their parent.

Written from the functions' public documentation (CreateWindowEx, WM_CREATE,
WM_SIZE, GetMessage, DispatchMessage, TranslateAccelerator, InvalidateRect,
UpdateWindow, BeginPaint, DestroyWindow, GetWindow, DialogBoxIndirectParam,
DLGTEMPLATE, DefDlgProc, EndDialog, menu resources, GetMenuItemInfo,
EnableMenuItem, CommandBar_*, the registry functions, LoadString); only what
the program calls.
"""

import inspect
import itertools
import struct

from gdi import Gdi, system_colour
from machine import EmulationError

WM_CREATE, WM_DESTROY, WM_SIZE, WM_SETFOCUS, WM_KILLFOCUS, WM_ENABLE = 0x0001, 0x0002, 0x0005, 0x0007, 0x0008, 0x000A
WM_SETTEXT, WM_GETTEXT, WM_GETTEXTLENGTH, WM_PAINT, WM_CLOSE, WM_QUIT = 0x000C, 0x000D, 0x000E, 0x000F, 0x0010, 0x0012
WM_ERASEBKGND, WM_GETDLGCODE, WM_KEYDOWN, WM_KEYUP = 0x0014, 0x0087, 0x0100, 0x0101
WM_INITDIALOG, WM_COMMAND, WM_INITMENUPOPUP = 0x0110, 0x0111, 0x0117
WM_LBUTTONDOWN, WM_LBUTTONUP = 0x0201, 0x0202
BM_GETCHECK, BM_SETCHECK = 0x00F0, 0x00F1
LVM_INSERTITEMW, LVM_GETITEMTEXTW, LVM_SETITEMTEXTW, LVM_INSERTCOLUMNW = 0x104D, 0x1073, 0x1074, 0x1061
WS_CHILD, WS_VISIBLE, WS_GROUP, WS_POPUP = 0x40000000, 0x10000000, 0x00020000, 0x80000000
CW_USEDEFAULT = -0x80000000
SIZE_RESTORED = 0
MK_LBUTTON = 1
IDOK, IDCANCEL = 1, 2
GWL_STYLE, GWL_EXSTYLE, GWL_ID, GWL_USERDATA = -16, -20, -12, -21
GW_HWNDFIRST, GW_HWNDLAST, GW_HWNDNEXT, GW_HWNDPREV, GW_OWNER, GW_CHILD = 0, 1, 2, 3, 4, 5
MF_BYPOSITION, MF_GRAYED, MF_DISABLED, MF_POPUP, MF_END = 0x400, 0x1, 0x2, 0x10, 0x80
MIIM_STATE, MIIM_ID, MIIM_SUBMENU, MIIM_TYPE = 0x1, 0x2, 0x4, 0x10
BS_TYPE, BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_RADIOBUTTON, BS_AUTORADIOBUTTON = 0xF, 0, 1, 4, 9
DLGC_BUTTON, DLGC_RADIOBUTTON, DLGC_DEFPUSHBUTTON, DLGC_UNDEFPUSHBUTTON, DLGC_STATIC = 0x2000, 0x40, 0x10, 0x20, 0x100
HKEY_CURRENT_USER = 0x80000001
ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, ERROR_INVALID_PARAMETER, ERROR_MORE_DATA = 0, 2, 87, 234
RT_MENU, RT_STRING, RT_ACCELERATOR = 4, 6, 9
SPI_GETWORKAREA = 48
PM_REMOVE = 1
FVIRTKEY, FSHIFT, FCONTROL, FALT = 0x01, 0x04, 0x08, 0x10
# Dialog templates name their control classes by these atoms.
CONTROL_ATOMS = {0x80: "Button", 0x81: "Edit", 0x82: "Static", 0x83: "ListBox", 0x84: "ScrollBar",
                 0x85: "ComboBox"}
CONTROL_CLASSES = {name.lower(): name for name in list(CONTROL_ATOMS.values()) + ["SysListView32"]}
# Handles the stand-in gives out: windows, and the resources it is asked for.
FIRST_WINDOW = 0x00010000
ACCELERATORS = 0x00020001
CURSOR = 0x00020002
FIRST_MENU = 0x00060000
FIRST_RESOURCE = 0x00050000
FIRST_KEY = 0x00070000
# The device: a 240 x 320 screen, a 26-pixel task bar below the work area,
# and the command bar's height.
SCREEN = (240, 320)
WORK_AREA = (0, 0, 240, 294)
COMMAND_BAR_HEIGHT = 26
# GetSystemMetrics: the metrics Windows CE's reference defines, as a 240 x 320
# Pocket PC gives them; the desktop's others are 0.
SYSTEM_METRICS = {0: SCREEN[0], 1: SCREEN[1], 2: 13, 3: 13, 4: 26, 5: 1, 6: 1, 7: 3, 8: 3, 11: 32, 12: 32, 13: 32,
                  14: 32, 15: 26, 16: WORK_AREA[2] - WORK_AREA[0], 17: WORK_AREA[3] - WORK_AREA[1], 20: 13, 21: 13,
                  36: 4, 37: 4, 38: 75, 39: 75, 45: 2, 46: 2, 49: 16, 50: 16}
# Stops a program that asks the same refusing window to go again and again.
REFUSAL_LIMIT = 1000


def _signed(word):
    return word - (1 << 32) if word & 0x80000000 else word


class Window:
    def __init__(self, handle, class_name, procedure, style, ex_style, parent, owner, id, text, rect):
        self.handle, self.class_name, self.procedure = handle, class_name, procedure
        self.style, self.ex_style, self.parent, self.owner, self.id, self.text = (style, ex_style, parent, owner,
                                                                                  id, text)
        self.x, self.y, self.width, self.height = rect
        self.children = []
        self.update = None  # the update region: disjoint rectangles, client coordinates
        self.erase = False
        self.enabled = True
        self.words = {}  # SetWindowLongW slots
        self.dialog_procedure = None
        self.ended = None  # a modal dialog's result once EndDialog ran
        self.checked = 0
        self.menu = None  # a command bar's menu bar
        self.columns, self.items = [], []  # a list view's


class Registry:
    """HKEY_CURRENT_USER's keys and values, kept between runs of the program
    by handing the same Registry to the next WindowManager."""

    def __init__(self):
        self.keys = {}  # lower-case path -> {lower-case name: (name, type, bytes)}


class WindowManager:
    def __init__(self, module_path, script=None, registry=None, clock=(12, 0, 0), size_messages=True,
                 strict_menu_info=False, stubborn_class=None, message_box_answer=IDOK):
        self.module_path = module_path
        self.script = None if script is None else list(script)
        self.registry = registry if registry is not None else Registry()
        self.clock = clock
        self.size_messages = size_messages
        self.strict_menu_info = strict_menu_info
        self.stubborn_class = stubborn_class
        self.message_box_answer = message_box_answer
        self.trace = []
        self.classes = {}  # class name -> fields of its WNDCLASSW
        self.windows = {}  # handle -> Window
        self.top_level = []  # top-level windows, in creation order
        self.queue = []  # posted messages: (window, message, wParam, lParam)
        self.quit_code = None
        self.menus = {}  # handle -> [item dict]
        self._system_menus = set()  # the command bar's own
        self.message_boxes = []  # (text, caption, type)
        self.refusals = {}
        self.open_keys = {}
        self.focus = 0
        self.waits = 0  # times the program waited for a message with none to give
        self.idle_hooks = []  # called with the manager at each wait
        self.paint_hooks = []  # called with ("begin" or "end", window) around each WM_PAINT dispatched
        self.modifiers = set()  # keys held down: "control", "shift", "alt"
        self.machine = None
        self.gdi = None
        self._resources = {}
        # Each kind of handle from a series of its own, so they never collide.
        self._window_handles = itertools.count(FIRST_WINDOW, 0x10)
        self._menu_handles = itertools.count(FIRST_MENU, 4)
        self._key_handles = itertools.count(FIRST_KEY, 4)
        self._depth = 0  # windows being created, one inside the other
        self._erase_rect = 0  # a RECT in the program's memory for WM_ERASEBKGND

    def record(self, call, **fields):
        fields["depth"] = self._depth
        self.trace.append((call, fields))

    # -- the machine --------------------------------------------------------
    def attach(self, machine):
        """The machine whose program calls the stubs: its memory, its
        resources, and a screen. The first stub called attaches it."""
        self.machine = machine
        self.gdi = Gdi(machine, SCREEN[0], SCREEN[1], self.record)
        self._gdi_stubs = self.gdi.stubs()
        self._resource_list = list(machine.image.resources.items())

    def stubs(self):
        own = {
            "GetModuleFileNameW": self._get_module_file_name,
            "GetModuleHandleW": lambda m, a: m.base if a[0] == 0 else 0,
            "LoadStringW": self._load_string,
            "LoadAcceleratorsW": self._load_accelerators,
            "LoadCursorW": lambda m, a: CURSOR,
            "LoadMenuW": lambda m, a: self._load_menu(m, a[1]),
            "CreateMenu": lambda m, a: self._new_menu([]),
            "DestroyMenu": self._destroy_menu,
            "DrawMenuBar": lambda m, a: 1,
            "GetSubMenu": self._get_sub_menu,
            "GetMenuItemInfoW": self._get_menu_item_info,
            "EnableMenuItem": self._enable_menu_item,
            "TrackPopupMenuEx": lambda m, a: self.record("TrackPopupMenuEx") or 0,
            "FindResourceW": self._find_resource,
            "LoadResource": lambda m, a: m.base + self._resource_list[a[1] - FIRST_RESOURCE][1][0],
            "SizeofResource": lambda m, a: self._resource_list[a[1] - FIRST_RESOURCE][1][1],
            "LocalFree": lambda m, a: 0,
            "GetClassInfoW": self._get_class_info,
            "RegisterClassW": self._register_class,
            "CreateWindowExW": self._create_window,
            "DestroyWindow": self._destroy_window_stub,
            "DefWindowProcW": self._def_window_proc,
            "DefDlgProcW": self._def_dlg_proc,
            "ShowWindow": self._show_window,
            "UpdateWindow": self._update_window,
            "InvalidateRect": self._invalidate_rect,
            "BeginPaint": self._begin_paint,
            "EndPaint": self._end_paint,
            "GetDC": lambda m, a: self._window_dc(a[0]),
            "GetWindowDC": lambda m, a: self._window_dc(a[0]),
            "ReleaseDC": lambda m, a: self.gdi.release_window_dc(a[1]),
            "MoveWindow": self._move_window,
            "SetWindowPos": self._set_window_pos,
            "GetClientRect": self._get_client_rect,
            "GetWindowRect": self._get_window_rect,
            "ClientToScreen": self._client_to_screen,
            "IsWindowVisible": lambda m, a: int(self._visible(a[0])),
            "IsWindowEnabled": lambda m, a: int(a[0] in self.windows and self.windows[a[0]].enabled),
            "SetFocus": self._set_focus,
            "GetParent": self._get_parent,
            "GetWindow": self._get_window,
            "GetDlgItem": lambda m, a: self._dialog_item(a[0], a.int(1)),
            "GetDlgCtrlID": lambda m, a: self.windows[a[0]].id if a[0] in self.windows else 0,
            "GetWindowLongW": self._get_window_long,
            "SetWindowLongW": self._set_window_long,
            "GetWindowTextW": lambda m, a: self._copy_text(m, self._text(a[0]), a[1], a.int(2)),
            "GetWindowTextLengthW": lambda m, a: len(self._text(a[0])),
            "SetWindowTextW": lambda m, a: self._set_text(a[0], a.wstring(1)),
            "GetDlgItemTextW": lambda m, a: self._copy_text(m, self._text(self._dialog_item(a[0], a.int(1))), a[2],
                                                            a.int(3)),
            "SetDlgItemTextW": lambda m, a: self._set_text(self._dialog_item(a[0], a.int(1)), a.wstring(2)),
            "SetDlgItemInt": lambda m, a: self._set_text(self._dialog_item(a[0], a.int(1)),
                                                         str(a.int(2) if a[3] else a[2])),
            "GetWindowThreadProcessId": lambda m, a: 1,
            "EnumWindows": self._enum_windows,
            "GetMessageW": self._get_message,
            "PeekMessageW": self._peek_message,
            "PostMessageW": self._post_message,
            "PostQuitMessage": self._post_quit_message,
            "SendMessageW": lambda m, a: self.send(a[0], a[1], a[2], a[3]),
            "SendDlgItemMessageW": lambda m, a: self.send(self._dialog_item(a[0], a.int(1)), a[2], a[3], a[4]),
            "DispatchMessageW": self._dispatch_message,
            "TranslateMessage": lambda m, a: 0,
            "TranslateAcceleratorW": self._translate_accelerator,
            "IsDialogMessageW": lambda m, a: 0,
            "DialogBoxIndirectParamW": self._dialog_box,
            "EndDialog": self._end_dialog,
            "MessageBoxW": self._message_box,
            "GetSystemMetrics": lambda m, a: SYSTEM_METRICS.get(a.int(0), 0),
            "SystemParametersInfoW": self._system_parameters_info,
            "GetSysColor": lambda m, a: system_colour(a[0]),
            "PtInRect": self._pt_in_rect,
            "GetLocalTime": self._get_time,
            "GetSystemTime": self._get_time,
            "RegOpenKeyExW": self._reg_open_key,
            "RegCreateKeyExW": self._reg_create_key,
            "RegQueryValueExW": self._reg_query_value,
            "RegSetValueExW": self._reg_set_value,
            "RegCloseKey": self._reg_close_key,
            "wvsprintfW": self._wvsprintf,
            "COMMCTRL.dll!InitCommonControls": lambda m, a: None,
            "COMMCTRL.dll!InitCommonControlsEx": lambda m, a: 1,
            "COMMCTRL.dll!CommandBar_Create": self._command_bar_create,
            "COMMCTRL.dll!CommandBar_InsertMenubar": self._command_bar_insert_menubar,
            "COMMCTRL.dll!CommandBar_AddAdornments": self._command_bar_add_adornments,
        }
        for name in Gdi.stub_names():
            own[name] = self._gdi_stub(name)
        # The first stub called attaches the manager to the machine.
        return {name: self._attaching(stub) for name, stub in own.items()}

    def _attaching(self, stub):
        def call(m, a):
            if self.machine is not m:
                self.attach(m)
            return stub(m, a)
        return call

    def _gdi_stub(self, name):
        return lambda m, a: self._gdi_stubs[name](m, a)

    # -- windows -------------------------------------------------------------
    @staticmethod
    def _class_name(m, word):
        # A class is named by a string, or by an atom below 0x10000.
        return m.read_wstring(word) if word >= 0x10000 else "#%d" % word

    def _new_window(self, class_name, procedure, style, ex_style, parent, owner, id, text, rect):
        handle = next(self._window_handles)
        window = Window(handle, class_name, procedure, style, ex_style, parent, owner, id, text, rect)
        self.windows[handle] = window
        if parent and parent in self.windows:
            self.windows[parent].children.append(handle)
        elif not parent:
            self.top_level.append(handle)
        return window

    def find(self, class_name=None, id=None):
        """The first window of this class and id still there."""
        for window in self.windows.values():
            if (class_name is None or window.class_name == class_name) and (id is None or window.id == id):
                return window
        return None

    def screen_origin(self, handle):
        x = y = 0
        while handle in self.windows:
            window = self.windows[handle]
            x, y = x + window.x, y + window.y
            handle = window.parent
        return x, y

    def _visible(self, handle):
        if handle not in self.windows:
            return False
        while handle in self.windows:
            if not self.windows[handle].style & WS_VISIBLE:
                return False
            handle = self.windows[handle].parent
        return True

    def _get_module_file_name(self, m, a):
        size = a[2]
        text = self.module_path[: max(size - 1, 0)]
        m.write(a[1], text.encode("utf-16-le") + b"\0\0")
        return len(text)

    def _register_class(self, m, a):
        (style, procedure, _, _, instance, icon, cursor, background, _, name) = struct.unpack(
            "<10I", m.read(a[0], 40))
        class_name = self._class_name(m, name)
        self.record("RegisterClassW", name=class_name, style=style, icon=icon, cursor=cursor, background=background)
        if class_name in self.classes:
            self.record("RegisterClassW refused", name=class_name, reason="the class exists")
            return 0
        self.classes[class_name] = dict(style=style, procedure=procedure, instance=instance, icon=icon, cursor=cursor,
                                        background=background, name=name)
        return len(self.classes)  # the class's atom

    def _get_class_info(self, m, a):
        found = self.classes.get(self._class_name(m, a[1]))
        if found is None:
            return 0
        m.write(a[2], struct.pack("<10I", found["style"], found["procedure"], 0, 0, found["instance"], found["icon"],
                                  found["cursor"], found["background"], 0, a[1]))
        return 1

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
        if x == CW_USEDEFAULT:  # the device's default place: the work area
            x, y = WORK_AREA[0], WORK_AREA[1]
        if width == CW_USEDEFAULT:
            width, height = WORK_AREA[2] - WORK_AREA[0], WORK_AREA[3] - WORK_AREA[1]
        child = style & WS_CHILD
        window = self._new_window(class_name, window_class["procedure"], style, ex_style, parent if child else 0,
                                  0 if child else parent, menu if child else 0,
                                  m.read_wstring(name_word) if name_word >= 0x10000 else "", (x, y, width, height))
        handle = window.handle
        if style & WS_VISIBLE:
            self.invalidate(handle, None, True)
        # CREATESTRUCTW, in the field order of its documentation.
        create = m.alloc(48)
        m.write(create, struct.pack("<4I4i I3I", parameter, instance, menu, parent, height, width, y, x, style,
                                    name_word, class_word, ex_style))
        self._depth += 1
        answer = yield m.callback(window.procedure, handle, WM_CREATE, 0, create)
        if _signed(answer) != -1 and self.size_messages and handle in self.windows:
            self.record("WM_SIZE", window=handle, size=(width, height))
            yield from self.send(handle, WM_SIZE, SIZE_RESTORED, (height << 16) | (width & 0xFFFF))
        self._depth -= 1
        if _signed(answer) == -1:
            yield from self.destroy(handle)
            self.record("CreateWindowExW failed", window=handle)
            return 0
        self.record("CreateWindowExW done", window=handle)
        return handle

    def _destroy_window_stub(self, m, a):
        handle = a[0]
        window = self.windows.get(handle)
        if window is None:
            return 0
        if window.class_name == self.stubborn_class:
            self.refusals[handle] = self.refusals.get(handle, 0) + 1
            self.record("DestroyWindow refused", window=handle)
            if self.refusals[handle] >= REFUSAL_LIMIT:
                raise EmulationError("the program asked window %#x (%s) to go %d times" % (
                    handle, window.class_name, REFUSAL_LIMIT))
            return 0
        yield from self.destroy(handle)
        return 1

    def destroy(self, handle):
        """Destroys a window: WM_DESTROY to it, then its children's."""
        window = self.windows.get(handle)
        if window is None or getattr(window, "dying", False):
            return
        window.dying = True
        self.record("DestroyWindow", window=handle, window_class=window.class_name)
        # The windows it owns go first.
        for owned in [h for h, w in self.windows.items() if w.owner == handle and not w.parent]:
            yield from self.destroy(owned)
        window.style &= ~WS_VISIBLE
        yield from self.send(handle, WM_DESTROY, 0, 0)
        for child in list(window.children):
            yield from self.destroy(child)
        if window.parent in self.windows and handle in self.windows[window.parent].children:
            self.windows[window.parent].children.remove(handle)
        if handle in self.top_level:
            self.top_level.remove(handle)
        self.queue = [q for q in self.queue if q[0] != handle]
        del self.windows[handle]
        if self.focus == handle:
            self.focus = 0

    def _show_window(self, m, a):
        handle, command = a[0], a.int(1)
        self.record("ShowWindow", window=handle, command=command)
        window = self.windows.get(handle)
        if window is None:
            return 0
        was = bool(window.style & WS_VISIBLE)
        if command == 0:
            window.style &= ~WS_VISIBLE
        else:
            window.style |= WS_VISIBLE
            if not was:
                self.invalidate(handle, None, True, children=True)
        return int(was)

    def invalidate(self, handle, rect, erase, children=False):
        window = self.windows.get(handle)
        if window is None:
            return
        x0, y0, x1, y1 = rect if rect else (0, 0, window.width, window.height)
        x0, y0, x1, y1 = max(x0, 0), max(y0, 0), min(x1, window.width), min(y1, window.height)
        if x0 < x1 and y0 < y1:
            window.update = (window.update or []) + _uncovered((x0, y0, x1, y1), window.update or [])
            window.erase = window.erase or bool(erase)
        if children:
            for child in window.children:
                if self.windows[child].style & WS_VISIBLE:
                    self.invalidate(child, None, erase, children=True)

    def _invalidate_rect(self, m, a):
        if a[0] not in self.windows:
            return 0  # Windows CE: no null window
        rect = struct.unpack("<4i", m.read(a[1], 16)) if a[1] else None
        self.invalidate(a[0], rect, a[2])
        return 1

    def _update_window(self, m, a):
        self.record("UpdateWindow", window=a[0])
        if a[0] in self.windows and self.windows[a[0]].update and self._visible(a[0]):
            yield from self.send(a[0], WM_PAINT, 0, 0)
        return 1

    def _begin_paint(self, m, a):
        window = self.windows.get(a[0])
        if window is None:
            return 0
        region = window.update or []
        erase = window.erase
        window.update, window.erase = None, False
        # The device context draws only where the update region lies.
        x, y = self.screen_origin(a[0])
        dc = self.gdi.new_window_dc((x, y), [(x + r[0], y + r[1], x + r[2], y + r[3]) for r in region])
        update = _bounds(region)
        if erase:
            yield from self.send(a[0], WM_ERASEBKGND, dc, 0)
        m.write(a[1], struct.pack("<2I4i2I", dc, int(erase), *update, 0, 0) + bytes(32))
        return dc

    def _end_paint(self, m, a):
        dc = m.read_u32(a[1])
        self.gdi.release_window_dc(dc)
        return 1

    def _window_dc(self, handle):
        window = self.windows.get(handle)
        if window is None:
            return 0
        x, y = self.screen_origin(handle)
        return self.gdi.new_window_dc((x, y), [(x, y, x + window.width, y + window.height)])

    def _move(self, handle, x, y, width, height, repaint):
        window = self.windows.get(handle)
        if window is None:
            return 0
        resized = (width, height) != (window.width, window.height)
        window.x, window.y, window.width, window.height = x, y, width, height
        self.record("MoveWindow", window=handle, rect=(x, y, width, height))
        if repaint or resized:
            window.update = None
            self.invalidate(handle, None, True)
        if resized and self.size_messages:
            self.record("WM_SIZE", window=handle, size=(width, height))
            yield from self.send(handle, WM_SIZE, SIZE_RESTORED, (height << 16) | (width & 0xFFFF))
        return 1

    def _move_window(self, m, a):
        return (yield from self._move(a[0], a.int(1), a.int(2), a.int(3), a.int(4), a[5]))

    def _set_window_pos(self, m, a):
        window = self.windows.get(a[0])
        if window is None:
            return 0
        flags = a[6]
        x, y = (window.x, window.y) if flags & 0x2 else (a.int(2), a.int(3))
        width, height = (window.width, window.height) if flags & 0x1 else (a.int(4), a.int(5))
        return (yield from self._move(a[0], x, y, width, height, False))

    def _get_client_rect(self, m, a):
        window = self.windows.get(a[0])
        if window is None:
            return 0
        m.write(a[1], struct.pack("<4i", 0, 0, window.width, window.height))
        return 1

    def _get_window_rect(self, m, a):
        window = self.windows.get(a[0])
        if window is None:
            return 0
        x, y = self.screen_origin(a[0])
        m.write(a[1], struct.pack("<4i", x, y, x + window.width, y + window.height))
        return 1

    def _client_to_screen(self, m, a):
        x, y = self.screen_origin(a[0])
        px, py = struct.unpack("<2i", m.read(a[1], 8))
        m.write(a[1], struct.pack("<2i", px + x, py + y))
        return 1

    def _set_focus(self, m, a):
        """The window that loses the focus gets WM_KILLFOCUS, then the one
        that takes it WM_SETFOCUS, each with the other's handle."""
        new = a[0]
        if new and new not in self.windows:
            return 0
        old = self.focus
        if old == new:
            return old
        self.focus = new
        self.record("SetFocus", window=new, previous=old)
        if old in self.windows:
            yield from self.send(old, WM_KILLFOCUS, new, 0)
        if new and self.focus == new:
            yield from self.send(new, WM_SETFOCUS, old, 0)
        return old

    def _enabled(self, handle):
        """Whether input reaches a window: it and every window it lies in are enabled."""
        while handle in self.windows:
            if not self.windows[handle].enabled:
                return False
            handle = self.windows[handle].parent
        return True

    def _get_parent(self, m, a):
        window = self.windows.get(a[0])
        if window is None:
            return 0
        return window.parent or window.owner

    def _siblings(self, window):
        return self.windows[window.parent].children if window.parent in self.windows else self.top_level

    def _get_window(self, m, a):
        window = self.windows.get(a[0])
        if window is None:
            return 0
        command = a[1]
        if command == GW_CHILD:
            return window.children[0] if window.children else 0
        if command == GW_OWNER:
            return window.owner
        siblings = self._siblings(window)
        at = siblings.index(window.handle)
        if command == GW_HWNDNEXT:
            return siblings[at + 1] if at + 1 < len(siblings) else 0
        if command == GW_HWNDPREV:
            return siblings[at - 1] if at > 0 else 0
        if command == GW_HWNDFIRST:
            return siblings[0]
        if command == GW_HWNDLAST:
            return siblings[-1]
        return 0

    def _dialog_item(self, handle, id):
        window = self.windows.get(handle)
        for child in window.children if window else []:
            if self.windows[child].id == id:
                return child
        return 0

    def _get_window_long(self, m, a):
        window = self.windows.get(a[0])
        if window is None:
            return 0
        index = a.int(1)
        if index == GWL_STYLE:
            return window.style
        if index == GWL_EXSTYLE:
            return window.ex_style
        if index == GWL_ID:
            return window.id
        return window.words.get(index, 0)

    def _set_window_long(self, m, a):
        window = self.windows.get(a[0])
        if window is None:
            return 0
        index = a.int(1)
        if index == GWL_STYLE:
            old, window.style = window.style, a[2]
        elif index == GWL_EXSTYLE:
            old, window.ex_style = window.ex_style, a[2]
        else:
            old, window.words[index] = window.words.get(index, 0), a[2]
        return old

    def _text(self, handle):
        return self.windows[handle].text if handle in self.windows else ""

    def _set_text(self, handle, text):
        if handle not in self.windows:
            return 0
        self.windows[handle].text = text or ""
        return 1

    @staticmethod
    def _copy_text(m, text, buffer, size):
        if size <= 0:
            return 0
        text = text[:size - 1]
        m.write(buffer, text.encode("utf-16-le") + b"\0\0")
        return len(text)

    def _enum_windows(self, m, a):
        for handle in list(self.top_level):
            if handle in self.windows:
                go_on = yield m.callback(a[0], handle, a[1])
                if not go_on:
                    break
        return 1

    def _system_parameters_info(self, m, a):
        if a[0] != SPI_GETWORKAREA:
            return 0
        m.write(a[2], struct.pack("<4i", *WORK_AREA))
        return 1

    @staticmethod
    def _pt_in_rect(m, a):
        left, top, right, bottom = struct.unpack("<4i", m.read(a[0], 16))
        x, y = a.int(1), a.int(2)  # the POINT by value, in two words
        return int(left <= x < right and top <= y < bottom)

    def _get_time(self, m, a):
        hour, minute, second = self.clock
        m.write(a[0], struct.pack("<8H", 2024, 6, 3, 3, hour, minute, second, 0))

    # -- messages ------------------------------------------------------------
    def send(self, handle, message, wparam, lparam):
        """Sends a message to a window and gives its answer (a generator)."""
        window = self.windows.get(handle)
        if window is None:
            return 0
        m = self.machine
        if window.dialog_procedure:
            return (yield from self._dialog_message(window, message, wparam, lparam))
        if window.procedure:
            painting = message == WM_PAINT
            if painting:
                for hook in self.paint_hooks:
                    hook("begin", handle)
            result = yield m.callback(window.procedure, handle, message, wparam, lparam)
            if painting:
                for hook in self.paint_hooks:
                    hook("end", handle)
            return result
        return self._control_message(window, message, wparam, lparam)

    def post(self, handle, message, wparam=0, lparam=0):
        self.queue.append((handle, message, wparam & 0xFFFFFFFF, lparam & 0xFFFFFFFF))

    def _post_message(self, m, a):
        if a[0] not in self.windows:
            return 0
        self.post(a[0], a[1], a[2], a[3])
        return 1

    def _post_quit_message(self, m, a):
        self.record("PostQuitMessage", code=a.int(0))
        self.quit_code = a.int(0)

    def _window_to_paint(self, window_filter=0):
        for handle, window in self.windows.items():
            if window.update and self._visible(handle) and window_filter in (0, handle):
                return handle
        if not window_filter:
            for window in self.windows.values():
                window.update = None  # invisible windows are not painted
        return None

    def _take(self, window_filter=0, low=0, high=0, remove=True):
        """What a message loop with this filter gets now, in the order Windows
        gives it: the first posted message the filter lets through, WM_QUIT
        (None) once the program has asked for it, WM_PAINT for a window with
        an update region; False when there is nothing."""
        for i, message in enumerate(self.queue):
            if window_filter in (0, message[0]) and _in_range(message[1], low, high):
                return self.queue.pop(i) if remove else message
        if self.quit_code is not None and _in_range(WM_QUIT, low, high):
            return None
        handle = self._window_to_paint(window_filter) if _in_range(WM_PAINT, low, high) else None
        return (handle, WM_PAINT, 0, 0) if handle else False

    def next_message(self, window_filter=0, low=0, high=0):
        """The next message for a message loop: a posted one, WM_QUIT (None),
        WM_PAINT, or what the script's next action brings (a generator). An
        open message box's loop, waiting with nothing to do, is answered."""
        while True:
            message = self._take(window_filter, low, high)
            if message is not False:
                return message
            self.waits += 1
            box = next((w for w in reversed(list(self.windows.values())) if w.class_name == "message box"), None)
            if box is not None and box.ended is None:
                self.post(box.handle, WM_COMMAND, self.message_box_answer, 0)
                continue
            for hook in self.idle_hooks:
                hook(self)
            if self.script is None:
                self.record("GetMessageW")
                self.machine.end_program(0)  # the message loop is reached: the start-up is over
                return "ended"
            if not self.script:
                raise EmulationError("the program waits for a message, and the test has nothing more to do")
            action = self.script.pop(0)
            result = action(self)
            if inspect.isgenerator(result):
                yield from result

    def _get_message(self, m, a):
        message = yield from self.next_message(a[1], a[2], a[3])
        if message == "ended":
            return
        if message is None:
            m.write(a[0], struct.pack("<4I3I", 0, WM_QUIT, self.quit_code & 0xFFFFFFFF, 0, 0, 0, 0))
            self.record("GetMessageW", message=WM_QUIT)
            self.quit_code = None
            return 0
        m.write(a[0], struct.pack("<4I3I", *message, 0, 0, 0))
        return 1

    def _peek_message(self, m, a):
        remove = bool(a[4] & PM_REMOVE)
        message = self._take(a[1], a[2], a[3], remove)
        if message is False:
            return 0
        if message is None:
            message = (0, WM_QUIT, self.quit_code & 0xFFFFFFFF, 0)
            if remove:
                self.quit_code = None
        m.write(a[0], struct.pack("<4I3I", *message, 0, 0, 0))
        return 1

    def _dispatch_message(self, m, a):
        handle, message, wparam, lparam = struct.unpack("<4I", m.read(a[0], 16))
        return (yield from self.send(handle, message, wparam, lparam))

    def _translate_accelerator(self, m, a):
        handle, table = a[0], a[1]
        _, message, key, _ = struct.unpack("<4I", m.read(a[2], 16))
        if message != WM_KEYDOWN or table != ACCELERATORS:
            return 0
        held = {FCONTROL: "control", FSHIFT: "shift", FALT: "alt"}
        for flags, virtual_key, command in self._accelerators():
            if flags & FVIRTKEY and virtual_key == key and all(
                    bool(flags & bit) == (name in self.modifiers) for bit, name in held.items()):
                self.record("TranslateAcceleratorW", command=command)
                yield from self.send(handle, WM_COMMAND, (1 << 16) | command, 0)
                return 1
        return 0

    # -- resources -----------------------------------------------------------
    def resource(self, kind, name):
        """(rva, size) of a resource of the program; name an id or a string."""
        return self.machine.image.resources.get((kind, name if isinstance(name, int) else name.upper()))

    def _find_resource(self, m, a):
        name = a[1] if a[1] < 0x10000 else m.read_wstring(a[1]).upper()
        kind = a[2] if a[2] < 0x10000 else m.read_wstring(a[2]).upper()
        for i, (key, _) in enumerate(self._resource_list):
            if key == (kind, name):
                return FIRST_RESOURCE + i
        return 0

    def _load_string(self, m, a):
        id, buffer, size = a[1], a[2], a.int(3)
        found = self.resource(RT_STRING, (id >> 4) + 1)
        if found is None or size <= 0:
            return 0
        data = m.read(m.base + found[0], found[1])
        at = 0
        for _ in range(id & 15):
            at += 2 + 2 * struct.unpack_from("<H", data, at)[0]
        length = struct.unpack_from("<H", data, at)[0]
        text = data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
        return self._copy_text(m, text, buffer, size)

    def _load_accelerators(self, m, a):
        self._accelerator_name = a[1] if a[1] < 0x10000 else m.read_wstring(a[1])
        return ACCELERATORS if self.resource(RT_ACCELERATOR, self._accelerator_name) else 0

    def _accelerators(self):
        rva, size = self.resource(RT_ACCELERATOR, self._accelerator_name) or (0, 0)
        data = self.machine.read(self.machine.base + rva, size)
        return [struct.unpack_from("<HHH", data, at) for at in range(0, size - 7, 8)]

    def _new_menu(self, items):
        handle = next(self._menu_handles)
        self.menus[handle] = items
        return handle

    def _load_menu(self, m, id):
        found = self.resource(RT_MENU, id)
        if found is None:
            return 0
        data = m.read(m.base + found[0], found[1])

        def parse(at):
            items = []
            while True:
                (flags,) = struct.unpack_from("<H", data, at)
                at += 2
                command = 0
                if not flags & MF_POPUP:
                    (command,) = struct.unpack_from("<H", data, at)
                    at += 2
                end = at
                while data[end:end + 2] != b"\0\0":
                    end += 2
                text = data[at:end].decode("utf-16-le")
                at = end + 2
                submenu = 0
                if flags & MF_POPUP:
                    sub_items, at = parse(at)
                    submenu = self._new_menu(sub_items)
                items.append(dict(id=command, text=text, state=flags & (MF_GRAYED | MF_DISABLED), submenu=submenu,
                                  separator=not text and not command and not submenu))
                if flags & MF_END:
                    return items, at

        items, _ = parse(4)  # after the header's version and size words
        return self._new_menu(items)

    def _destroy_menu(self, m, a):
        items = self.menus.pop(a[0], None)
        for item in items or []:
            if item["submenu"]:
                self.menus.pop(item["submenu"], None)
        return int(items is not None)

    def _get_sub_menu(self, m, a):
        items = self.menus.get(a[0], [])
        return items[a[1]]["submenu"] if a[1] < len(items) else 0

    def _menu_item(self, menu, item, by_position):
        items = self.menus.get(menu)
        if items is None:
            return None
        if by_position:
            return items[item] if item < len(items) else None
        return next((i for i in items if i["id"] == item and not i["submenu"]), None)

    def _get_menu_item_info(self, m, a):
        item = self._menu_item(a[0], a[1], a[2])
        info = a[3]
        size, mask = struct.unpack("<2I", m.read(info, 8))
        if item is None or size != 44:
            return 0
        if mask & MIIM_TYPE:
            buffer, count = struct.unpack("<2I", m.read(info + 36, 8))
            if buffer == 0 and self.strict_menu_info:
                self.record("GetMenuItemInfoW refused", reason="no buffer for the type")
                return 0
            m.write_u32(info + 8, 0x800 if item["separator"] else 0)  # MFT_SEPARATOR or MFT_STRING
            if buffer:
                m.write_u32(info + 40, self._copy_text(m, item["text"], buffer, count))
            else:
                m.write_u32(info + 40, len(item["text"]))
        if mask & MIIM_STATE:
            m.write_u32(info + 12, item["state"])
        if mask & MIIM_ID:
            m.write_u32(info + 16, item["id"])
        if mask & MIIM_SUBMENU:
            m.write_u32(info + 20, item["submenu"])
        return 1

    def _enable_menu_item(self, m, a):
        item = self._menu_item(a[0], a[1], a[2] & MF_BYPOSITION)
        if item is None:
            return 0xFFFFFFFF
        old, item["state"] = item["state"], a[2] & (MF_GRAYED | MF_DISABLED)
        self.record("EnableMenuItem", id=item["id"], state=item["state"])
        return old

    # -- the command bar ------------------------------------------------------
    def _command_bar_create(self, m, a):
        parent = self.windows.get(a[1])
        width = parent.width if parent else 0
        bar = self._new_window("command bar", None, WS_CHILD, 0, a[1], 0, a.int(2), "",
                               (0, 0, width, COMMAND_BAR_HEIGHT))
        self.record("CommandBar_Create", parent=a[1], id=a.int(2), bar=bar.handle)
        return bar.handle

    def _command_bar_insert_menubar(self, m, a):
        self.record("CommandBar_InsertMenubar", bar=a[0], menu=a[2] & 0xFFFF, button=a[3] & 0xFFFF)
        bar = self.windows.get(a[0])
        if bar is None:
            return 0
        bar.menu = self._load_menu(m, a[2] & 0xFFFF)
        self._system_menus |= {bar.menu} | {i["submenu"] for i in self.menus.get(bar.menu, [])}
        return int(bar.menu != 0)

    def _command_bar_add_adornments(self, m, a):
        self.record("CommandBar_AddAdornments", bar=a[0], flags=a[1])
        return 1

    def menu_bar(self):
        bar = self.find("command bar")
        return self.menus[bar.menu] if bar and bar.menu else []

    def menu_item(self, popup, text):
        popup_item = next(p for p in self.menu_bar() if p["text"].replace("&", "") == popup)
        return next(i for i in self.menus[popup_item["submenu"]] if i["text"] == text), popup_item

    def choose(self, popup, text):
        """A tap on the menu bar's `popup`, then on its item `text`: the frame
        gets WM_INITMENUPOPUP, then the item's WM_COMMAND unless it is greyed.
        A generator for a script action; records whether the item was taken."""
        bar = self.find("command bar")
        item, popup_item = self.menu_item(popup, text)
        if not self._enabled(bar.parent):
            self.record("menu refused", popup=popup, item=text, reason="disabled")
            return
        position = self.menu_bar().index(popup_item)
        yield from self.send(bar.parent, WM_INITMENUPOPUP, popup_item["submenu"], position)
        greyed = bool(item["state"] & MF_GRAYED)
        self.record("menu", popup=popup, item=text, greyed=greyed)
        if not greyed:
            self.post(bar.parent, WM_COMMAND, item["id"], 0)

    # -- dialogs and controls -------------------------------------------------
    def _dialog_box(self, m, a):
        return (yield from self._run_dialog(a[1], a[2], a[3], a[4]))

    def _run_dialog(self, template, owner, procedure, parameter):
        m = self.machine
        style, ex_style, count, x, y, cx, cy = struct.unpack("<IIH4h", m.read(template, 18))
        at, _ = self._sz_or_ord(template + 18)  # menu
        at, _ = self._sz_or_ord(at)  # class
        at, caption = self._sz_or_ord(at)
        if style & 0x40:  # DS_SETFONT: point size, face
            at, _ = self._sz_or_ord(at + 2)
        dialog = self._new_window("dialog", None, style & ~WS_VISIBLE, ex_style, 0, owner, 0, caption,
                                  _dialog_units(x, y, cx, cy))
        dialog.dialog_procedure = procedure
        for _ in range(count):
            at = (at + 3) & ~3
            c_style, c_ex_style, x, y, cx, cy, id = struct.unpack("<II4hH", m.read(at, 18))
            at, class_name = self._sz_or_ord(at + 18)
            at, text = self._sz_or_ord(at)
            (extra,) = struct.unpack("<H", m.read(at, 2))
            at += 2 + extra
            if isinstance(class_name, int):
                class_name = CONTROL_ATOMS.get(class_name, "#%d" % class_name)
            class_name = CONTROL_CLASSES.get(class_name.lower(), class_name)  # names compare without case
            self._new_window(class_name, None, c_style | WS_CHILD, c_ex_style, dialog.handle, 0, id,
                             text if isinstance(text, str) else "", _dialog_units(x, y, cx, cy))
        self.record("DialogBox", caption=caption, window=dialog.handle,
                    controls=[(self.windows[c].class_name, self.windows[c].id) for c in dialog.children])
        owner_window = self.windows.get(owner)
        if owner_window:
            owner_window.enabled = False
        focus = next((c for c in dialog.children if self.windows[c].style & 0x00010000), 0)  # WS_TABSTOP
        yield from self.send(dialog.handle, WM_INITDIALOG, focus, parameter)
        if dialog.handle in self.windows:
            dialog.style |= WS_VISIBLE
        while dialog.ended is None and dialog.handle in self.windows:
            message = yield from self.next_message()
            if message is None:
                break  # WM_QUIT ends the dialog's loop; the main loop sees it too
            yield from self.send(*message)
        result = dialog.ended if dialog.ended is not None else -1
        yield from self.destroy(dialog.handle)
        if owner_window and owner in self.windows:
            owner_window.enabled = True
            yield from self.send(owner, WM_ENABLE, 1, 0)
        self.record("DialogBox ended", caption=caption, result=result)
        return result

    def _sz_or_ord(self, at):
        """A template's string or ordinal at `at`: (next address, text or id)."""
        m = self.machine
        (first,) = struct.unpack("<H", m.read(at, 2))
        if first == 0xFFFF:
            return at + 4, struct.unpack("<H", m.read(at + 2, 2))[0]
        text = m.read_wstring(at)
        return at + 2 * (len(text) + 1), text

    def _end_dialog(self, m, a):
        dialog = self.windows.get(a[0])
        if dialog is None or not dialog.dialog_procedure:
            return 0
        dialog.ended = a.int(1)
        return 1

    def _dialog_message(self, dialog, message, wparam, lparam, default_only=False):
        m = self.machine
        if not default_only:
            handled = yield m.callback(dialog.dialog_procedure, dialog.handle, message, wparam, lparam)
            if handled & 0xFFFFFFFF:
                if message == WM_INITDIALOG or 0x0132 <= message <= 0x0138:
                    return handled
                return dialog.words.get(0, 0)  # DWL_MSGRESULT
        # The dialog manager's own handling.
        if message == WM_CLOSE:
            self.post(dialog.handle, WM_COMMAND, IDCANCEL, 0)
        elif message == WM_PAINT:
            dialog.update = None
        return 0

    def _def_dlg_proc(self, m, a):
        dialog = self.windows.get(a[0])
        if dialog is None:
            return 0
        return (yield from self._dialog_message(dialog, a[1], a[2], a[3]))

    def _control_message(self, window, message, wparam, lparam):
        m = self.machine
        kind = window.style & BS_TYPE
        if window.class_name == "message box":
            if message == WM_COMMAND:
                window.ended = wparam & 0xFFFF
            elif message == WM_PAINT:
                window.update = None
            return 0
        if message == WM_PAINT:
            window.update = None  # the system draws its own controls
            return 0
        if message == WM_GETDLGCODE:
            if window.class_name == "Button":
                if kind in (BS_RADIOBUTTON, BS_AUTORADIOBUTTON):
                    return DLGC_BUTTON | DLGC_RADIOBUTTON
                return DLGC_BUTTON | (DLGC_DEFPUSHBUTTON if kind == BS_DEFPUSHBUTTON else DLGC_UNDEFPUSHBUTTON)
            return DLGC_STATIC if window.class_name == "Static" else 0
        if message == BM_GETCHECK:
            return window.checked
        if message == BM_SETCHECK:
            window.checked = wparam
            return 0
        if message == WM_SETTEXT:
            window.text = m.read_wstring(lparam) or ""
            return 1
        if message == WM_GETTEXT:
            return self._copy_text(m, window.text, lparam, wparam)
        if message == WM_GETTEXTLENGTH:
            return len(window.text)
        if message == LVM_INSERTCOLUMNW:
            mask, fmt, width, text = struct.unpack("<4I", m.read(lparam, 16))
            window.columns.insert(min(wparam, len(window.columns)), m.read_wstring(text) if mask & 4 else "")
            return min(wparam, len(window.columns) - 1)
        if message == LVM_INSERTITEMW:
            mask, item, _, _, _, text = struct.unpack("<6I", m.read(lparam, 24))
            at = min(item, len(window.items))
            window.items.insert(at, {0: m.read_wstring(text) if mask & 1 else ""})
            return at
        if message == LVM_SETITEMTEXTW:
            _, _, sub_item, _, _, text = struct.unpack("<6I", m.read(lparam, 24))
            if wparam >= len(window.items):
                return 0
            window.items[wparam][sub_item] = m.read_wstring(text) or ""
            return 1
        if message == LVM_GETITEMTEXTW:
            _, _, sub_item, _, _, text, size = struct.unpack("<6Ii", m.read(lparam, 28))
            if wparam >= len(window.items):
                return 0
            return self._copy_text(m, window.items[wparam].get(sub_item, ""), text, size)
        return 0

    def _def_window_proc(self, m, a):
        handle, message = a[0], a[1]
        window = self.windows.get(handle)
        if window is None:
            return 0
        if message == WM_PAINT:
            window.update = None
        elif message == WM_CLOSE:
            yield from self.destroy(handle)
        elif message == WM_ERASEBKGND:
            # The class's background brush fills what the device context lets
            # through; with none, the window keeps what was there.
            background = self.classes.get(window.class_name, {}).get("background", 0)
            if not background:
                return 0
            if not self._erase_rect:
                self._erase_rect = m.alloc(16)
            m.write(self._erase_rect, struct.pack("<4i", 0, 0, window.width, window.height))
            self.gdi.fill_rect(a[2], self._erase_rect, background)
            return 1
        return 0

    def dialog(self):
        """The dialog open now, or None."""
        return next((w for w in self.windows.values() if w.dialog_procedure and w.ended is None), None)

    def click_control(self, id):
        """A tap on a button of the open dialog: an automatic radio button
        checks itself and clears the others of its group; the dialog is told."""
        dialog = self.dialog()
        control = self.windows[self._dialog_item(dialog.handle, id)]
        if control.style & BS_TYPE == BS_AUTORADIOBUTTON:
            siblings = dialog.children
            at = siblings.index(control.handle)
            first = at
            while first > 0 and not self.windows[siblings[first]].style & WS_GROUP:
                first -= 1
            last = at + 1
            while last < len(siblings) and not self.windows[siblings[last]].style & WS_GROUP:
                last += 1
            for sibling in siblings[first:last]:
                if self.windows[sibling].style & BS_TYPE == BS_AUTORADIOBUTTON:
                    self.windows[sibling].checked = 0
            control.checked = 1
        self.post(dialog.handle, WM_COMMAND, id, control.handle)

    def command_dialog(self, id):
        """The open dialog gets WM_COMMAND for `id` (its OK button, the caption's OK)."""
        dialog = self.dialog()
        self.post(dialog.handle, WM_COMMAND, id, self._dialog_item(dialog.handle, id))

    def _message_box(self, m, a):
        """A modal box: its owner disabled, its own message loop until it is
        answered, then the owner enabled again."""
        owner = a[0]
        box = (a.wstring(1), a.wstring(2), a[3])
        self.message_boxes.append(box)
        self.record("MessageBoxW", owner=owner, text=box[0], caption=box[1], type=box[2])
        owner_window = self.windows.get(owner)
        was_enabled = owner_window is not None and owner_window.enabled
        if owner_window:
            owner_window.enabled = False
        window = self._new_window("message box", None, WS_POPUP | WS_VISIBLE, 0, 0, owner, 0, box[1] or "",
                                  (0, 0, SCREEN[0], SCREEN[1] // 2))
        while window.ended is None and window.handle in self.windows:
            message = yield from self.next_message()
            if message is None:
                break  # WM_QUIT ends the box's loop; the main loop sees it too
            yield from self.send(*message)
        result = window.ended if window.ended is not None else IDCANCEL
        yield from self.destroy(window.handle)
        if was_enabled and owner in self.windows:
            owner_window.enabled = True
            yield from self.send(owner, WM_ENABLE, 1, 0)
        self.record("MessageBoxW ended", result=result)
        return result

    # -- input ---------------------------------------------------------------
    def tap(self, window, x, y):
        """A stylus tap at client point (x, y) of `window`; none reaches a
        window that is disabled, or lies in one (a modal box's owner)."""
        if not self._enabled(window):
            self.record("tap refused", window=window, reason="disabled")
            return
        position = ((y & 0xFFFF) << 16) | (x & 0xFFFF)
        self.post(window, WM_LBUTTONDOWN, MK_LBUTTON, position)
        self.post(window, WM_LBUTTONUP, 0, position)

    def key(self, window, virtual_key, *held):
        if not self._enabled(window):
            self.record("key refused", window=window, reason="disabled")
            return
        self.modifiers = set(held)
        self.post(window, WM_KEYDOWN, virtual_key, 1)
        self.post(window, WM_KEYUP, virtual_key, 0xC0000001)

    def close(self):
        """The command bar's close button: WM_CLOSE to its frame."""
        self.post(self.find("command bar").parent, WM_CLOSE)

    # -- the registry ---------------------------------------------------------
    def _key_path(self, m, key, subkey):
        base = "HKCU" if key == HKEY_CURRENT_USER else self.open_keys.get(key)
        if base is None:
            return None
        sub = m.read_wstring(subkey) if subkey else ""
        return base + ("\\" + sub if sub else "")

    def _open(self, path):
        handle = next(self._key_handles)
        self.open_keys[handle] = path
        return handle

    def _reg_open_key(self, m, a):
        path = self._key_path(m, a[0], a[1])
        self.record("RegOpenKeyExW", path=path, options=a[2], sam=a[3])
        if a[2] or a[3]:
            self.record("registry refused", function="RegOpenKeyExW", path=path)
            return ERROR_INVALID_PARAMETER
        if path is None:
            return ERROR_INVALID_PARAMETER
        if path.lower() not in self.registry.keys:
            return ERROR_FILE_NOT_FOUND
        m.write_u32(a[4], self._open(path))
        return ERROR_SUCCESS

    def _reg_create_key(self, m, a):
        path = self._key_path(m, a[0], a[1])
        self.record("RegCreateKeyExW", path=path, disposition_pointer=a[8])
        if a[8] == 0:
            self.record("registry refused", function="RegCreateKeyExW", path=path)
            return ERROR_INVALID_PARAMETER
        if path is None:
            return ERROR_INVALID_PARAMETER
        created = path.lower() not in self.registry.keys
        # Every key on the way exists once a key below it does.
        parts = path.split("\\")
        for i in range(1, len(parts) + 1):
            self.registry.keys.setdefault("\\".join(parts[:i]).lower(), {})
        m.write_u32(a[7], self._open(path))
        m.write_u32(a[8], 1 if created else 2)  # REG_CREATED_NEW_KEY, REG_OPENED_EXISTING_KEY
        return ERROR_SUCCESS

    def _reg_query_value(self, m, a):
        path = self.open_keys.get(a[0])
        if path is None:
            return ERROR_INVALID_PARAMETER
        name = a.wstring(1) or ""
        found = self.registry.keys.get(path.lower(), {}).get(name.lower())
        if found is None:
            return ERROR_FILE_NOT_FOUND
        _, kind, data = found
        if a[3]:
            m.write_u32(a[3], kind)
        if a[5]:
            room = m.read_u32(a[5])
            m.write_u32(a[5], len(data))
            if a[4]:
                if room < len(data):
                    return ERROR_MORE_DATA
                m.write(a[4], data)
        return ERROR_SUCCESS

    def _reg_set_value(self, m, a):
        path = self.open_keys.get(a[0])
        if path is None:
            return ERROR_INVALID_PARAMETER
        name = a.wstring(1) or ""
        data = m.read(a[4], a[5]) if a[5] else b""
        self.registry.keys[path.lower()][name.lower()] = (name, a[3], data)
        self.record("RegSetValueExW", path=path, name=name, type=a[3], data=data)
        return ERROR_SUCCESS

    def _reg_close_key(self, m, a):
        return ERROR_SUCCESS if self.open_keys.pop(a[0], None) is not None else ERROR_INVALID_PARAMETER

    # -- text formatting -------------------------------------------------------
    def _wvsprintf(self, m, a):
        out, fmt, arguments = a[0], a.wstring(1), a[2]
        text, i = "", 0
        while i < len(fmt):
            c = fmt[i]
            if c != "%" or i + 1 >= len(fmt):
                text += c
                i += 1
                continue
            spec = fmt[i + 1]
            i += 2
            if spec == "%":
                text += "%"
                continue
            word = m.read_u32(arguments)
            arguments += 4
            if spec in "di":
                text += str(_signed(word))
            elif spec == "u":
                text += str(word)
            elif spec in "xX":
                text += ("%x" if spec == "x" else "%X") % word
            elif spec in "sS":
                text += m.read_wstring(word) or ""
            else:
                text += "%" + spec
        m.write(out, text.encode("utf-16-le") + b"\0\0")
        return len(text)

    # -- the end --------------------------------------------------------------
    def left_over(self):
        """What the program made and did not free: GDI objects, menus it
        loaded itself, registry keys still open."""
        own_menus = set(self.menus) - self._system_menus
        return dict(gdi=self.gdi.live_objects() if self.gdi else {}, keys=dict(self.open_keys),
                    menus=sorted(own_menus))


def _uncovered(rect, rects):
    """The parts of `rect` that none of `rects` covers, as disjoint rectangles."""
    pieces = [rect]
    for cx0, cy0, cx1, cy1 in rects:
        left = []
        for x0, y0, x1, y1 in pieces:
            if cx1 <= x0 or x1 <= cx0 or cy1 <= y0 or y1 <= cy0:
                left.append((x0, y0, x1, y1))
                continue
            if y0 < cy0:
                left.append((x0, y0, x1, cy0))
            if cy1 < y1:
                left.append((x0, cy1, x1, y1))
            top, bottom = max(y0, cy0), min(y1, cy1)
            if x0 < cx0:
                left.append((x0, top, cx0, bottom))
            if cx1 < x1:
                left.append((cx1, top, x1, bottom))
        pieces = left
    return pieces


def _bounds(rects):
    if not rects:
        return (0, 0, 0, 0)
    return (min(r[0] for r in rects), min(r[1] for r in rects), max(r[2] for r in rects), max(r[3] for r in rects))


def _in_range(message, low, high):
    return (low == 0 and high == 0) or low <= message <= high


def _dialog_units(x, y, cx, cy):
    """A template's dialog units in pixels, for the System font's 8 x 16 base."""
    return (x * 2, y * 2, cx * 2, cy * 2)
