#include "cockpit/Options.h"

#include <cstdlib>
#include <optional>

#include "aircraft/FlightState.h"
#include "cockpit/ControlWindow.h"
#include "core/Settings.h"
#include "platform/GL.h"

namespace {

void (*simulation_idle)() = nullptr;
std::optional<ControlWindow> options;  // built once, kept to the end of the process

void options_idle()
{
    if (options) options->serve();
    if (simulation_idle) simulation_idle();
}

void reset_model(int) { init_Model(); }

}  // namespace

void init_glui(void (*keys)(unsigned char, int, int), void (*special)(int, int, int))
{
    if (options) return;
    options.emplace("Options Box", 192, 610);
    options->add_statictext("Kestrix Options Box");
    options->add_separator();
    const int rendering = options->add_panel("Rendering Options:");
    options->add_checkbox_to_panel(rendering, "Plane ON/OFF:", &plane_enable);
    options->add_checkbox_to_panel(rendering, "Wireframe:", &wire_frame);
    options->add_checkbox_to_panel(rendering, "Texture Mapping:", &texture1_);
    options->add_checkbox_to_panel(rendering, "Light Map:", &texture2_);
    options->add_checkbox_to_panel(rendering, "Fog:", &fog_enable);
    options->add_checkbox_to_panel(rendering, "Lighting:", &lighting_enable);
    options->add_checkbox_to_panel(rendering, "Culling:", &culling_enable);
    options->add_column();
    const int viewing = options->add_panel("Viewing Options:");
    options->add_checkbox_to_panel(viewing, "Tower View / Chase View:", &tower_view);
    options->add_checkbox_to_panel(viewing, "On Screen Display ON/OFF:", &ui_enable);
    options->add_button("RESET", 0, reset_model);
    options->add_button("EXIT", 0, std::exit);
    options->set_main_gfx_window(window_main);
    options->forward_keys(keys, special);
}

ControlWindow* options_window() { return options ? &*options : nullptr; }

void options_set_idle_func(void (*idle_fn)())
{
    simulation_idle = idle_fn;
    glutIdleFunc(options_idle);
}
