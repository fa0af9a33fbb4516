#pragma once
// Counts every allocation through the global operator new of this program,
// so a benchmark can show that an operation allocates nothing.
long AllocationCount();
