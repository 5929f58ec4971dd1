#include "core/HeapPolicy.h"

#include <malloc.h>

void shareOneHeapAcrossThreads()
{
    // glibc gives each new thread an arena of its own (up to eight per core),
    // and a block freed from any thread goes back to the arena it came from.
    // The image decoders allocate each decoded image in their arenas, the
    // main thread frees it after the upload, and the texture it becomes comes
    // from the main arena: the decoders' arenas kept the images waiting for
    // upload resident to the end, while the textures grew beside them (6 to
    // 8 MiB more peak memory after start-up). With one arena the textures
    // reuse the freed images. No start-up or frame time was lost: the threads
    // are few and allocate little per image. (A fixed mmap threshold saved as
    // much, but its fresh pages cost about 50 ms of CPU per start-up.)
    mallopt(M_ARENA_MAX, 1);
}

void returnFreeHeapPages()
{
    malloc_trim(0);
}
