#include "platform/Sound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
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
// The warning's own channel, so that a crash's sound never cuts it off.
const int warning_channel = 1;
// Half a minute of CD-quality sound: far more than a sound effect needs.
constexpr size_t longest_sound = 8 << 20;

bool audio_open = false;
int channel_volume = -1;  // per cent, as last set; -1 when not set since the device opened

// Loaded files by name; a file that failed to load is kept as null and not tried again.
std::map<std::string, Mix_Chunk*> chunks;

// The warning's samples, made for the open device, and the chunk that plays them.
std::vector<int16_t> warning_samples;
Mix_Chunk* warning_chunk = nullptr;
bool warning_playing = false;

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

// The stream beside the channel, played through the mixer's music hook. Neither the channel
// volumes nor the music volume reach a hook, so the source is handed the sound volume to apply.
std::atomic<SampleSource> stream_source{nullptr};
std::atomic<int> stream_volume{100};  // per cent, as last set; 100 when the device opens
int stream_rate = 0, stream_channels = 0;  // the open device's
bool takes_stream = false;  // whether the open device takes the stream's 16-bit samples

void SDLCALL feed_stream(void*, Uint8* stream, int len)
{
    const int frames = len / int(sizeof(Sint16)) / stream_channels;
    stream_source.load()(reinterpret_cast<int16_t*>(stream), frames, stream_channels, stream_rate,
                         stream_volume / 100.0f);
}

// Feeds the stream to the open device, if there is a source and the device takes its samples.
void hook_stream()
{
    if (audio_open && takes_stream && stream_source) Mix_HookMusic(feed_stream, nullptr);
}

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
    Mix_AllocateChannels(2);
    audio_open = true;
    channel_volume = -1;
    stream_volume = 100;
    Uint16 format = 0;
    Mix_QuerySpec(&stream_rate, &format, &stream_channels);
    takes_stream = format == AUDIO_S16SYS;  // what open_device asks for and lets no driver change
    hook_stream();
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
    if (warning_chunk) Mix_FreeChunk(warning_chunk);  // the samples are ours, not the chunk's
    warning_chunk = nullptr, warning_playing = false;
    warning_samples.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audio_open = false;
}

void set_sound_volume(int percent)
{
    if (!audio_open || percent == channel_volume) return;
    Mix_Volume(-1, percent * MIX_MAX_VOLUME / 100);  // every channel
    channel_volume = percent;
    stream_volume = percent;
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

void play_stream(SampleSource source)
{
    stream_source = source;
    hook_stream();
}

void set_warning_sound(LoopMaker make, bool on)
{
    if (!audio_open || !takes_stream || on == warning_playing) return;
    warning_playing = on;
    if (!on) {
        Mix_HaltChannel(warning_channel);
        return;
    }
    if (!warning_chunk) {
        warning_samples = make(stream_rate, stream_channels);
        warning_chunk = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(warning_samples.data()),
                                          Uint32(warning_samples.size() * sizeof(int16_t)));
    }
    if (warning_chunk) Mix_PlayChannel(warning_channel, warning_chunk, -1);
}
