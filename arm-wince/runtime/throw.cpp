// What the standard library calls where it would throw: with exceptions off,
// each of these ends the program.

#include <bits/functexcept.h>

#include "coredll.h"

namespace std {

void __throw_bad_exception() { CeRuntimeFatal(); }
void __throw_bad_alloc() { CeRuntimeFatal(); }
void __throw_bad_array_new_length() { CeRuntimeFatal(); }
void __throw_bad_cast() { CeRuntimeFatal(); }
void __throw_bad_typeid() { CeRuntimeFatal(); }
void __throw_logic_error(const char*) { CeRuntimeFatal(); }
void __throw_domain_error(const char*) { CeRuntimeFatal(); }
void __throw_invalid_argument(const char*) { CeRuntimeFatal(); }
void __throw_length_error(const char*) { CeRuntimeFatal(); }
void __throw_out_of_range(const char*) { CeRuntimeFatal(); }
void __throw_out_of_range_fmt(const char*, ...) { CeRuntimeFatal(); }
void __throw_runtime_error(const char*) { CeRuntimeFatal(); }
void __throw_range_error(const char*) { CeRuntimeFatal(); }
void __throw_overflow_error(const char*) { CeRuntimeFatal(); }
void __throw_underflow_error(const char*) { CeRuntimeFatal(); }
void __throw_bad_function_call() { CeRuntimeFatal(); }

}  // namespace std
