#include "cockpit/Options.h"

#include "platform/GL.h"

static void (*simulation_idle)() = nullptr;

static void options_idle()
{
    if (simulation_idle) simulation_idle();
}

void init_glui() {}

void options_set_idle_func(void (*idle_fn)())
{
    simulation_idle = idle_fn;
    glutIdleFunc(options_idle);
}
