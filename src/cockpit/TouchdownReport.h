// The report of the last touch-down on the main window while the real flight model flies: how
// fast it sank, its bank and nose, where on the runway, and for a crash its reason.
#pragma once

#include <string>
#include <vector>

// The report's lines: the outcome first, then the figures and the place; none while there is
// nothing to report (no touch-down since the aircraft last left the ground or the start).
std::vector<std::string> touchdown_report();
// Draws the report's lines centred below the middle of the main window.
void draw_touchdown_report();
