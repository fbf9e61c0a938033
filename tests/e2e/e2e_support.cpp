#include "e2e_support.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

std::string run_command(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
    return out;
}

Kestrix::Kestrix(const std::string& directory, const std::vector<std::string>& environment)
{
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    char error_file[] = "/tmp/kestrix-stderr-XXXXXX";
    const int error_fd = mkstemp(error_file);
    if (error_fd < 0) throw std::runtime_error("mkstemp failed");
    error_path = error_file;
    pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        dup2(error_fd, STDERR_FILENO);
        close(error_fd);
        close(fds[0]);
        close(fds[1]);
        if (chdir(directory.c_str()) != 0) _exit(126);
        for (const std::string& variable : environment) putenv(strdup(variable.c_str()));
        execl(KESTRIX_BINARY, KESTRIX_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    close(error_fd);
    out_fd = fds[0];
    fcntl(out_fd, F_SETFL, fcntl(out_fd, F_GETFL) | O_NONBLOCK);
}

Kestrix::~Kestrix()
{
    if (running()) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (out_fd >= 0) close(out_fd);
    unlink(error_path.c_str());
}

std::string Kestrix::errors() const
{
    std::ifstream file(error_path);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void Kestrix::read_available()
{
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(out_fd, buffer, sizeof buffer);
        if (n <= 0) return;
        console.append(buffer, size_t(n));
    }
}

bool Kestrix::wait_for_output(const std::regex& pattern, double seconds)
{
    const auto start = Clock::now();
    for (;;) {
        read_available();
        if (std::regex_search(console, pattern)) return true;
        if (seconds_since(start) > seconds) return false;
        pollfd p{out_fd, POLLIN, 0};
        poll(&p, 1, 50);
        if (!running() && !(p.revents & POLLIN)) {
            read_available();
            return std::regex_search(console, pattern);
        }
    }
}

std::string Kestrix::window(const std::string& title, double seconds)
{
    const auto start = Clock::now();
    std::string pattern;
    for (char c : title) {
        if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) pattern += '\\';
        pattern += c;
    }
    do {
        std::istringstream ids(
            run_command("xdotool search --onlyvisible --name '^" + pattern + "$' 2>/dev/null"));
        std::string id;
        if (ids >> id) return id;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        read_available();
    } while (seconds_since(start) < seconds);
    return "";
}

bool Kestrix::running()
{
    if (ended) return false;
    int s = 0;
    if (waitpid(pid, &s, WNOHANG) == pid) {
        ended = true;
        status = WIFEXITED(s) ? WEXITSTATUS(s) : -2;
        return false;
    }
    return true;
}

int Kestrix::wait_exit(double seconds)
{
    const auto start = Clock::now();
    while (running()) {
        if (seconds_since(start) > seconds) return -1;
        read_available();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    read_available();
    return status;
}

WindowGeometry window_geometry(const std::string& window_id)
{
    const std::string info = run_command("xwininfo -id " + window_id);
    auto field = [&](const std::string& name) {
        const size_t at = info.find(name);
        return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + name.size());
    };
    return {field("Absolute upper-left X:"), field("Absolute upper-left Y:"), field("Width:"),
            field("Height:")};
}

// Reads a binary PPM (P6, maximum value 255) as ImageMagick writes it.
static Image read_ppm(const std::string& path)
{
    Image image;
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int max_value = 0;
    in >> magic >> image.width >> image.height >> max_value;
    in.get();
    if (magic != "P6" || max_value != 255 || image.width <= 0 || image.height <= 0) return Image{};
    image.rgb.resize(size_t(image.width) * image.height * 3);
    in.read(reinterpret_cast<char*>(image.rgb.data()), std::streamsize(image.rgb.size()));
    if (!in) return Image{};
    return image;
}

Image screenshot(const std::string& window_id, const std::string& name)
{
    const std::string folder = std::string(KESTRIX_ARTIFACTS) + "/screenshots";
    mkdir(KESTRIX_ARTIFACTS, 0755);
    mkdir(folder.c_str(), 0755);
    const std::string ppm = folder + "/" + name + ".ppm";
    run_command("import -window " + window_id + " -depth 8 ppm:" + ppm + " && convert " + ppm + " " + folder + "/" +
                name + ".png");
    Image image = read_ppm(ppm);
    std::remove(ppm.c_str());
    return image;
}

void mouse_button(const std::string& window_id, const std::string& action, int button)
{
    run_command("xdotool mousemove --window " + window_id + " 320 240 " + action + " " + std::to_string(button));
}

void click(const std::string& window_id, int x, int y)
{
    run_command("xdotool mousemove --window " + window_id + " " + std::to_string(x) + " " +
                std::to_string(y) + " click 1 mousemove 0 0");
}

void press(const std::string& window_id, const std::string& name, int times)
{
    run_command("xdotool key --window " + window_id + " --repeat " + std::to_string(times) +
                " --delay 10 " + name);
}

void pause(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool is_skin(const unsigned char* p)
{
    return p[0] > 150 && p[2] > p[0] + 15 && p[2] >= p[1] && p[1] > p[0];
}

bool is_fire(const unsigned char* p) { return p[0] > 180 && p[1] > 60 && p[2] + 80 < p[0]; }

bool is_grass(const unsigned char* p) { return p[1] > p[0] + 20 && p[1] > p[2] + 20; }

bool is_grey(const unsigned char* p)
{
    return std::abs(p[0] - p[1]) < 6 && std::abs(p[1] - p[2]) < 6;
}

int count(const Image& image, bool (*test)(const unsigned char*), int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) n += test(image.pixel(x, y));
    return n;
}

void fly_onto_the_belly(const std::string& window_id)
{
    press(window_id, "plus", 67);  // full throttle, then the take-off run
    pause(2000);
    press(window_id, "Down", 4);  // nose up
    pause(1500);
    press(window_id, "g");  // in the air: the gear comes up
    pause(1000);
    press(window_id, "End");
    press(window_id, "Up", 8);  // nose down, toward the ground
}

bool wait_for_explosion(const std::string& window_id, const std::string& name, Image& picture)
{
    for (int tries = 0; tries < 40; ++tries) {
        pause(500);
        picture = screenshot(window_id, name);
        if (count(picture, is_fire, 0, 0, picture.width, picture.height) > 300) return true;
    }
    return false;
}

void RunningProgram::SetUp()
{
    window = program.window("Kestrix b0.xxx");
    ASSERT_FALSE(window.empty()) << program.output();
    ASSERT_TRUE(program.wait_for_output(std::regex("FPS = "), 60)) << program.output();
}
