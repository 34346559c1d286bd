#include "audio/SoundEngine.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <dlfcn.h>
#include <mpg123.h>

#include "io/DataFile.h"
#include "io/Report.h"

namespace {

constexpr int outputRate = 44100;
constexpr int outputChannels = 2;
// 1024 frames are about 23 ms: short enough for a volume step or a punch to be heard at once.
constexpr int bufferFrames = 1024;
// Enough for a crowd of enemies dying in one frame over the punch sounds.
constexpr int effectChannels = 32;

// SDL_mixer has one global mixer; a second engine on it would halt the first one's sounds.
bool deviceHeld = false;

// libasound writes several lines of its own to stderr when a machine has no sound card, which
// would bury the one line the game prints. SDL loads it at run time, so we reach it the same way.
using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

void setAlsaErrorHandler(AlsaErrorHandler handler) {
    static void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL);
    if (alsa == nullptr) {
        return;
    }
    using Setter = int (*)(AlsaErrorHandler);
    auto set = reinterpret_cast<Setter>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (set != nullptr) {
        set(handler);
    }
}

// Sounds are read whole; the game's are well under a megabyte.
constexpr size_t kMaxSoundBytes = 64u * 1024 * 1024;

// The message SDL gives for a file it cannot open, kept for every file the reader refuses.
std::string cannotOpen(const std::string& file) {
    return "Couldn't open " + file;
}

std::unique_ptr<SoundEngine> silentWithMessage(const std::string& reason) {
    report(ReportStream::Err, "Sound: no audio device (" + reason + "); the game runs silent.");
    return SoundEngine::createSilent();
}

} // namespace

// The MP3 decoder writes notes of its own to stderr on a damaged stream (several lines for each
// resync) unless its handle is told to be quiet, and SDL_mixer gives no way to reach the
// handle. So the game's copy of mpg123_new, which the dynamic linker prefers to the library's,
// makes every handle quiet; the mixer still hears of each failure and so does the game.
extern "C" mpg123_handle* mpg123_new(const char* decoder, int* error) {
    using New = mpg123_handle* (*)(const char*, int*);
    using Param = int (*)(mpg123_handle*, enum mpg123_parms, long, double);
    static const auto realNew = reinterpret_cast<New>(dlsym(RTLD_NEXT, "mpg123_new"));
    static const auto param = reinterpret_cast<Param>(dlsym(RTLD_NEXT, "mpg123_param"));
    if (realNew == nullptr) {
        if (error != nullptr) {
            *error = MPG123_ERR;
        }
        return nullptr;
    }
    mpg123_handle* handle = realNew(decoder, error);
    if (handle != nullptr && param != nullptr) {
        param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    }
    return handle;
}

// SDL allocates what a chunk header of a WAV claims before reading it, so a forged size could
// ask for gigabytes: every chunk after the RIFF header must fit in the bytes there are.
bool chunksFit(const std::string& bytes) {
    auto le32 = [&bytes](size_t at) {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + at;
        return static_cast<size_t>(p[0] | p[1] << 8 | p[2] << 16 |
                                   static_cast<uint32_t>(p[3]) << 24);
    };
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const size_t size = le32(at + 4);
        if (size > bytes.size() - at - 8) {
            return false;
        }
        at += 8 + size + (size & 1); // chunks are padded to an even size
    }
    return true;
}

Mix_Chunk* decodeEffect(const std::string& bytes) {
    // Effects are WAVs (or MP3s, as music is): the mixer's other decoders are kept away.
    const bool wav =
        bytes.size() >= 12 && bytes.compare(0, 4, "RIFF") == 0 && bytes.compare(8, 4, "WAVE") == 0;
    const bool mp3 = bytes.compare(0, 3, "ID3") == 0 ||
                     (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xff &&
                      (static_cast<unsigned char>(bytes[1]) & 0xe0) == 0xe0);
    if (!wav && !mp3) {
        Mix_SetError("neither a WAV nor an MP3 file");
        return nullptr;
    }
    if (wav && !chunksFit(bytes)) {
        Mix_SetError("a chunk of the WAV file is larger than the file");
        return nullptr;
    }
    return Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
}

_Mix_Music* openMusic(const std::string& bytes) {
    return Mix_LoadMUS_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
}

std::unique_ptr<SoundEngine> SoundEngine::create() {
    if (deviceHeld) {
        return silentWithMessage("already held by another sound engine");
    }
    // Quiet only while opening; later ALSA messages keep their default route.
    setAlsaErrorHandler(ignoreAlsaError);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        setAlsaErrorHandler(nullptr);
        return silentWithMessage(SDL_GetError());
    }
    if (Mix_OpenAudio(outputRate, AUDIO_S16SYS, outputChannels, bufferFrames) != 0) {
        std::string reason = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        setAlsaErrorHandler(nullptr);
        return silentWithMessage(reason);
    }
    setAlsaErrorHandler(nullptr);
    // Loads the MP3 decoder now rather than on the first track; a missing decoder shows up
    // as a report naming the track when it is played.
    Mix_Init(MIX_INIT_MP3);
    Mix_AllocateChannels(effectChannels);
    deviceHeld = true;
    return std::unique_ptr<SoundEngine>(new SoundEngine(true));
}

