"""Runs an ARM Windows CE program file under Unicorn's StrongARM SA-1110.

    from machine import Machine
    m = Machine("Quenlark.EXE", base=None, stubs={"COMMCTRL.dll!InitCommonControls": f})
    code = m.run_entry(show=1)            # WinMainCRTStartup(hInstance, 0, L"", show)
    value = m.call("SomeFunction", 1, 2)  # any function in the symbol table

Loading maps the sections at `base` (default: the image base), applies the
base relocations when the two differ, and points every import at a stub
address. Calling an import runs its stub, a Python function:

    def stub(machine, args):     # args: the call's arguments, read at the call
        args[0], args.int(1)     #   32-bit words (r0-r3, then the stack), signed
        args.double(0)           #   a double from two words, low word first
        args.wstring(2)          #   a UTF-16 string the word points at
        return value             # int -> r0; float -> a double in r0:r1;
                                 # Int64(v) -> r0:r1; None leaves r0 alone

A stub that must run emulated code and go on afterwards (a window procedure
from CreateWindowExW or SendMessageW) is a generator: each
`result = yield machine.callback(address, arg, ...)` runs the function at
`address` with those arguments (the rest of the program is paused in the
stub meanwhile; callbacks may nest), and the generator's `return value` is
the stub's result (machine.call() is for the host only, never inside a
stub). Stubs are looked up by "DLL!Name" (the DLL name as the
program spells it, compared without case) and then by "Name"; coredll.STUBS
gives the COREDLL functions the runtime and engine call. An import with no
stub stops the run with an error naming it, when it is called. Stubs reach
the program's memory with machine.read/write/read_u32/write_u32/read_wstring,
allocate with machine.alloc/new_wstring, keep their own state in
machine.state, and end the program with machine.end_program(code).

The SA-1110 has no BX instruction and no Thumb state: Unicorn rejects both as
invalid instructions, so a run proves the code reached has neither. A fault
(invalid instruction, unmapped or null access) stops the run with an
EmulationError giving the address, the nearest symbol and the registers.
"""

import inspect
import os
import struct
import sys

from unicorn import (UC_ARCH_ARM, UC_HOOK_CODE, UC_HOOK_MEM_READ, UC_HOOK_MEM_WRITE, UC_MEM_WRITE, UC_MODE_ARM,
                     UC_PROT_EXEC, UC_PROT_NONE, UC_PROT_READ, UC_PROT_WRITE, Uc, UcError)
from unicorn import arm_const as arm

from pe import IMAGE_REL_BASED_HIGHLOW, IMAGE_SCN_MEM_EXECUTE, IMAGE_SCN_MEM_READ, IMAGE_SCN_MEM_WRITE, PEImage

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import ce_target  # noqa: E402

PAGE = 0x1000
STACK_TOP = 0x7F000000
HEAP_BASE = 0x40000000
HEAP_SIZE = 0x04000000  # never reused (see _Heap), so roomy
# One word per import, then the two return addresses the machine itself uses.
STUB_BASE = 0x7F800000
STUB_AREA = 0x00010000
RUN_TIMEOUT_US = 120 * 1000 * 1000

ARG_REGISTERS = (arm.UC_ARM_REG_R0, arm.UC_ARM_REG_R1, arm.UC_ARM_REG_R2, arm.UC_ARM_REG_R3)


class EmulationError(Exception):
    pass


class ProgramEnded(Exception):
    """The program ended (ExitThread) inside a call() that expected a return."""

    def __init__(self, code):
        super().__init__("the program ended with exit code %d" % code)
        self.code = code


class Int64(int):
    """A stub result that fills r0:r1."""


class Callback:
    def __init__(self, address, args):
        self.address = address
        self.args = args


