// Error messages for the user.
#pragma once

// Shows `text` to the user: the same line on stderr and in a message box captioned "Error"
// (stderr alone where no display answers). A pointer, so tests can capture the messages.
extern void (*show_message)(const char* text);
void message_box(const char* text);
