// The sound layer heard through SDL's disk driver, which writes the real mixed output to a file
// in real time. Constant-level WAVs pass the mixer unchanged, so every sum and step is exact.
#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <thread>

#include "audio/SoundEngine.h"
#include "support/Fixtures.h"

namespace {

using testing::internal::CaptureStderr; // at the descriptor, so library lines count too
using testing::internal::GetCapturedStderr;
using Runs = std::vector<std::pair<int, long>>; // (level, frames) as heard, in order
constexpr long rate = 44100, tenth = rate / 10, latency = 2048; // device and stdio buffers

class SoundEngineTest : public testing::Test {
  protected:
    void SetUp() override {
        SDL_LogSetPriority(SDL_LOG_CATEGORY_AUDIO, SDL_NUM_LOG_PRIORITIES); // disk driver chatter
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", dir.file("out.raw").c_str(), 1);
        engine = SoundEngine::create();
        ASSERT_TRUE(engine->hasDevice());
    }
    void TearDown() override {
        engine.reset();
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "the device must be free for the next engine";
    }
    // A 16-bit stereo WAV holding `level` for `seconds`.
    std::string wav(const std::string& name, int level, double seconds) const {
        auto le = [](uint32_t v, int n) { return std::string(reinterpret_cast<char*>(&v), n); };
        const uint32_t size = uint32_t(seconds * rate) * 4;
        std::string bytes = "RIFF" + le(36 + size, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) +
                            le(2, 2) + le(rate, 4) + le(rate * 4, 4) + le(4, 2) + le(16, 2) +
                            "data" + le(size, 4);
        for (uint32_t i = 0; i < size; i += 4)
            bytes += le(uint16_t(level) * 0x10001u, 4);
        return dir.write(name, bytes);
    }
    long frames() const {
        std::error_code error;
        return long(std::filesystem::file_size(dir.file("out.raw"), error) / 4 * !error);
    }
    // Runs `call` with the mixer held between two buffers and returns the frames written before
    // it: what it starts is heard within `latency` of that count, however long a busy machine
    // keeps this thread from running.
    long between(const std::function<void()>& call) const {
        SDL_AudioDeviceID id = 1;
        while (id < 16 && SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_STOPPED)
            ++id;
        SDL_LockAudioDevice(id);
        const long asked = frames();
        call();
        SDL_UnlockAudioDevice(id);
        return asked;
    }
    // Left samples of frames [from, from + count) as runs, waiting up to 10 s for them.
    Runs heard(long from, long count) const {
        for (int i = 0; i < 2000 && frames() < from + count; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::vector<int16_t> raw(size_t(count) * 2);
        std::ifstream in(dir.file("out.raw"), std::ios::binary);
        in.seekg(from * 4).read(reinterpret_cast<char*>(raw.data()), std::streamsize(count * 4));
        Runs runs;
        for (size_t i = 0; in && i < raw.size(); i += 2) {
            if (runs.empty() || runs.back().first != raw[i])
                runs.push_back({raw[i], 0});
            ++runs.back().second;
        }
        return runs;
    }
    // The first frame from `from` on whose left sample passes `test`; -1 if none within 10 s.
    long waitFor(long from, const std::function<bool(int)>& test) const {
        for (long start = from; start < from + 10 * rate;) {
            const Runs runs = heard(start, tenth);
            for (auto run = runs.begin(); run != runs.end(); start += run++->second)
                if (test(run->first))
                    return start;
            if (runs.empty())
                return -1;
        }
        return -1;
    }
    TempDir dir;
    std::unique_ptr<SoundEngine> engine;
};

TEST_F(SoundEngineTest, WithoutADeviceOneLineSaysSoAndTheGameRunsSilentCountingPlays) {
    engine.reset();
    for (const char* driver : {"quorvex-no-such-driver", "disk", (const char*)nullptr}) {
        SCOPED_TRACE(driver ? driver : "default driver, no sound card");
        driver ? setenv("SDL_AUDIODRIVER", driver, 1) : unsetenv("SDL_AUDIODRIVER");
        setenv("SDL_DISKAUDIOFILE", dir.file("no-dir/out.raw").c_str(), 1); // cannot open
        CaptureStderr();
        engine = SoundEngine::create();
        const std::string errors = GetCapturedStderr();
        if (!driver && engine->hasDevice())
            continue; // this machine has sound
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "a failed open must not leave SDL audio up";
        const std::regex line("Sound: no audio device \\(.+\\); the game runs silent\\.\n");
        EXPECT_TRUE(std::regex_match(errors, line)) << errors;
        EXPECT_EQ(engine->play2D("resources/track1.mp3", true, false, true), nullptr);
        EXPECT_EQ(engine->playCount("resources/track1.mp3"), 1);
    }
}

TEST_F(SoundEngineTest, SoundsAreHeardAtOnceForTheirLengthOrLoopWithoutAGap) {
    const std::string punch = wav("punch.wav", 5000, 0.2), track = wav("track.wav", 6000, 0.1);
    const struct {
        const char* name;
        std::string file;
        bool looped, track;
        Runs heard;
    } cases[] = {{"effect", punch, false, false, {{5000, 2 * tenth}, {0, 8 * tenth}}},
                 {"effect again, cached", punch, false, false, {{5000, 2 * tenth}, {0, 8 * tenth}}},
                 {"music once", track, false, true, {{6000, tenth}, {0, 9 * tenth}}},
                 {"looped music", track, true, true, {{6000, 10 * tenth}}}};
    CaptureStderr();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const long asked = between([&] {
            EXPECT_EQ(engine->play2D(c.file, c.looped, false, c.track) != nullptr, c.track);
        });
        const long start = waitFor(asked, [](int s) { return s != 0; });
        ASSERT_GE(start, 0) << "never heard";
        EXPECT_LE(start, asked + latency);
        EXPECT_EQ(heard(start, 10 * tenth), c.heard);
        std::filesystem::remove(punch); // a second play must not read the file again
    }
    EXPECT_EQ(engine->playCount(punch), 2);
    EXPECT_EQ(GetCapturedStderr(), "");
}

TEST_F(SoundEngineTest, EffectsMixOverTheMusicAndTheNewestWinsWhenAllChannelsAreBusy) {
    ASSERT_NE(engine->play2D(wav("track.wav", 1000, 0.5), true, false, true), nullptr);
    ASSERT_GE(waitFor(0, [](int s) { return s == 1000; }), 0);
    const std::string a = wav("a.wav", 3000, 0.3), b = wav("b.wav", 7000, 0.3);
    long asked = between([&] {
        engine->play2D(a, false, false, false);
        engine->play2D(b, false, false, false);
    });
    const Runs mixed = heard(waitFor(asked, [](int s) { return s == 11000; }), 4 * tenth);
    EXPECT_EQ(mixed, Runs({{11000, 3 * tenth}, {1000, tenth}})) << "not added over the music";

    const std::string hum = wav("hum.wav", 100, 0.1);
    for (int i = 0; i < 32; ++i)
        engine->play2D(hum, true, false, false);
    ASSERT_GE(waitFor(asked, [](int s) { return s == 4200; }), 0);
    const std::string punch = wav("punch.wav", 5000, 0.2);
    asked = between([&] { engine->play2D(punch, false, false, false); });
    EXPECT_GE(waitFor(asked, [](int s) { return s == 9100; }), 0) << "one hum gives way";
}

TEST_F(SoundEngineTest, VolumeChangesAreClampedAndHeardAtOnceAndAPausedStartStaysSilent) {
    Sound* paused = engine->play2D(wav("held.wav", 3000, 0.5), true, true, true);
    ASSERT_NE(paused, nullptr);
    paused->setVolume(1.0f);
    EXPECT_EQ(heard(frames(), latency + 2 * tenth), Runs({{0, latency + 2 * tenth}}));

    Sound* music = engine->play2D(wav("track.wav", 8000, 0.5), true, false, true);
    ASSERT_NE(music, nullptr);
    long since = waitFor(0, [](int s) { return s == 8000; });
    const struct {
        float set, kept;
        int level;
    } steps[] = {{0.25f, 0.25f, 2000}, {-0.2f, 0.0f, 0}, {1.5f, 1.0f, 8000}, {NAN, 0.0f, 0}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.set);
        const long asked = between([&] { music->setVolume(step.set); });
        EXPECT_EQ(music->getVolume(), step.kept);
        EXPECT_EQ(heard(since, asked - since).size(), 1u) << "changed before the call";
        since = waitFor(asked, [&](int s) { return s == step.level; });
        EXPECT_LE(since, asked + latency);
        ASSERT_EQ(heard(since, 2 * tenth), Runs({{step.level, 2 * tenth}})) << "not held";
    }
}

} // namespace
