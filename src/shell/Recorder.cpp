#include "shell/Recorder.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "aircraft/FlightModel.h"
#include "aircraft/FlightState.h"
#include "aircraft/WorldState.h"
#include "cockpit/Figures.h"
#include "core/Settings.h"
#include "core/StepClock.h"
#include "core/Switches.h"
#include "core/Timer.h"

namespace {

// The recording under way. Lines go to the file whole and at once, with no buffer between, so
// that it ends on a whole line however the program stops, and a signal can close it at once.
int out = -1;
std::string out_path;
off_t out_length = 0;           // bytes written, all of them whole lines
int64_t last_step_written = 0;  // the highest step a line names
int64_t last_look = 0;          // clock reading when the file was last seen to be still there

// The signals that end the program: with a recording open, they close it first.
const int ending_signals[] = {SIGINT, SIGTERM, SIGHUP};

// The steps a recording stopped now holds: every step taken, and the next one where inputs
// were given for it (while paused, or just before the end).
int64_t recorded_steps() { return std::max(step_count, last_step_written); }

// Writes all of `size` bytes: 0, or the error that stopped it (a disk that takes nothing more
// is full). Safe in a signal handler.
int write_all(int fd, const char* bytes, size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, bytes, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : ENOSPC;
        bytes += n, size -= size_t(n);
    }
    return 0;
}

// Cuts the file back to its whole lines after a write that failed part-way; a pipe or a device
// cannot be cut. Safe in a signal handler.
void cut_to_whole_lines()
{
    if (ftruncate(out, out_length) != 0) return;
}

// Writes the end line and closes the file, with neither the heap nor stdio, as a signal handler
// may: 0, or the error of the write or the close. A file whose end line was not written whole
// is cut back to its last whole line.
int end_recording()
{
    char line[end_line_size];
    int error = write_all(out, line, end_line(recorded_steps(), line));
    if (error != 0) cut_to_whole_lines();
    if (close(out) != 0 && error == 0) error = errno;
    out = -1;
    return error;
}

void on_signal(int signal)
{
    if (out >= 0) end_recording();
    std::signal(signal, SIG_DFL);
    std::raise(signal);  // as the signal's own action would, once this handler returns
}

// While it lives, the ending signals wait, so that their handler never finds a line half written.
struct SignalsHeld {
    sigset_t before;
    SignalsHeld()
    {
        sigset_t held;
        sigemptyset(&held);
        for (int signal : ending_signals) sigaddset(&held, signal);
        pthread_sigmask(SIG_BLOCK, &held, &before);
    }
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &before, nullptr); }
};

// Writes whole lines that name steps up to `step`: 0, or the error, the file then cut back to
// its last whole line.
int write_lines(const std::string& text, int64_t step)
{
    SignalsHeld held;
    const int error = write_all(out, text.data(), text.size());
    if (error == 0) {
        out_length += off_t(text.size());
        last_step_written = std::max(last_step_written, step);
    } else {
        cut_to_whole_lines();
    }
    return error;
}

// Ends the recording after a failure, saying so once, on stderr and on the main window; the
// flight goes on.
void stop_recording(const std::string& why)
{
    {
        SignalsHeld held;
        close(out);
        out = -1;
    }
    end_console_line();
    const long long step = static_cast<long long>(recorded_steps());
    std::fprintf(stderr, "kestrix: %s: the recording stops at step %lld: %s\n", out_path.c_str(),
                 step, why.c_str());
    note_message("Recording stopped at step " + std::to_string(step) + ": " + why);
}

Recording replay;
std::string replay_name;
bool replay_on = false;
bool end_announced = true;  // "End of the recording" said when it ends
size_t next_input = 0, next_check = 0;
float height_before_step = 0;

}  // namespace

