#include "platform/Memory.h"

#include <malloc.h>

namespace {

const int64_t seconds_between_returns = 5;
int64_t last_return = 0;

}  // namespace

void return_freed_memory(int64_t now, int64_t frequency)
{
    if (frequency <= 0 || now - last_return < seconds_between_returns * frequency) return;
    last_return = now;
    malloc_trim(0);
}
