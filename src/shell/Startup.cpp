#include "shell/Startup.h"

#include <utility>

#include "shell/Recorder.h"
#include "shell/SettingsFile.h"
#include "shell/Timedemo.h"

bool start_run(const CommandLine& line, std::string& error)
{
    load_settings(line);
    apply_command_line(line);
    if (!line.replay.empty()) {
        const std::string path = recording_path(line.replay);
        Recording recording;
        if (!read_recording(path, recording, error)) return false;
        if (line.timedemo)
            start_timedemo(std::move(recording), path);
        else
            start_replay(std::move(recording), path);
        set_switches_for_run(line, false);  // the recording's flight model holds
    }
    return line.record.empty() || start_recording(line.record, error);
}
