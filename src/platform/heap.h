// How the process's heap is laid out for large imports.
#pragma once

namespace platform {

// Called first thing in main: one heap for every thread, grown in large steps and backed by
// huge pages where the system allows them, so that a large import does not take a page fault
// for every 4 kB it fills. Harmless where huge pages are off.
void PrepareHeap();

}  // namespace platform
