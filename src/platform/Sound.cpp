#include "platform/Sound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "platform/ReadFile.h"

void (*play_sound)(const char* file) = mixer_play;

namespace {

// Every sound shares this channel, so a new request cuts off the one before.
const int sound_channel = 0;
// Half a minute of CD-quality sound: far more than a sound effect needs.
constexpr size_t longest_sound = 8 << 20;

bool audio_open = false;
int channel_volume = -1;  // per cent, as last set; -1 when not set since the device opened

// Loaded files by name; a file that failed to load is kept as null and not tried again.
std::map<std::string, Mix_Chunk*> chunks;

// Sends stderr to /dev/null while it lives. The audio libraries that find no device (ALSA
// among them) complain there in many lines of their own; the program says it once.
class QuietStderr {
public:
    QuietStderr()
    {
        std::fflush(stderr);
        saved = dup(STDERR_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDERR_FILENO);
            close(null);
        }
    }
    ~QuietStderr()
    {
        std::fflush(stderr);
        if (saved >= 0) {
            dup2(saved, STDERR_FILENO);
            close(saved);
        }
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved;
};

// The engine: synthesised as it plays in the mixer's music hook, a stream of its own beside the
// explosion's channel. Neither the channel volumes nor the music volume reach a hook, so it
// applies the sound volume itself. The main thread sets the targets; the audio thread glides
// towards them sample by sample, so a change of power or volume never steps the waveform.
namespace engine {

const float idle_firing_hz = 30, full_firing_hz = 110;  // firings a second at power 0 and 1
const float glide_seconds = 0.05f;                      // time constant of every change
const float full_scale = 12000;  // peak of the tone at full power and volume, leaving headroom
                                 // for the explosion mixed on top

// One crank cycle, two firings: harmonics of the cycle, the firing rate's (even) ones strong,
// the odd ones weak for the unevenness between the two; and the combustion noise's envelope,
// a burst at each firing. The last entry repeats the first for the interpolation.
const int table_size = 512;
float tone[table_size + 1], burst[table_size + 1];

std::atomic<float> target_power{0};
std::atomic<int> target_volume{100};  // per cent

// The audio thread's own state, reset before the hook is installed.
int rate = 0, channels = 0;
float cycle = 0;  // how far through the crank cycle, 0 to 1
float firing_hz = idle_firing_hz, gain = 0, rumble = 0;
uint32_t noise = 1;

void build_tables()
{
    const double pi = 3.14159265358979;
    float peak = 0;
    for (int i = 0; i <= table_size; ++i) {
        const double angle = 2 * pi * i / table_size;
        double sum = 0;
        for (int k = 1; k <= 12; ++k)  // spread phases keep the sum from one sharp spike
            sum += (k % 2 ? 0.25 : 1.0) * 2 / (k + 1) * std::sin(k * angle + 0.7 * k * k);
        tone[i] = float(sum);
        peak = std::max(peak, std::fabs(tone[i]));
        burst[i] = float(std::pow(0.5 + 0.5 * std::cos(2 * angle), 4));
    }
    for (float& value : tone) value /= peak;
}

float lookup(const float* table, float at)
{
    const int i = int(at);
    return table[i] + (table[i + 1] - table[i]) * (at - i);
}

// Writes the engine into the device's buffer (16-bit, every channel the same), before the
// explosion's channel is mixed on top.
void SDLCALL mix(void*, Uint8* stream, int len)
{
    const float power = target_power, volume = target_volume / 100.0f;
    const float goal_hz = idle_firing_hz + (full_firing_hz - idle_firing_hz) * power;
    const float goal_gain = power > 0 ? volume * (0.3f + 0.7f * power) : 0;
    if (gain == 0 && goal_gain == 0) return;  // the mixer hands over silence
    const float follow = 1 - std::exp(-1 / (glide_seconds * float(rate)));
    auto* out = reinterpret_cast<Sint16*>(stream);
    const int frames = len / int(sizeof(Sint16)) / channels;
    for (int frame = 0; frame < frames; ++frame, out += channels) {
        firing_hz += (goal_hz - firing_hz) * follow;
        gain += (goal_gain - gain) * follow;
        if (goal_gain == 0 && gain * full_scale < 0.5f) gain = 0;  // below one step: silence
        cycle += firing_hz / 2 / float(rate);
        if (cycle >= 1) cycle -= 1;
        noise = noise * 1664525u + 1013904223u;
        rumble += (int32_t(noise) / 2147483648.0f - rumble) * 0.3f;  // a darker noise
        const float at = cycle * table_size;
        const float value = lookup(tone, at) + 0.6f * lookup(burst, at) * rumble;
        std::fill_n(out, channels, Sint16(std::lrint(value * gain * full_scale)));
    }
}

// Starts the engine on the device just opened, silent until set_engine_sound says otherwise.
void start()
{
    Uint16 format = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    if (format != AUDIO_S16SYS) return;  // what init_sound asks for and lets no driver change
    static const bool built = (build_tables(), true);
    (void)built;
    target_power = 0;
    target_volume = 100;
    cycle = rumble = gain = 0;
    firing_hz = idle_firing_hz;
    noise = 1;
    Mix_HookMusic(mix, nullptr);
}

}  // namespace engine

// Opens the device, quietly; false when none answers.
bool open_device()
{
    QuietStderr quiet;
    return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 &&
           Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 2048) == 0;
}

}  // namespace

bool init_sound()
{
    if (audio_open) return true;
    if (!open_device()) {
        std::fprintf(stderr, "No sound: %s\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(1);
    audio_open = true;
    channel_volume = -1;
    engine::start();
    std::atexit(close_sound);
    return true;
}

void close_sound()
{
    if (!audio_open) return;
    Mix_HookMusic(nullptr, nullptr);
    Mix_HaltChannel(-1);
    for (auto& entry : chunks)
        if (entry.second) Mix_FreeChunk(entry.second);
    chunks.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audio_open = false;
}

void set_sound_volume(int percent)
{
    if (!audio_open || percent == channel_volume) return;
    Mix_Volume(sound_channel, percent * MIX_MAX_VOLUME / 100);
    channel_volume = percent;
    engine::target_volume = percent;
}

void mixer_play(const char* file)
{
    if (!audio_open) return;
    auto found = chunks.find(file);
    if (found == chunks.end()) {
        // Read first, without blocking and within bounds: a FIFO or a huge file in the sound's
        // place must not hold up the flight.
        std::string bytes, why;
        Mix_Chunk* chunk = nullptr;
        if (read_file(file, longest_sound, bytes, why) == FileState::Read)
            chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
        else
            Mix_SetError("%s", why.c_str());
        if (!chunk) std::fprintf(stderr, "Cannot play %s: %s\n", file, Mix_GetError());
        found = chunks.emplace(file, chunk).first;
    }
    if (found->second) Mix_PlayChannel(sound_channel, found->second, 0);
}

void set_engine_sound(float power) { engine::target_power = std::clamp(power, 0.0f, 1.0f); }
