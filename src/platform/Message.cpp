#include "platform/Message.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

void (*show_message)(const char* text) = message_box;

void message_box(const char* text)
{
    const size_t length = std::strlen(text);
    std::fputs(text, stderr);
    if (length == 0 || text[length - 1] != '\n') std::fputc('\n', stderr);
    // Blocks until the user closes the box, as a modal box does; fails at once without a display.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error", text, nullptr);
}
