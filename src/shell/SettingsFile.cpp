#include "shell/SettingsFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "core/Settings.h"
#include "platform/ReadFile.h"
#include "platform/UserDirs.h"
#include "shell/CommandLine.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t longest_line = 200;   // longer lines are refused whole
constexpr size_t longest_file = 65536; // a longer file is not ours: not read
constexpr size_t shown_messages = 10;  // bad lines beyond these are only counted

// Untrusted text as a message may show it: printable ASCII, at most 40 characters.
std::string shown(const std::string& text)
{
    std::string out = text.substr(0, 40);
    for (char& c : out)
        if (c < 32 || c > 126) c = '?';
    return text.size() > 40 ? out + "..." : out;
}

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// What is wrong with one line ("" if nothing), taking its entry into `values`. `in_section`
// follows the section headers: entries under a section other than [kestrix] are skipped.
std::string take_line(std::string line, bool& in_section, SwitchValues& values)
{
    if (line.size() > longest_line)
        return "line longer than " + std::to_string(longest_line) + " characters";
    line = trimmed(line.substr(0, line.find('#')));
    if (line.empty()) return "";
    if (line[0] == '[') {
        if (line.back() != ']') return "not a '[section]' line";
        const std::string name = trimmed(line.substr(1, line.size() - 2));
        in_section = name == "kestrix";
        return in_section ? "" : "unknown section [" + shown(name) + "]; its entries are ignored";
    }
    if (!in_section) return "";
    const size_t equals = line.find('=');
    if (equals == std::string::npos) return "not a 'key = value' line";
    const std::string key = trimmed(line.substr(0, equals));
    const std::string value = trimmed(line.substr(equals + 1));
    const Switch* entry = std::find_if(std::begin(switches), std::end(switches),
                                       [&](const Switch& s) { return key == s.setting; });
    if (entry == std::end(switches)) return "unknown key '" + shown(key) + "'";
    const bool digits = !value.empty() && value.size() <= 9 &&
                        value.find_first_not_of("0123456789") == std::string::npos;
    const int number = digits ? std::atoi(value.c_str()) : -1;
    if (number < entry->low || number > entry->high)
        return std::string(entry->setting) + " takes " + std::to_string(entry->low) + " to " +
               std::to_string(entry->high) + ", not '" + shown(value) + "'";
    values[size_t(entry - switches)] = number;
    return "";
}

// The temporary files a save writes before it renames one over the settings file.
const char* const temporary_prefix = ".settings.ini.";

// Removes the temporary files that saves killed before their rename left behind: those older
// than a minute, which no save under way can still be writing.
void remove_stale_temporaries(const fs::path& directory)
{
    std::error_code error;
    const auto stale = fs::file_time_type::clock::now() - std::chrono::minutes(1);
    for (const fs::directory_entry& entry : fs::directory_iterator(directory, error)) {
        const std::string name = entry.path().filename().string();
        const bool temporary = name.size() == std::strlen(temporary_prefix) + 6 &&
                               name.rfind(temporary_prefix, 0) == 0;
        if (temporary && entry.is_regular_file(error) && !entry.is_symlink(error) &&
            entry.last_write_time(error) < stale)
            fs::remove(entry.path(), error);
    }
}

// The file `path` stands for: symbolic links followed to the file they name (which need not
// exist yet), so that a settings file kept elsewhere through a link stays there.
std::string settings_target(std::string path)
{
    std::error_code error;
    for (int links = 0; links < 40 && fs::is_symlink(path, error); ++links) {
        const fs::path to = fs::read_symlink(path, error);
        if (error) break;
        path = to.is_absolute() ? to : fs::path(path).parent_path() / to;
    }
    return path;
}

// The path of this run's file, "" when the run leaves it alone; its values with the defaults
// where it has none; the run's values at the start, and where they came from.
std::string run_path;
SwitchValues from_file, at_start;
SettingSources sources;

void save_settings()
{
    const SwitchValues values = settings_to_keep(from_file, at_start, current_switches(), sources);
    const std::string error = write_settings(run_path, format_settings(values));
    if (!error.empty()) std::fprintf(stderr, "kestrix: %s\n", error.c_str());
}

}  // namespace