std::unique_ptr<SoundEngine> SoundEngine::createSilent() {
    return std::unique_ptr<SoundEngine>(new SoundEngine(false));
}

SoundEngine::~SoundEngine() {
    if (!device_) {
        return;
    }
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    if (music_ != nullptr) {
        Mix_FreeMusic(music_);
    }
    for (auto& entry : effects_) {
        Mix_FreeChunk(entry.second);
    }
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    deviceHeld = false;
}

Sound* SoundEngine::play2D(const std::string& file, bool looped, bool startPaused, bool track) {
    ++playCounts_[file];
    if (!device_ || unplayable_.count(file) != 0) {
        return nullptr;
    }
    if (track) {
        return playMusic(file, looped, startPaused);
    }
    // Without a handle nothing could ever resume it.
    if (startPaused) {
        return nullptr;
    }
    Mix_Chunk* chunk = effect(file);
    if (chunk == nullptr) {
        return nullptr;
    }
    const int loops = looped ? -1 : 0;
    if (Mix_PlayChannel(-1, chunk, loops) < 0) {
        // Every channel is busy: the sound just asked for matters more than the oldest one.
        // Playing on a named channel replaces what it plays.
        const int oldest = Mix_GroupOldest(-1);
        if (oldest >= 0) {
            Mix_PlayChannel(oldest, chunk, loops);
        }
    }
    return nullptr;
}

int SoundEngine::playCount(const std::string& file) const {
    auto it = playCounts_.find(file);
    return it == playCounts_.end() ? 0 : it->second;
}

Mix_Chunk* SoundEngine::effect(const std::string& file) {
    auto it = effects_.find(file);
    if (it != effects_.end()) {
        return it->second;
    }
    // Read here rather than by Mix_LoadWAV so that a missing file is reported as such, and so
    // that a directory or a named pipe is never handed to the mixer.
    const DataFile bytes = readDataFile(file, kMaxSoundBytes);
    if (!bytes.ok()) {
        reportOnce(file, cannotOpen(file).c_str());
        return nullptr;
    }
    Mix_Chunk* chunk = decodeEffect(bytes.bytes);
    if (chunk == nullptr) {
        reportOnce(file, Mix_GetError());
        return nullptr;
    }
    effects_[file] = chunk;
    return chunk;
}

Sound* SoundEngine::playMusic(const std::string& file, bool looped, bool startPaused) {
    // Streamed from memory: only the header is decoded here, so starting a long track costs
    // no decoding, and the file is read once, as a regular file of bounded size.
    DataFile bytes = readDataFile(file, kMaxSoundBytes);
    if (!bytes.ok()) {
        reportOnce(file, cannotOpen(file).c_str());
        return nullptr;
    }
    auto kept = std::make_unique<std::string>(std::move(bytes.bytes));
    Mix_Music* music = openMusic(*kept);
    if (music == nullptr) {
        reportOnce(file, Mix_GetError());
        return nullptr;
    }
    // The mixer streams one music at a time: the new one replaces the old, whose handle stays
    // valid but no longer drives anything.
    if (music_ != nullptr) {
        Mix_HaltMusic();
        Mix_FreeMusic(music_);
        music_ = nullptr;
        musicBytes_.reset();
        for (auto& handle : handles_) {
            handle->drivesMusic_ = false;
        }
    }
    // A paused start begins at volume 0 so that nothing leaks out before the pause lands.
    Mix_VolumeMusic(startPaused ? 0 : MIX_MAX_VOLUME);
    if (Mix_PlayMusic(music, looped ? -1 : 0) != 0) {
        reportOnce(file, Mix_GetError());
        Mix_FreeMusic(music);
        return nullptr;
    }
    if (startPaused) {
        Mix_PauseMusic();
        Mix_VolumeMusic(MIX_MAX_VOLUME);
    }
    music_ = music;
    musicBytes_ = std::move(kept);
    handles_.push_back(std::make_unique<Sound>());
    Sound* handle = handles_.back().get();
    handle->drivesMusic_ = true;
    return handle;
}

void SoundEngine::reportOnce(const std::string& file, const char* reason) {
    if (unplayable_.emplace(file, reason).second) {
        report(ReportStream::Err,
               "Sound: cannot play \"" + file + "\" (" + reason + "); it stays silent.");
    }
}

LoadState SoundEngine::state(const std::string& file) const {
    LoadState state;
    const auto it = unplayable_.find(file);
    if (it != unplayable_.end())
        state.fail(it->second);
    return state;
}
