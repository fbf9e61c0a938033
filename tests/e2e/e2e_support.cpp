#include "e2e_support.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

namespace {

std::string file_text(const std::string& path)
{
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string temporary_file()
{
    char name[] = "/tmp/kestrix-XXXXXX";
    close(mkstemp(name));
    return name;
}

// Calls `done` every 50 ms until it holds; false after `seconds` without.
template <typename Done>
bool poll_until(Done done, double seconds)
{
    for (int tries = int(seconds * 20); !done(); --tries, pause(50))
        if (tries <= 0) return false;
    return true;
}

}  // namespace

std::string run_command(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[65536];
    for (size_t n; pipe && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    if (pipe) pclose(pipe);
    return out;
}

Kestrix::Kestrix(const std::string& directory, const std::vector<std::string>& environment,
                 const std::vector<std::string>& arguments, const std::string& binary)
    : output_path(temporary_file()), error_path(temporary_file())
{
    std::vector<char*> argv = {const_cast<char*>(binary.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid = fork();
    if (pid == 0) {
        if (!freopen(output_path.c_str(), "w", stdout) || !freopen(error_path.c_str(), "w", stderr) ||
            chdir(directory.c_str()) != 0)
            _exit(126);
        setenv("XDG_CONFIG_HOME", (output_path + "-config").c_str(), 1);  // not the developer's
        for (const std::string& variable : environment) putenv(strdup(variable.c_str()));
        execv(binary.c_str(), argv.data());
        _exit(127);
    }
}

Kestrix::~Kestrix()
{
    if (running()) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    unlink(output_path.c_str());
    unlink(error_path.c_str());
    std::error_code ignored;
    std::filesystem::remove_all(output_path + "-config", ignored);
}

std::string Kestrix::output() const { return file_text(output_path); }

std::string Kestrix::errors() const { return file_text(error_path); }

bool Kestrix::wait_for_output(const std::regex& pattern, double seconds)
{
    return poll_until([&] { return std::regex_search(output(), pattern); }, seconds);
}

bool Kestrix::running()
{
    int s = 0;
    if (status == -1 && waitpid(pid, &s, WNOHANG) == pid) status = WIFEXITED(s) ? WEXITSTATUS(s) : 128 + WTERMSIG(s);
    return status == -1;
}

void Kestrix::send(int signal) { kill(pid, signal); }

int Kestrix::wait_exit(double seconds)
{
    poll_until([&] { return !running(); }, seconds);
    return status;
}

std::string find_window(const std::string& title, double seconds)
{
    std::string id;
    poll_until([&] {
        std::istringstream(run_command("xdotool search --onlyvisible --name '^" + title + "$'")) >> id;
        return !id.empty();
    }, seconds);
    return id;
}

std::string window_geometry(const std::string& window_id)
{
    const std::string info = run_command("xwininfo -id " + window_id);
    auto field = [&](const std::string& name) {
        const size_t at = info.find(name);
        return at == std::string::npos ? "?" : std::to_string(std::atoi(info.c_str() + at + name.size()));
    };
    return field("Width:") + "x" + field("Height:") + " at " + field("Absolute upper-left X:") + "," +
           field("Absolute upper-left Y:");
}

// ImageMagick's binary PPM (P6, maximum value 255) of the window.
Frame screenshot(const std::string& window_id)
{
    std::istringstream in(run_command("import -window " + window_id + " -depth 8 ppm:-"));
    Frame frame;
    std::string magic;
    int max_value = 0;
    in >> magic >> frame.width >> frame.height >> max_value;
    in.get();
    frame.rgb.resize(size_t(std::max(frame.width * frame.height, 0)) * 3);
    in.read(reinterpret_cast<char*>(frame.rgb.data()), std::streamsize(frame.rgb.size()));
    return magic == "P6" && max_value == 255 && in ? frame : Frame{};
}

void mouse(const std::string& window_id, int x, int y, const std::string& action, int button)
{
    run_command("xdotool mousemove --window " + window_id + " " + std::to_string(x) + " " +
                std::to_string(y) + " " + action + " " + std::to_string(button) + " mousemove 0 0 2>/dev/null");
}

void press(const std::string& window_id, const std::string& name, int times)
{
    run_command("xdotool key --window " + window_id + " --repeat " + std::to_string(times) +
                " --delay 10 " + name + " 2>/dev/null");
}

void pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
