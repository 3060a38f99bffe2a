// How the C library's heap treats memory freed between frames.
#pragma once

// Every frame the renderer allocates its working memory, several megabytes,
// and frees it when the frame is drawn. Left to itself, the C library hands
// the freed top of the heap back to the kernel now and then, and the next
// frame faults every page in again: a stall of milliseconds at random frames.
// This keeps freed pages in the heap for reuse instead. Call it before the
// first allocation that matters, first thing at start-up.
void keepFreedHeapPages();
