#include "platform/Sound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

void (*play_sound)(const char* file) = mixer_play;

namespace {

// Every sound shares this channel, so a new request cuts off the one before.
const int sound_channel = 0;

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
    std::atexit(close_sound);
    return true;
}

void close_sound()
{
    if (!audio_open) return;
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
}

void mixer_play(const char* file)
{
    if (!audio_open) return;
    auto found = chunks.find(file);
    if (found == chunks.end()) {
        Mix_Chunk* chunk = Mix_LoadWAV(file);
        if (!chunk) std::fprintf(stderr, "Cannot play %s: %s\n", file, Mix_GetError());
        found = chunks.emplace(file, chunk).first;
    }
    if (found->second) Mix_PlayChannel(sound_channel, found->second, 0);
}

void set_engine_sound(float) {}
