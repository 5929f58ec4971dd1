#include "platform/HeapPolicy.h"

#include <malloc.h>

void shareOneHeapAcrossThreads()
{
    // glibc gives each thread that allocates while another holds the heap an
    // arena of its own, and memory freed into an arena is reused only by that
    // arena. The image decoders allocate each decoded image in their arenas,
    // the main thread frees it after the upload, and the textures it makes
    // come from the main arena: the decoders' arenas kept their high-water mark
    // (the images waiting for upload and the decoders' scratch) resident for
    // the rest of the run, about 7 MiB. With one arena the textures reuse the
    // freed images directly. The threads are few and allocate little per
    // image, so sharing the lock costs nothing measurable.
    mallopt(M_ARENA_MAX, 1);
}

void returnFreeHeapPages()
{
    malloc_trim(0);
}
