#include "shell/KeyTable.h"

#include <cstring>

#include "platform/GL.h"

const SpecialKey recorded_specials[recorded_special_count] = {
    {GLUT_KEY_F3, "F3"},       {GLUT_KEY_F4, "F4"},           {GLUT_KEY_LEFT, "Left"},
    {GLUT_KEY_UP, "Up"},       {GLUT_KEY_RIGHT, "Right"},     {GLUT_KEY_DOWN, "Down"},
    {GLUT_KEY_PAGE_UP, "PageUp"}, {GLUT_KEY_PAGE_DOWN, "PageDown"}, {GLUT_KEY_END, "End"},
    {GLUT_KEY_HOME, "Home"},   {GLUT_KEY_INSERT, "Insert"},
};

namespace {

const char* const flight_keys = "+-gGrRmM";
const char* const view_keys = "tT123456789sScCaAzZ";

}  // namespace

bool is_flight_key(unsigned char key) { return key != 0 && std::strchr(flight_keys, key); }

bool is_recorded_key(unsigned char key)
{
    return is_flight_key(key) || (key != 0 && std::strchr(view_keys, key));
}

bool is_recorded_special(int key)
{
    for (const SpecialKey& s : recorded_specials)
        if (s.code == key) return true;
    return false;
}
