#include "core/Switches.h"

#include <cstddef>

#include "core/Settings.h"

const Switch switches[switch_count] = {
    {&plane_enable, "plane", "plane", "Plane ON/OFF:", RenderingPanel, 0, 1,
     "The options window: 1 on, 0 off"},
    {&wire_frame, "wireframe", "wireframe", "Wireframe:", RenderingPanel, 0, 1},
    {&texture1_, "texture", "texture", "Texture Mapping:", RenderingPanel, 0, 1},
    {&texture2_, "lightmap", "lightmap", "Light Map:", RenderingPanel, 0, 1},
    {&fog_enable, "fog", "fog", "Fog:", RenderingPanel, 0, 1},
    {&lighting_enable, "lighting", "lighting", "Lighting:", RenderingPanel, 0, 1},
    {&culling_enable, "culling", "culling", "Culling:", RenderingPanel, 0, 1},
    {&detail_by_distance, "detail_by_distance", nullptr, "Terrain LOD:", RenderingPanel, 0,
     1, "Terrain detail by distance: far terrain from coarser meshes, which draws faster (D)"},
    {&tower_view, "tower_view", "tower", "Tower View / Chase View:", ViewingPanel, 0, 1},
    {&ui_enable, "overlay", "overlay", "On Screen Display ON/OFF:", ViewingPanel, 0, 1},
    {&real_flight, "real_flight", "flight", "Real flight:", ViewingPanel, 0, 1, nullptr, true, 'm'},
    {&sound_mute, "mute", nullptr, "Mute:", SoundPanel, 0, 1,
     "Sound: mute 1 silences it; volume 0 to 100 per cent"},
    {&sound_volume, "volume", nullptr, "Volume:", SoundPanel, 0, 100},
    {&figures_enable, "figures", nullptr, "Figures:", ViewingPanel, 0, 1,
     "Flight figures on the main window (I)"},
    {&level, "level", "level", nullptr, NotShown, 0, 3,
     "Terrain level of detail, 0 (coarsest) to 3 (finest)"},
    {&full_screen, "fullscreen", nullptr, nullptr, NotShown, 0, 1,
     "Full screen (F1) or the window (F2)"},
    {&instruments_enable, "instruments", nullptr, nullptr, NotShown, 0, 1,
     "The real flight model's instruments on the main window (U)"},
    {&mouse_stick, "mouse_stick", nullptr, nullptr, NotShown, 0, 1,
     "The mouse as the control stick (J)"},
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
