// The instrument overlay drawn over the scene.
#pragma once

// Compiles the overlay's display lists.
void init_ui();
// Draws the panel, the gauges and their labels.
void draw_ui();