class Args:
    """The arguments of one call, as the caller passed them."""

    def __init__(self, machine):
        self._machine = machine
        uc = machine.uc
        self._registers = [uc.reg_read(r) for r in ARG_REGISTERS]
        self._sp = uc.reg_read(arm.UC_ARM_REG_SP)

    def __getitem__(self, index):
        if index < 4:
            return self._registers[index]
        return self._machine.read_u32(self._sp + 4 * (index - 4))

    def int(self, index):
        value = self[index]
        return value - (1 << 32) if value & 0x80000000 else value

    def uint64(self, index):
        return self[index] | (self[index + 1] << 32)

    def int64(self, index):
        value = self.uint64(index)
        return value - (1 << 64) if value >> 63 else value

    def double(self, index):
        return struct.unpack("<d", struct.pack("<II", self[index], self[index + 1]))[0]

    def wstring(self, index):
        return self._machine.read_wstring(self[index])


class _Frame:
    def __init__(self, generator, return_to, sp):
        self.generator = generator
        self.return_to = return_to
        self.sp = sp


class Machine:
    def __init__(self, path, base=None, stubs=None):
        import coredll

        self.image = PEImage(path)
        self.base = self.image.image_base if base is None else base
        self.stubs = dict(coredll.STUBS)
        self.stubs.update(stubs or {})
        self._stub_table = {k.lower(): v for k, v in self.stubs.items()}
        self.debug_output = []  # what the program wrote with OutputDebugStringW
        self.exit_code = None
        self.heap = _Heap(self)
        self.state = {}  # per-run state of stubs (the generator's seed...)

        uc = Uc(UC_ARCH_ARM, UC_MODE_ARM)
        uc.ctl_set_cpu_model(arm.UC_CPU_ARM_SA1110)
        self.uc = uc
        self._read_only = []  # (start, end) of what the program may not write, once it is loaded
        self._load_image()
        # The stack the program's header reserves, rounded up to whole pages,
        # with nothing mapped below it: a program that needs more faults, as
        # it would on the device.
        self.stack_size = max(_pages(self.image.stack_reserve), PAGE)
        uc.mem_map(STACK_TOP - self.stack_size, self.stack_size, UC_PROT_READ | UC_PROT_WRITE)
        uc.mem_map(HEAP_BASE, HEAP_SIZE, UC_PROT_READ | UC_PROT_WRITE)
        uc.mem_map(STUB_BASE, STUB_AREA, UC_PROT_READ | UC_PROT_EXEC)
        self._bind_imports()
        self._protect_image()
        self._frames = []
        self._error = None
        uc.hook_add(UC_HOOK_CODE, self._on_stub, begin=STUB_BASE, end=STUB_BASE + STUB_AREA - 1)
        # CE 3.0's ARM kernel turns alignment checking on: an unaligned 16- or
        # 32-bit access raises an exception where Unicorn would just do it.
        uc.hook_add(UC_HOOK_MEM_READ | UC_HOOK_MEM_WRITE, self._on_access)

    # -- loading -----------------------------------------------------------
    def _load_image(self):
        image = self.image
        if self.base % PAGE:
            raise EmulationError("%s cannot be loaded at %#x, which is not on a page" % (image.path, self.base))
        self.uc.mem_map(self.base, _pages(image.image_size), UC_PROT_READ | UC_PROT_WRITE)
        self.uc.mem_write(self.base, image.data[:image.headers_size])
        for s in image.sections:
            raw = image.data[s.raw_offset:s.raw_offset + min(s.raw_size, s.virtual_size or s.raw_size)]
            if raw:
                self.uc.mem_write(self.base + s.rva, raw)
        delta = (self.base - image.image_base) & 0xFFFFFFFF
        if delta:
            if not image.relocations:
                raise EmulationError("%s has no relocations: it cannot run at %#x" % (image.path, self.base))
            for rva, kind in image.relocations:
                if kind != IMAGE_REL_BASED_HIGHLOW:
                    raise EmulationError("relocation type %d at RVA %#x is not one this loader applies" % (kind, rva))
                self.write_u32(self.base + rva, (self.read_u32(self.base + rva) + delta) & 0xFFFFFFFF)

    def _protect_image(self):
        """Once the loader has written the image: each section as its header
        asks (code not writable, read-only data read-only), the headers and
        any gap between sections read-only. Writes of stubs keep to it too."""
        image = self.image
        size = _pages(image.image_size)
        self.uc.mem_protect(self.base, size, UC_PROT_READ)
        self._read_only = [(self.base, self.base + size)]
        for s in image.sections:
            start, end = self.base + s.rva, self.base + s.rva + _pages(max(s.virtual_size, s.raw_size))
            if s.rva % PAGE:
                raise EmulationError("section %s of %s does not start on a page" % (s.name, image.path))
            protection = UC_PROT_NONE
            if s.characteristics & IMAGE_SCN_MEM_READ:
                protection |= UC_PROT_READ
            if s.characteristics & IMAGE_SCN_MEM_WRITE:
                protection |= UC_PROT_WRITE
            if s.characteristics & IMAGE_SCN_MEM_EXECUTE:
                protection |= UC_PROT_EXEC
            self.uc.mem_protect(start, end - start, protection)
            if protection & UC_PROT_WRITE:
                self._read_only = [piece for lo, hi in self._read_only
                                   for piece in ((lo, min(hi, start)), (max(lo, end), hi)) if piece[0] < piece[1]]

    def _on_access(self, uc, access, address, size, value, user_data):
        if size > 1 and address & (size - 1):
            self._error = EmulationError("an unaligned %d-bit %s at %#x: a datatype misalignment on the device, at %s\n%s"
                                         % (8 * size, "write" if access == UC_MEM_WRITE else "read", address,
                                            self.nearest_symbol(uc.reg_read(arm.UC_ARM_REG_PC)), self.registers()))
            uc.emu_stop()

    def _bind_imports(self):
        self._imports = list(self.image.imports)
        exported = ce_target.exports()
        missing = [imp.label for imp in self._imports if imp.dll.lower() in exported and not (
            imp.name in exported[imp.dll.lower()]["names"] if imp.name is not None
            else imp.ordinal in exported[imp.dll.lower()]["ordinals"])]
        if missing:
            raise EmulationError("%s imports what its DLLs do not export, so the device refuses to load it: %s"
                                 % (self.image.path, ", ".join(missing)))
        if len(self._imports) + 2 > STUB_AREA // 4:
            raise EmulationError("too many imports")
        for i, imp in enumerate(self._imports):
            self.write_u32(self.base + imp.iat_rva, STUB_BASE + 4 * i)
        self._return_to_host = STUB_BASE + 4 * len(self._imports)
        self._return_to_stub = self._return_to_host + 4

    # -- memory ------------------------------------------------------------
    def read(self, address, size):
        return bytes(self.uc.mem_read(address, size))

    def write(self, address, data):
        end = address + len(data)
        for lo, hi in self._read_only:
            if address < hi and lo < end:
                raise EmulationError("a write of %d bytes at %#x, in the program's read-only memory" % (len(data),
                                                                                                       address))
        self.uc.mem_write(address, bytes(data))

    def read_u32(self, address):
        return struct.unpack("<I", self.read(address, 4))[0]

    def write_u32(self, address, value):
        self.write(address, struct.pack("<I", value & 0xFFFFFFFF))

    def read_wstring(self, address, limit=65536):
        if address == 0:
            return None
        units = []
        while len(units) < limit:
            (unit,) = struct.unpack("<H", self.read(address + 2 * len(units), 2))
            if unit == 0:
                return struct.pack("<%dH" % len(units), *units).decode("utf-16-le", "replace")
            units.append(unit)
        raise EmulationError("unterminated string at %#x" % address)

    def alloc(self, size):
        return self.heap.malloc(size)

    def new_wstring(self, text):
        data = text.encode("utf-16-le") + b"\0\0"
        address = self.heap.malloc(len(data))
        self.write(address, data)
        return address

    # -- symbols -----------------------------------------------------------
    def symbol(self, name):
        if name not in self.image.symbols:
            raise EmulationError("no symbol %s in %s" % (name, self.image.path))
        return self.base + self.image.symbols[name]

    def nearest_symbol(self, address):
        """NAME+OFFSET of the code symbol at or before address."""
        rva = address - self.base
        code = [s for s in self.image.sections if s.is_code and s.rva <= rva < s.rva + s.virtual_size]
        best = None
        if code:
            for name, at in self.image.symbols.items():
                if name.startswith("."):
                    continue  # a section's own symbol
                if code[0].rva <= at <= rva and (best is None or at > best[1]):
                    best = (name, at)
        return "%s+%#x" % (best[0], rva - best[1]) if best else "%#x" % address

    # -- running -----------------------------------------------------------
    def callback(self, target, *args):
        """For a generator stub: `result = yield machine.callback(address, ...)`."""
        return Callback(target, args)

    def call(self, target, *args):
        """Runs one function of the program and returns r0 (see call64, call_double)."""
        self._run(target, args)
        return self.uc.reg_read(arm.UC_ARM_REG_R0)

    def call64(self, target, *args):
        self._run(target, args)
        return self.uc.reg_read(arm.UC_ARM_REG_R0) | (self.uc.reg_read(arm.UC_ARM_REG_R1) << 32)

    def call_double(self, target, *args):
        value = self.call64(target, *args)
        return struct.unpack("<d", struct.pack("<Q", value))[0]

    def run_entry(self, show=1, command_line=""):
        """Runs the program from its entry point, as Windows CE starts it;
        returns its exit code."""
        try:
            self._run(self.base + self.image.entry_rva,
                      (self.base, 0, self.new_wstring(command_line), show))
        except ProgramEnded as ended:
            return ended.code
        return self.uc.reg_read(arm.UC_ARM_REG_R0)

    def _run(self, target, args):
        address = self.symbol(target) if isinstance(target, str) else target
        uc = self.uc
        self._frames = []
        self._error = None
        self.exit_code = None
        uc.reg_write(arm.UC_ARM_REG_SP, STACK_TOP - 64)
        self._enter(address, args, self._return_to_host)
        try:
            uc.emu_start(address, self._return_to_host, timeout=RUN_TIMEOUT_US)
        except UcError as error:
            raise EmulationError("%s at %s (%#x)\n%s" % (error, self.nearest_symbol(uc.reg_read(arm.UC_ARM_REG_PC)),
                                                      uc.reg_read(arm.UC_ARM_REG_PC), self.registers())) from None
        if self._error:
            raise self._error
        if self.exit_code is not None:
            raise ProgramEnded(self.exit_code)
        pc = uc.reg_read(arm.UC_ARM_REG_PC)
        if pc != self._return_to_host:
            raise EmulationError("the run stopped at %s without returning (time limit?)\n%s"
                                 % (self.nearest_symbol(pc), self.registers()))

    def _enter(self, address, args, return_to):
        """Sets up a call: r0-r3, further words on the stack, the return address."""
        uc = self.uc
        words = [a & 0xFFFFFFFF for a in args]
        sp = uc.reg_read(arm.UC_ARM_REG_SP)
        extra = words[4:]
        if extra:
            sp = (sp - 4 * len(extra)) & ~7
            for i, w in enumerate(extra):
                self.write_u32(sp + 4 * i, w)
            uc.reg_write(arm.UC_ARM_REG_SP, sp)
        for register, word in zip(ARG_REGISTERS, words):
            uc.reg_write(register, word)
        uc.reg_write(arm.UC_ARM_REG_LR, return_to)
        uc.reg_write(arm.UC_ARM_REG_PC, address)

    def end_program(self, code):
        """For stubs that end the program (ExitThread)."""
        self.exit_code = code
        self.uc.emu_stop()

    def registers(self):
        uc = self.uc
        names = ["r%d" % i for i in range(13)] + ["sp", "lr", "pc"]
        values = [uc.reg_read(getattr(arm, "UC_ARM_REG_" + n.upper())) for n in names]
        return " ".join("%s=%08x" % nv for nv in zip(names, values))

    # -- stubs -------------------------------------------------------------
    def _on_stub(self, uc, address, size, user_data):
        try:
            if address == self._return_to_stub:
                frame = self._frames.pop()
                result = uc.reg_read(arm.UC_ARM_REG_R0)
                uc.reg_write(arm.UC_ARM_REG_SP, frame.sp)
                self._resume(frame.generator, frame.return_to, result)
                return
            index = (address - STUB_BASE) // 4
            if index >= len(self._imports):
                return  # the host's return address: emu_start stops here
            imp = self._imports[index]
            stub = self._find_stub(imp)
            return_to = uc.reg_read(arm.UC_ARM_REG_LR)
            result = stub(self, Args(self))
            if self.exit_code is not None:
                return
            if inspect.isgenerator(result):
                self._resume(result, return_to, None)
            else:
                self._return(result, return_to)
        except Exception as error:  # reported after emu_start returns
            if not isinstance(error, EmulationError):
                error = EmulationError("%s: %s in a stub, called from %s" % (
                    type(error).__name__, error, self.nearest_symbol(uc.reg_read(arm.UC_ARM_REG_LR))))
            self._error = error
            uc.emu_stop()

    def _find_stub(self, imp):
        name = imp.name if imp.name is not None else "#%d" % imp.ordinal
        stub = self._stub_table.get(("%s!%s" % (imp.dll, name)).lower()) or self._stub_table.get(name.lower())
        if stub is None:
            raise EmulationError("the program called %s, which has no stub (from %s)" % (
                imp.label, self.nearest_symbol(self.uc.reg_read(arm.UC_ARM_REG_LR))))
        return stub

    def _resume(self, generator, return_to, value):
        try:
            request = generator.send(value)
        except StopIteration as finished:
            self._return(finished.value, return_to)
            return
        if not isinstance(request, Callback):
            raise EmulationError("a stub yielded %r; it may only yield machine.callback(...)" % (request,))
        self._frames.append(_Frame(generator, return_to, self.uc.reg_read(arm.UC_ARM_REG_SP)))
        self._enter(request.address, request.args, self._return_to_stub)

    def _return(self, result, return_to):
        uc = self.uc
        if self.exit_code is not None:
            return  # the program ended inside this stub: nothing runs after it
        if isinstance(result, bool):
            result = int(result)
        if isinstance(result, float):
            low, high = struct.unpack("<II", struct.pack("<d", result))
            uc.reg_write(arm.UC_ARM_REG_R0, low)
            uc.reg_write(arm.UC_ARM_REG_R1, high)
        elif isinstance(result, Int64):
            uc.reg_write(arm.UC_ARM_REG_R0, result & 0xFFFFFFFF)
            uc.reg_write(arm.UC_ARM_REG_R1, (result >> 32) & 0xFFFFFFFF)
        elif result is not None:
            uc.reg_write(arm.UC_ARM_REG_R0, result & 0xFFFFFFFF)
        uc.reg_write(arm.UC_ARM_REG_PC, return_to)


def _pages(size):
    return (size + PAGE - 1) & ~(PAGE - 1)


class _Heap:
    """COREDLL's heap for the program: allocations never move or get reused,
    and freed blocks are filled with 0xDD, so a use after free reads junk."""

    def __init__(self, machine):
        self._machine = machine
        self._next = HEAP_BASE + 16
        self.blocks = {}

    def malloc(self, size):
        size = max(size, 1)
        address = (self._next + 7) & ~7
        if address + size > HEAP_BASE + HEAP_SIZE:
            return 0
        self._next = address + size + 16  # a gap between blocks
        self.blocks[address] = size
        return address

    def free(self, address):
        if address == 0:
            return
        size = self.blocks.pop(address, None)
        if size is None:
            raise EmulationError("free(%#x): not a block malloc gave" % address)
        self._machine.write(address, b"\xdd" * size)

    def realloc(self, address, size):
        if address == 0:
            return self.malloc(size)
        old = self.blocks.get(address)
        if old is None:
            raise EmulationError("realloc(%#x): not a block malloc gave" % address)
        new = self.malloc(size)
        if new:
            self._machine.write(new, self._machine.read(address, min(old, size)))
            self.free(address)
        return new