std::vector<std::string> parse_settings(const std::string& text, const std::string& path,
                                        SwitchValues& values)
{
    std::vector<std::string> messages;
    int number = 0, unshown = 0;
    bool in_section = true;  // the header is optional
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string wrong = take_line(text.substr(start, end - start), in_section, values);
        start = end + 1, ++number;
        if (wrong.empty()) continue;
        if (messages.size() < shown_messages)
            messages.push_back(path + ":" + std::to_string(number) + ": " + wrong);
        else
            ++unshown;
    }
    if (unshown)
        messages.push_back(path + ": " + std::to_string(unshown) + " more bad line" +
                           (unshown > 1 ? "s" : ""));
    return messages;
}

std::string format_settings(const SwitchValues& values)
{
    std::string text = "# Kestrix's settings, written at every exit and read at every start.\n"
                       "# 'kestrix --defaults' starts without them and leaves this file alone.\n"
                       "[kestrix]\n";
    for (int i = 0; i < switch_count; ++i) {
        const Switch& entry = switches[i];
        const int value = values[size_t(i)];
        if (entry.comment) text += std::string("# ") + entry.comment + "\n";
        text += std::string(entry.setting) + " = " +
                std::to_string(entry.high == 1 ? value != 0
                                               : std::clamp(value, entry.low, entry.high)) +
                "\n";
    }
    return text;
}

std::string settings_path(const char* config_home, const char* home)
{
    const std::string config = config_dir(config_home, home);
    return config.empty() ? "" : config + "/kestrix/settings.ini";
}

FileState read_settings(const std::string& path, SwitchValues& values,
                        std::vector<std::string>& messages)
{
    std::string text, why;
    const FileState state = read_file(path, longest_file, text, why);
    if (state == FileState::Refused)
        messages = {path + ": " + why + "; not read, and left as it is"};
    else
        messages = parse_settings(text, path, values);
    return state;
}

std::string write_settings(const std::string& path, const std::string& text)
{
    const std::string not_saved = path + ": settings not saved: ";
    const fs::path file = settings_target(path), directory = file.parent_path();
    std::error_code error;
    fs::create_directories(directory, error);
    if (error) return not_saved + error.message();
    remove_stale_temporaries(directory);
    std::string temporary = (directory / temporary_prefix).string() + "XXXXXX";
    const int fd = mkstemp(&temporary[0]);
    if (fd < 0) return not_saved + strerror(errno);
    struct stat old;
    bool written = stat(file.c_str(), &old) != 0 || fchmod(fd, old.st_mode & 07777) == 0;
    for (size_t done = 0; written && done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        written = n > 0;
        done += written ? size_t(n) : 0;
    }
    written = written && fsync(fd) == 0;
    const int write_errno = errno;
    if (close(fd) != 0 || !written || rename(temporary.c_str(), file.c_str()) != 0) {
        const std::string why = strerror(written ? errno : write_errno);
        unlink(temporary.c_str());
        return not_saved + why;
    }
    return "";
}

SettingSources setting_sources(const CommandLine& line)
{
    SettingSources from;
    for (size_t i = 0; i < from.size(); ++i)
        from[i] = !line.replay.empty() && switches[i].recorded ? FromRecording
                  : line.for_run[i] != not_given               ? FromCommandLine
                                                               : FromPlayer;
    return from;
}

SwitchValues settings_to_keep(const SwitchValues& file, const SwitchValues& start,
                               const SwitchValues& now, const SettingSources& sources)
{
    SwitchValues keep = now;
    for (size_t i = 0; i < keep.size(); ++i)
        if (sources[i] == FromRecording || (sources[i] == FromCommandLine && now[i] == start[i]))
            keep[i] = file[i];
    return keep;
}

bool uses_settings_file(const CommandLine& line) { return !line.defaults && !line.timedemo; }

void load_settings(const CommandLine& line)
{
    if (!uses_settings_file(line)) return;
    run_path = settings_path(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    from_file = current_switches();
    if (run_path.empty()) return;
    std::vector<std::string> messages;
    // A file that could not be read is left as it is: what it holds is the player's.
    if (read_settings(run_path, from_file, messages) == FileState::Refused) run_path.clear();
    for (const std::string& message : messages)
        std::fprintf(stderr, "kestrix: %s\n", message.c_str());
    set_switches(from_file);
}

void keep_settings(const CommandLine& line)
{
    if (run_path.empty()) return;
    sources = setting_sources(line);
    at_start = current_switches();
    std::atexit(save_settings);
}
