#include "platform/Message.h"

#include <SDL.h>
#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>

void (*show_message)(const char* text) = message_box;

namespace {

pid_t program = 0;  // this process, the parent of the processes it forks

// SDL shows its message box from a child process. Run in every child right after the fork, this
// has the child killed when the program ends, so that a box never outlives a program that a
// signal ended while the box waited.
void end_with_program()
{
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != program) _exit(1);  // the program ended before the line above
}

}  // namespace

void message_box(const char* text)
{
    if (program == 0 && pthread_atfork(nullptr, nullptr, end_with_program) == 0) program = getpid();
    const size_t length = std::strlen(text);
    std::fputs(text, stderr);
    if (length == 0 || text[length - 1] != '\n') std::fputc('\n', stderr);
    // Blocks until the user closes the box, as a modal box does; fails at once without a display.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Error", text, nullptr);
}
