// Heap probe for bench/soak.sh, loaded with LD_PRELOAD: with KESTRIX_HEAP_LOG set, a thread of
// its own appends to that file once a second the bytes malloc has handed out and not got back.
// Set beside the resident size, it tells a growth of the program's own data (malloc's heap) from
// one of the GL driver's (llvmpipe's compiled shaders live in mmapped pages outside malloc).
// It never writes to stderr: the soak counts any line there as a failure.
#define _GNU_SOURCE
#include <fcntl.h>
#include <malloc.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

// Defined by AddressSanitizer's runtime when it is loaded, null otherwise. Under ASan, malloc is
// ASan's own and mallinfo2 does not see it, so ASan's count is taken instead.
extern size_t __sanitizer_get_current_allocated_bytes(void) __attribute__((weak));

static char heap_log[4096];

static void* sample_heap(void* unused) {
  (void)unused;
  for (;;) {
    size_t bytes;
    if (__sanitizer_get_current_allocated_bytes) {
      bytes = __sanitizer_get_current_allocated_bytes();
    } else {  // chunks in use in every arena plus the large blocks malloc mmapped on its own
      struct mallinfo2 info = mallinfo2();
      bytes = info.uordblks + info.hblkhd;
    }
    // One short write with O_APPEND per line, so a reader never sees half a line. Failures
    // are ignored: it is only a probe.
    char line[32];
    int length = snprintf(line, sizeof line, "%zu\n", bytes);
    int fd = open(heap_log, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd >= 0) {
      if (write(fd, line, (size_t)length) < 0) { /* ignored */ }
      close(fd);
    }
    sleep(1);
  }
  return NULL;
}

// The path is kept and taken out of the environment, so that only this process writes to the
// file and not the processes it starts (they inherit LD_PRELOAD).
__attribute__((constructor)) static void start_heap_probe(void) {
  const char* path = getenv("KESTRIX_HEAP_LOG");
  if (!path || !*path || strlen(path) >= sizeof heap_log) return;
  strcpy(heap_log, path);
  unsetenv("KESTRIX_HEAP_LOG");
  pthread_t thread;
  if (pthread_create(&thread, NULL, sample_heap, NULL) == 0) pthread_detach(thread);
}
