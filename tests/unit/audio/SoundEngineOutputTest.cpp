// Listens to what the engine really sends to the device, through SDL's disk driver. Fixtures
// are constant-level WAVs: the mixer passes them through unchanged at full volume, so every
// sum and volume step shows up as an exact sample value.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "AudioCapture.h"

namespace {

constexpr long tenthSecond = captureRate / 10;
// Sound mixed before a call can still reach the file after it: one device buffer plus one
// stdio buffer. Anything the call changes must show after that.
constexpr long latency = 2048;

class SoundEngineOutput : public ::testing::Test {
  protected:
    void SetUp() override {
        engine = capture.open();
        ASSERT_TRUE(engine->hasDevice());
    }

    std::string level(const std::string& name, int value, double seconds) {
        const std::string file = capture.path(name);
        writeWav(file, static_cast<int>(seconds * captureRate),
                 [value](int) { return static_cast<int16_t>(value); });
        return file;
    }

    DiskCapture capture;
    std::unique_ptr<SoundEngine> engine;
};

TEST_F(SoundEngineOutput, EffectIsHeardAtOnceForItsLengthAndDecodedOnlyOnce) {
    const std::string punch = level("punch.wav", 5000, 0.2);
    CerrCapture errors;

    for (int play = 0; play < 2; ++play) {
        SCOPED_TRACE(play);
        const long asked = capture.frames();
        EXPECT_EQ(engine->play2D(punch, false, false, false), nullptr);
        const long start = capture.waitFor(asked, [](int s) { return s != 0; });
        ASSERT_GE(start, 0) << "the effect never reached the output";
        EXPECT_LE(start, asked + latency + tenthSecond);
        const auto heard = runs(capture.samples(start, 2 * 8820));
        ASSERT_EQ(heard.size(), 2u);
        EXPECT_EQ(heard[0], std::make_pair(5000, 8820L));
        EXPECT_EQ(heard[1].first, 0);
        // The second play must come from the cache.
        std::filesystem::remove(punch);
    }
    EXPECT_EQ(engine->playCount(punch), 2);
    EXPECT_TRUE(errors.lines().empty());
}

TEST_F(SoundEngineOutput, EffectsMixOverTheMusic) {
    Sound* music = engine->play2D(level("track.wav", 1000, 0.5), true, false, true);
    ASSERT_NE(music, nullptr);
    const long musicStart = capture.waitFor(0, [](int s) { return s == 1000; });
    ASSERT_GE(musicStart, 0);

    const long asked = capture.frames();
    engine->play2D(level("a.wav", 3000, 0.3), false, false, false);
    engine->play2D(level("b.wav", 7000, 0.3), false, false, false);
    const long start = capture.waitFor(asked, [](int s) { return s > 1000; });
    ASSERT_GE(start, 0);
    const std::vector<int> mixed = capture.samples(start, 5 * tenthSecond);
    ASSERT_FALSE(mixed.empty());
    EXPECT_EQ(*std::max_element(mixed.begin(), mixed.end()), 11000);
    EXPECT_GE(std::count(mixed.begin(), mixed.end(), 11000), 2 * tenthSecond);
    EXPECT_EQ(mixed.back(), 1000) << "the music must go on under and after the effects";
}

TEST_F(SoundEngineOutput, TheNewestEffectIsHeardWhenEveryChannelIsBusy) {
    const std::string hum = level("hum.wav", 100, 0.1);
    for (int i = 0; i < 32; ++i) {
        engine->play2D(hum, true, false, false);
    }
    ASSERT_GE(capture.waitFor(0, [](int s) { return s == 3200; }), 0);
    const long asked = capture.frames();
    engine->play2D(level("punch.wav", 5000, 0.2), false, false, false);
    // One hum gives way to the punch.
    EXPECT_GE(capture.waitFor(asked, [](int s) { return s == 8100; }), 0);
}

TEST_F(SoundEngineOutput, MusicLoopsSeamlesslyOnlyWhenAskedTo) {
    const std::string track = level("track.wav", 6000, 0.1);
    for (bool looped : {true, false}) {
        SCOPED_TRACE(looped ? "looped" : "once");
        const long asked = capture.frames();
        ASSERT_NE(engine->play2D(track, looped, false, true), nullptr);
        const long start = capture.waitFor(asked, [](int s) { return s == 6000; });
        ASSERT_GE(start, 0);
        const auto heard = runs(capture.samples(start, 10 * tenthSecond));
        ASSERT_FALSE(heard.empty());
        if (looped) {
            EXPECT_EQ(heard.size(), 1u) << "a gap or a change in the looped music";
        } else {
            ASSERT_EQ(heard.size(), 2u);
            EXPECT_EQ(heard[0].second, tenthSecond);
            EXPECT_EQ(heard[1].first, 0);
        }
    }
}

TEST_F(SoundEngineOutput, VolumeChangesAreHeardAtOnceAtTheirLevel) {
    Sound* music = engine->play2D(level("track.wav", 8000, 0.5), true, false, true);
    ASSERT_NE(music, nullptr);
    EXPECT_EQ(music->getVolume(), 1.0f);
    long since = capture.waitFor(0, [](int s) { return s == 8000; });
    ASSERT_GE(since, 0);

    struct Step {
        float volume;
        int heard;
    };
    for (Step step : {Step{0.25f, 2000}, Step{0.0f, 0}, Step{1.0f, 8000}}) {
        SCOPED_TRACE(step.volume);
        const long asked = capture.frames();
        music->setVolume(step.volume);
        EXPECT_EQ(music->getVolume(), step.volume);
        const auto before = runs(capture.samples(since, asked - since));
        EXPECT_EQ(before.size(), 1u) << "the level changed before the call";
        const long changed = capture.waitFor(asked, [&](int s) { return s == step.heard; });
        ASSERT_GE(changed, 0);
        EXPECT_LE(changed, asked + latency + tenthSecond);
        const auto after = runs(capture.samples(changed, 2 * tenthSecond));
        EXPECT_EQ(after.size(), 1u) << "the level did not hold";
        since = changed;
    }
}

TEST_F(SoundEngineOutput, OutOfRangeVolumesAreClamped) {
    Sound* music = engine->play2D(level("track.wav", 8000, 0.5), true, false, true);
    ASSERT_NE(music, nullptr);
    struct Case {
        const char* name;
        float set;
        float kept;
    };
    for (Case c : {Case{"above", 1.5f, 1.0f}, Case{"below", -0.2f, 0.0f},
                   Case{"nan", std::nanf(""), 0.0f}, Case{"step", 0.1f, 0.1f}}) {
        SCOPED_TRACE(c.name);
        music->setVolume(c.set);
        EXPECT_EQ(music->getVolume(), c.kept);
    }
}

TEST_F(SoundEngineOutput, ASecondTrackReplacesTheFirstAndOnlyItsHandleActs) {
    Sound* first = engine->play2D(level("one.wav", 2000, 0.5), true, false, true);
    ASSERT_NE(first, nullptr);
    ASSERT_GE(capture.waitFor(0, [](int s) { return s == 2000; }), 0);
    first->setVolume(0.5f);
    ASSERT_GE(capture.waitFor(0, [](int s) { return s == 1000; }), 0);
    const long asked = capture.frames();
    Sound* second = engine->play2D(level("two.wav", 6000, 0.5), true, false, true);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(second->getVolume(), 1.0f);
    // At full volume, as its handle says, whatever the first track was left at.
    const long replaced = capture.waitFor(asked, [](int s) { return s == 6000; });
    ASSERT_GE(replaced, 0);

    first->setVolume(0.0f);
    EXPECT_EQ(first->getVolume(), 0.0f);
    const long stale = capture.frames();
    const auto kept = runs(capture.samples(replaced, stale + latency + 2 * tenthSecond - replaced));
    EXPECT_EQ(kept.size(), 1u) << "the replaced track's handle still changes the music";

    second->setVolume(0.5f);
    EXPECT_GE(capture.waitFor(capture.frames(), [](int s) { return s == 3000; }), 0);
}

TEST_F(SoundEngineOutput, APausedStartStaysSilent) {
    const long asked = capture.frames();
    EXPECT_NE(engine->play2D(level("track.wav", 6000, 0.5), true, true, true), nullptr);
    EXPECT_EQ(engine->play2D(level("punch.wav", 5000, 0.2), false, true, false), nullptr);
    const std::vector<int> heard = capture.samples(asked, 3 * tenthSecond);
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(*std::max_element(heard.begin(), heard.end()), 0);
}

// The game's tracks are MP3s: one must play, and starting it must not decode it whole.
TEST_F(SoundEngineOutput, Mp3MusicIsStreamedAndHeard) {
    const std::string wav = capture.path("long.wav");
    const std::string mp3 = capture.path("long.mp3");
    writeWav(wav, 30 * captureRate, [](int i) {
        return static_cast<int16_t>(8000 * std::sin(2.0 * M_PI * 440.0 * i / captureRate));
    });
    const std::string encode = "lame --quiet -b 128 '" + wav + "' '" + mp3 + "' 2>/dev/null";
    if (std::system(encode.c_str()) != 0) {
        GTEST_SKIP() << "lame is not installed; cannot make an MP3 fixture";
    }
    using Clock = std::chrono::steady_clock;
    auto timed = [&](bool track) {
        const auto begin = Clock::now();
        engine->play2D(mp3, true, false, track);
        return std::chrono::duration<double>(Clock::now() - begin).count();
    };
    const double decodeWhole = timed(false);
    engine.reset();
    engine = capture.open();
    double stream = timed(true);
    for (int i = 0; i < 2; ++i) {
        stream = std::min(stream, timed(true));
    }
    std::printf("30 s MP3: streamed start %.2f ms, whole decode %.2f ms\n", stream * 1e3,
                decodeWhole * 1e3);
    EXPECT_LT(stream * 5, decodeWhole);

    const long start = capture.waitFor(0, [](int s) { return std::abs(s) > 1000; });
    ASSERT_GE(start, 0);
    const std::vector<int> heard = capture.samples(start, 2 * tenthSecond);
    ASSERT_FALSE(heard.empty());
    double sum = 0.0;
    for (int s : heard) {
        sum += double(s) * s;
    }
    EXPECT_NEAR(std::sqrt(sum / heard.size()), 8000 / std::sqrt(2.0), 800);
}

} // namespace