bool start_recording(const std::string& path, std::string& error)
{
    close_recording();
    // Not blocking: a FIFO that no program reads would hold up the start. Once open, writes
    // wait for a slow reader as they would for a disk.
    out = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0666);
    if (out < 0) {
        const char* why = errno == ENXIO ? "a FIFO that no program reads" : std::strerror(errno);
        error = path + ": " + why;
        return false;
    }
    fcntl(out, F_SETFL, fcntl(out, F_GETFL) & ~O_NONBLOCK);
    out_path = path, out_length = 0, last_step_written = 0;
    struct sigaction action = {};
    action.sa_handler = on_signal;
    for (int signal : ending_signals) sigaddset(&action.sa_mask, signal);
    for (int signal : ending_signals) sigaction(signal, &action, nullptr);
    // A reader of a pipe that goes away makes a write fail, which is said, and not a silent end.
    std::signal(SIGPIPE, SIG_IGN);
    const std::string header = header_text(KESTRIX_VERSION, current_switches());
    if (const int failed = write_lines(header, 0)) {
        error = path + ": " + std::strerror(failed);
        close(out);
        out = -1;
        return false;
    }
    static const bool closed_at_exit = std::atexit(close_recording) == 0;
    (void)closed_at_exit;
    return true;
}

void start_replay(Recording recording, const std::string& name, bool announce_end)
{
    replay = std::move(recording);
    replay_name = name;
    replay_on = replay.steps > 0;
    end_announced = announce_end;
    next_input = next_check = 0;
    // The aircraft is put at the start after this, for the flight model set here.
    for (int i = 0; i < switch_count; ++i)
        if (switches[i].recorded && replay.switches[size_t(i)] != not_named)
            *switches[i].value = replay.switches[size_t(i)];
}

bool replaying() { return replay_on; }

void record_input(const Input& input, int64_t step)
{
    if (out < 0) return;
    if (const int error = write_lines(input_line(step, input), step))
        stop_recording(std::strerror(error));
}

void begin_step() { height_before_step = world_y; }

bool next_replayed(Input& input)
{
    if (!replay_on || next_input == replay.inputs.size()) return false;
    const RecordedInput& recorded = replay.inputs[next_input];
    if (recorded.step > step_count) return false;
    ++next_input;
    input = recorded.input;
    record_input(input, step_count);
    return true;
}

void end_step()
{
    if (out >= 0 && step_count % state_line_steps == 0) {
        const StateFigures figures = {world_x,     world_y,   world_z,
                                      head_yaw,    head_pitch, head_roll,
                                      air_speed(), (world_y - height_before_step) / step_time,
                                      throttle,    angle_flap, gear_position(),
                                      explo_enable != 0};
        if (const int error = write_lines(state_line(step_count, figures, world_checksum()),
                                          step_count))
            stop_recording(std::strerror(error));
    }
    if (!replay_on) return;
    for (; next_check < replay.checks.size(); ++next_check) {
        const StateCheck& check = replay.checks[next_check];
        if (check.step > step_count) break;
        if (check.checksum == world_checksum()) continue;
        std::fprintf(stderr, "kestrix: %s: step %lld: the world differs from the recording\n",
                     replay_name.c_str(), static_cast<long long>(step_count));
        note_message("Replay differs from the recording at step " + std::to_string(step_count));
    }
    if (step_count >= replay.steps) {
        replay_on = false;
        if (end_announced) {
            end_console_line();
            std::printf("  End of the recording at step %lld: you have the controls\n",
                        static_cast<long long>(step_count));
            note_message("End of the recording: you have the controls");
        }
    }
}

void end_pass(int64_t now, int64_t frequency)
{
    if (out < 0 || now - last_look < frequency) return;
    last_look = now;
    struct stat status;
    if (fstat(out, &status) == 0 && S_ISREG(status.st_mode) && status.st_nlink == 0)
        stop_recording("the file was removed");
}

void close_recording()
{
    if (out < 0) return;
    int error = 0;
    {
        SignalsHeld held;
        error = end_recording();
    }
    if (error == 0) return;
    end_console_line();
    std::fprintf(stderr, "kestrix: %s: the recording's end was not written: %s\n",
                 out_path.c_str(), std::strerror(error));
}
