// Start and end of a Windows CE program: the loader calls the entry point
// with WinMain's own arguments. The static constructors run first, the
// destructors registered while the program ran last, and the exit code goes
// to ExitThread, which ends the program when called by its primary thread.

#include "coredll.h"

using HINSTANCE = struct HINSTANCE__*;

extern "C" int WinMain(HINSTANCE instance, HINSTANCE previous, wchar_t* commandLine, int showCommand);

// ld's PE script lays out .ctors as -1, the constructors, 0.
using Constructor = void (*)();
extern "C" Constructor __CTOR_LIST__[];

namespace {

struct ExitHandler {
    void (*function)(void*);
    void* argument;
    ExitHandler* next;
};

ExitHandler* g_exitHandlers = nullptr;

void RunConstructors()
{
    Constructor* last = __CTOR_LIST__ + 1;
    while (*last)
        ++last;
    // The traditional order: the last entry first, so that .ctors.NNNNN
    // priorities, sorted by name, run from the highest number down.
    while (--last > __CTOR_LIST__)
        (*last)();
}

void RunExitHandlers()
{
    while (ExitHandler* handler = g_exitHandlers) {
        g_exitHandlers = handler->next;
        handler->function(handler->argument);
        free(handler);
    }
}

}  // namespace

extern "C" {

// One module: the handle only tells the registrations apart in a DLL.
void* __dso_handle = nullptr;

// Registers the destructor of a static object, run in reverse order at exit.
int __cxa_atexit(void (*function)(void*), void* argument, void*)
{
    auto* handler = static_cast<ExitHandler*>(malloc(sizeof(ExitHandler)));
    if (!handler)
        return -1;
    *handler = ExitHandler{function, argument, g_exitHandlers};
    g_exitHandlers = handler;
    return 0;
}

[[noreturn]] void CeRuntimeFatal(void)
{
    ExitThread(CE_RUNTIME_FATAL_EXIT);
    for (;;) {
    }
}

void __cxa_pure_virtual() { CeRuntimeFatal(); }

[[noreturn]] void abort(void) { CeRuntimeFatal(); }

void WinMainCRTStartup(HINSTANCE instance, HINSTANCE previous, wchar_t* commandLine, int showCommand)
{
    RunConstructors();
    const int result = WinMain(instance, previous, commandLine, showCommand);
    RunExitHandlers();
    ExitThread(static_cast<unsigned long>(result));
}

}  // extern "C"
