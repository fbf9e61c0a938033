#include "core/Switches.h"

#include <cstring>

#include "core/Settings.h"

const Switch switches[switch_count] = {
    {&plane_enable, "plane", "plane", "Plane ON/OFF:", RenderingPanel, 0, 1, false,
     "The options window: 1 on, 0 off"},
    {&wire_frame, "wireframe", "wireframe", "Wireframe:", RenderingPanel, 0, 1, false, nullptr},
    {&texture1_, "texture", "texture", "Texture Mapping:", RenderingPanel, 0, 1, false, nullptr},
    {&texture2_, "lightmap", "lightmap", "Light Map:", RenderingPanel, 0, 1, false, nullptr},
    {&fog_enable, "fog", "fog", "Fog:", RenderingPanel, 0, 1, false, nullptr},
    {&lighting_enable, "lighting", "lighting", "Lighting:", RenderingPanel, 0, 1, false, nullptr},
    {&culling_enable, "culling", "culling", "Culling:", RenderingPanel, 0, 1, false, nullptr},
    {&tower_view, "tower_view", "tower", "Tower View / Chase View:", ViewingPanel, 0, 1, false,
     nullptr},
    {&ui_enable, "overlay", "overlay", "On Screen Display ON/OFF:", ViewingPanel, 0, 1, false,
     nullptr},
    {&real_flight, "real_flight", "flight", "Real flight:", ViewingPanel, 0, 1, true, nullptr},
    {&sound_mute, "mute", nullptr, "Mute:", SoundPanel, 0, 1, false,
     "Sound: mute 1 silences it; volume 0 to 100 per cent"},
    {&sound_volume, "volume", nullptr, "Volume:", SoundPanel, 0, 100, false, nullptr},
    {&figures_enable, "figures", nullptr, "Figures:", ViewingPanel, 0, 1, false,
     "Flight figures on the main window (I)"},
    {&level, "level", "level", nullptr, NotShown, 0, 3, false,
     "Terrain level of detail, 0 (coarsest) to 3 (finest)"},
    {&full_screen, "fullscreen", nullptr, nullptr, NotShown, 0, 1, false,
     "Full screen (F1) or the window (F2)"},
};

SwitchValues current_switches()
{
    SwitchValues values;
    for (int i = 0; i < switch_count; ++i) values[size_t(i)] = *switches[i].value;
    return values;
}

void set_switches(const SwitchValues& values)
{
    for (int i = 0; i < switch_count; ++i) *switches[i].value = values[size_t(i)];
}

int switch_of(const int* value)
{
    for (int i = 0; i < switch_count; ++i)
        if (switches[i].value == value) return i;
    return -1;
}

bool is_recorded_flag(int row)
{
    return switches[row].recorded && switches[row].value != &level &&
           switches[row].value != &real_flight;
}

int recorded_flag(const char* name)
{
    for (int i = 0; i < switch_count; ++i)
        if (is_recorded_flag(i) && std::strcmp(switches[i].recorded, name) == 0) return i;
    return -1;
}
