#pragma once

// How the process's heap holds on to freed memory. Start-up frees a lot that
// it allocated on other threads (decoded images, imported models); these two
// calls keep that from adding to the peak resident memory.

// One heap (glibc arena) for every thread. Call at the start of main, before
// any thread starts.
void shareOneHeapAcrossThreads();

// Hands the heap's free pages back to the system. Worth a call after a step
// that freed much and before steps whose blocks would not fit the holes.
void returnFreeHeapPages();
