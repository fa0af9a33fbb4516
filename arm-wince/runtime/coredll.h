#pragma once
// The few COREDLL.dll functions the runtime itself calls, declared from their
// public Windows CE documentation. The program's own declarations live in
// arm-wince/include; these stay private to the runtime.

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

void* malloc(size_t size);
void free(void* block);
// Called by the primary thread, ends the program (with its exit code).
void ExitThread(unsigned long exitCode);

#ifdef __cplusplus
}
#endif

// The exit code of a program that the runtime ends: an allocation failed, a
// standard container was asked for the impossible, a pure virtual function ran.
#define CE_RUNTIME_FATAL_EXIT 3

// Ends the program with CE_RUNTIME_FATAL_EXIT.
#ifdef __cplusplus
extern "C"
#endif
    __attribute__((noreturn)) void CeRuntimeFatal(void);
