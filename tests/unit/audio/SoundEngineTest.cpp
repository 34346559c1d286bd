// The sound layer heard through SDL's disk driver, which writes the engine's real output to a
// file in real time as 16-bit stereo frames. Fixtures are constant-level WAVs: the mixer passes
// them through unchanged at full volume, so every sum and volume step is an exact value.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <thread>

#include "audio/SoundEngine.h"
#include "support/Fixtures.h"

namespace {

constexpr int captureRate = 44100;

// A 16-bit stereo WAV at captureRate whose frame i holds sample(i) on both channels.
std::string wavBytes(int frames, const std::function<int16_t(int)>& sample) {
    auto le = [](uint32_t v, int bytes) {
        std::string s;
        for (int i = 0; i < bytes; ++i) s += char(v >> (8 * i));
        return s;
    };
    std::string out = "RIFF" + le(36 + frames * 4, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) +
                      le(2, 2) + le(captureRate, 4) + le(captureRate * 4, 4) + le(4, 2) +
                      le(16, 2) + "data" + le(frames * 4, 4);
    for (int i = 0; i < frames; ++i) out += le(uint16_t(sample(i)) * 0x10001u, 4);
    return out;
}

// Polls `done` every 5 ms; false after a timeout generous for a loaded machine.
bool waitUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// Standard error caught at its descriptor, so that lines the libraries print count too.
class StderrCapture {
public:
    StderrCapture() : file_(std::tmpfile()), saved_(dup(2)) {
        std::fflush(stderr);
        dup2(fileno(file_), 2);
    }
    ~StderrCapture() {
        std::fflush(stderr);
        dup2(saved_, 2);
        close(saved_);
        std::fclose(file_);
    }
    std::vector<std::string> lines() const {
        std::cerr.flush();
        std::fflush(stderr);
        std::rewind(file_);
        std::vector<std::string> result;
        for (char line[1024]; std::fgets(line, sizeof line, file_) != nullptr;) result.push_back(line);
        return result;
    }

private:
    FILE* file_;
    int saved_;
};

class DiskCapture {
public:
    // The disk driver announces itself on every open: noise in the test log.
    DiskCapture() { SDL_LogSetPriority(SDL_LOG_CATEGORY_AUDIO, SDL_NUM_LOG_PRIORITIES); }
    std::string path(const std::string& name) const { return dir_.file(name); }
    std::string write(const std::string& name, const std::string& bytes) const { return dir_.write(name, bytes); }
    // A WAV of `seconds` at the constant level `value`.
    std::string wav(const std::string& name, int value, double seconds) const {
        return write(name, wavBytes(int(seconds * captureRate), [value](int) { return int16_t(value); }));
    }
    std::unique_ptr<SoundEngine> open() const {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", path("capture.raw").c_str(), 1);
        return SoundEngine::create();
    }
    long frames() const {
        std::error_code error;
        const auto bytes = std::filesystem::file_size(path("capture.raw"), error);
        return error ? 0 : long(bytes / 4);
    }
    // Left samples of frames [from, from + count), waiting for them; empty after the timeout.
    std::vector<int> samples(long from, long count) const {
        if (!waitUntil([&] { return frames() >= from + count; })) return {};
        std::vector<int16_t> raw(size_t(count) * 2);
        std::ifstream in(path("capture.raw"), std::ios::binary);
        in.seekg(from * 4);
        in.read(reinterpret_cast<char*>(raw.data()), std::streamsize(raw.size() * 2));
        std::vector<int> left;
        for (size_t i = 0; i < raw.size(); i += 2) left.push_back(raw[i]);
        return left;
    }
    // The first frame at or after `from` whose left sample passes `test`; -1 after the timeout.
    long waitFor(long from, const std::function<bool(int)>& test) const {
        long found = -1;
        waitUntil([&] {
            const long now = frames();
            for (int s : now > from ? samples(from, now - from) : std::vector<int>()) {
                if (test(s)) return (found = from) >= 0;
                ++from;
            }
            return false;
        });
        return found;
    }

private:
    TempDir dir_;
};

// `samples` as runs of equal values: (value, length) in order.
std::vector<std::pair<int, long>> runs(const std::vector<int>& samples) {
    std::vector<std::pair<int, long>> result;
    for (int s : samples) {
        if (result.empty() || result.back().first != s) result.push_back({s, 0});
        ++result.back().second;
    }
    return result;
}

constexpr long tenth = captureRate / 10;
// Sound mixed before a call can reach the file after it: one device and one stdio buffer.
constexpr long latency = 2048;

bool sdlAudioClosed() {
    int rate = 0, channels = 0;
    Uint16 format = 0;
    return SDL_WasInit(SDL_INIT_AUDIO) == 0 && Mix_QuerySpec(&rate, &format, &channels) == 0;
}

bool startsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

TEST(SoundEngineNoDevice, SaysSoInOneLineAndRunsSilentCountingPlays) {
    DiskCapture capture;
    const struct {
        const char* name;
        const char* driver;
        std::string file;
    } cases[] = {
        {"unknown driver", "quorvex-no-such-driver", ""},
        {"device that cannot open", "disk", capture.path("missing-dir/capture.raw")},
        // A machine without a sound card: libasound alone would add eight lines.
        {"default driver", nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.driver ? setenv("SDL_AUDIODRIVER", c.driver, 1) : unsetenv("SDL_AUDIODRIVER");
        setenv("SDL_DISKAUDIOFILE", c.file.c_str(), 1);
        StderrCapture errors;
        auto engine = SoundEngine::create();
        ASSERT_NE(engine, nullptr);
        if (c.driver == nullptr && engine->hasDevice()) continue;  // this machine has sound
        EXPECT_FALSE(engine->hasDevice());
        EXPECT_TRUE(sdlAudioClosed()) << "a failed open must not leave SDL audio up";
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(engine->play2D("resources/track1.mp3", true, false, true), nullptr);
            engine->play2D("no/such/punch.wav", false, false, false);
        }
        EXPECT_EQ(engine->playCount("resources/track1.mp3"), 3);
        EXPECT_EQ(engine->playCount("no/such/punch.wav"), 3);
        EXPECT_EQ(engine->playCount("never played"), 0);
        const auto lines = errors.lines();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_TRUE(startsWith(lines[0], "Sound: no audio device (")) << lines[0];
        EXPECT_NE(lines[0].find("); the game runs silent."), std::string::npos) << lines[0];
    }
}

TEST(SoundEngineFiles, AnUnplayableFileIsReportedOnceWithItsPathAndTheGameGoesOn) {
    DiskCapture capture;
    auto engine = capture.open();
    ASSERT_TRUE(engine->hasDevice());
    const struct {
        const char* name;
        std::string file;
        bool track;
        const char* reason;
    } cases[] = {
        {"missing effect", capture.path("missing.wav"), false, "Couldn't open"},
        {"missing music", capture.path("missing.mp3"), true, "Couldn't open"},
        {"unreadable effect", capture.write("garbage.wav", "this is no sound at all"), false, ""},
        {"unreadable music", capture.write("garbage.mp3", ""), true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StderrCapture errors;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(engine->play2D(c.file, true, false, c.track), nullptr);
        EXPECT_EQ(engine->playCount(c.file), 3);
        const auto lines = errors.lines();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_TRUE(startsWith(lines[0], "Sound: cannot play \"" + c.file + "\" (" + c.reason)) << lines[0];
    }
    const long asked = capture.frames();
    engine->play2D(capture.wav("punch.wav", 5000, 0.1), false, false, false);
    EXPECT_GE(capture.waitFor(asked, [](int s) { return s == 5000; }), 0);
}

class SoundEngineOutput : public ::testing::Test {
protected:
    void SetUp() override {
        engine = capture.open();
        ASSERT_TRUE(engine->hasDevice());
    }
    void TearDown() override {
        engine.reset();
        EXPECT_TRUE(sdlAudioClosed()) << "closing must free the device for the next engine";
    }
    DiskCapture capture;
    std::unique_ptr<SoundEngine> engine;
};

TEST_F(SoundEngineOutput, EffectIsHeardAtOnceForItsLengthAndDecodedOnlyOnce) {
    const std::string punch = capture.wav("punch.wav", 5000, 0.2);
    StderrCapture errors;
    for (int play = 0; play < 2; ++play) {
        SCOPED_TRACE(play);
        const long asked = capture.frames();
        EXPECT_EQ(engine->play2D(punch, false, false, false), nullptr);
        const long start = capture.waitFor(asked, [](int s) { return s != 0; });
        ASSERT_GE(start, 0) << "the effect never reached the output";
        EXPECT_LE(start, asked + latency + tenth);
        const auto heard = runs(capture.samples(start, 4 * tenth));
        ASSERT_EQ(heard.size(), 2u);
        EXPECT_EQ(heard[0], std::make_pair(5000, 2 * tenth));
        EXPECT_EQ(heard[1].first, 0);
        std::filesystem::remove(punch);  // the second play must come from the cache
    }
    EXPECT_EQ(engine->playCount(punch), 2);
    EXPECT_TRUE(errors.lines().empty());
}

TEST_F(SoundEngineOutput, EffectsMixOverTheMusicAndTheNewestWinsWhenAllChannelsAreBusy) {
    ASSERT_NE(engine->play2D(capture.wav("track.wav", 1000, 0.5), true, false, true), nullptr);
    ASSERT_GE(capture.waitFor(0, [](int s) { return s == 1000; }), 0);
    long asked = capture.frames();
    engine->play2D(capture.wav("a.wav", 3000, 0.3), false, false, false);
    engine->play2D(capture.wav("b.wav", 7000, 0.3), false, false, false);
    const long start = capture.waitFor(asked, [](int s) { return s > 1000; });
    ASSERT_GE(start, 0);
    const std::vector<int> mixed = capture.samples(start, 5 * tenth);
    ASSERT_FALSE(mixed.empty());
    EXPECT_EQ(*std::max_element(mixed.begin(), mixed.end()), 11000);
    EXPECT_GE(std::count(mixed.begin(), mixed.end(), 11000), 2 * tenth);
    EXPECT_EQ(mixed.back(), 1000) << "the music must go on under and after the effects";

    const std::string hum = capture.wav("hum.wav", 100, 0.1);
    for (int i = 0; i < 32; ++i) engine->play2D(hum, true, false, false);
    ASSERT_GE(capture.waitFor(asked, [](int s) { return s == 4200; }), 0);
    asked = capture.frames();
    engine->play2D(capture.wav("punch.wav", 5000, 0.2), false, false, false);
    EXPECT_GE(capture.waitFor(asked, [](int s) { return s == 9100; }), 0) << "one hum gives way";
}

TEST_F(SoundEngineOutput, MusicLoopsSeamlesslyOnlyWhenAskedTo) {
    const std::string track = capture.wav("track.wav", 6000, 0.1);
    for (bool looped : {true, false}) {
        SCOPED_TRACE(looped ? "looped" : "once");
        const long asked = capture.frames();
        ASSERT_NE(engine->play2D(track, looped, false, true), nullptr);
        const long start = capture.waitFor(asked, [](int s) { return s == 6000; });
        ASSERT_GE(start, 0);
        const auto heard = runs(capture.samples(start, 10 * tenth));
        ASSERT_EQ(heard.size(), looped ? 1u : 2u) << "a gap in the looped music, or no end";
        EXPECT_EQ(heard.back().first, looped ? 6000 : 0);
        EXPECT_EQ(heard[0].second, looped ? 10 * tenth : tenth);
    }
}

TEST_F(SoundEngineOutput, VolumeChangesAreClampedAndHeardAtOnceAtTheirLevel) {
    Sound* music = engine->play2D(capture.wav("track.wav", 8000, 0.5), true, false, true);
    ASSERT_NE(music, nullptr);
    EXPECT_EQ(music->getVolume(), 1.0f);
    long since = capture.waitFor(0, [](int s) { return s == 8000; });
    ASSERT_GE(since, 0);
    const struct {
        float set, kept;
        int heard;
    } steps[] = {{0.25f, 0.25f, 2000}, {-0.2f, 0.0f, 0}, {1.5f, 1.0f, 8000}, {std::nanf(""), 0.0f, 0}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.set);
        const long asked = capture.frames();
        music->setVolume(step.set);
        EXPECT_EQ(music->getVolume(), step.kept);
        EXPECT_EQ(runs(capture.samples(since, asked - since)).size(), 1u) << "changed before the call";
        const long changed = capture.waitFor(asked, [&](int s) { return s == step.heard; });
        ASSERT_GE(changed, 0);
        EXPECT_LE(changed, asked + latency + tenth);
        EXPECT_EQ(runs(capture.samples(changed, 2 * tenth)).size(), 1u) << "the level did not hold";
        since = changed;
    }
}

// The game's music is MP3: starting a track must not decode it whole, and it must be heard.
TEST_F(SoundEngineOutput, Mp3MusicIsStreamedAndHeard) {
    const std::string wav = capture.write("long.wav", wavBytes(30 * captureRate, [](int i) {
        return int16_t(8000 * std::sin(2.0 * M_PI * 440.0 * i / captureRate));
    }));
    const std::string mp3 = capture.path("long.mp3");
    if (std::system(("lame --quiet -b 128 '" + wav + "' '" + mp3 + "' 2>/dev/null").c_str()) != 0) {
        GTEST_SKIP() << "lame is not installed; cannot make an MP3 fixture";
    }
    auto seconds = [&](bool track) {
        const auto begin = std::chrono::steady_clock::now();
        engine->play2D(mp3, true, false, track);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    };
    const double whole = seconds(false);
    engine.reset();
    engine = capture.open();
    const double streamed = std::min({seconds(true), seconds(true), seconds(true)});
    EXPECT_LT(streamed * 5, whole) << "streamed start " << streamed << " s, whole decode " << whole << " s";
    EXPECT_GE(capture.waitFor(0, [](int s) { return std::abs(s) > 4000; }), 0) << "the MP3 is not heard";
}

}  // namespace
