// Everything that can go wrong with sound must leave a playable, countable engine and at most
// one line per cause on standard error.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "AudioCapture.h"

namespace {

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool sdlAudioClosed() {
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    return SDL_WasInit(SDL_INIT_AUDIO) == 0 && Mix_QuerySpec(&rate, &format, &channels) == 0;
}

TEST(SoundEngineNoDevice, SaysSoOnceAndRunsSilentCountingPlays) {
    DiskCapture capture;
    struct Case {
        const char* name;
        const char* driver;
        std::string diskFile;
    };
    const Case cases[] = {
        {"unknown driver", "quorvex-no-such-driver", capture.path("capture.raw")},
        {"device that cannot open", "disk", capture.path("missing-dir/capture.raw")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setenv("SDL_AUDIODRIVER", c.driver, 1);
        setenv("SDL_DISKAUDIOFILE", c.diskFile.c_str(), 1);
        CerrCapture errors;
        auto engine = SoundEngine::create();
        ASSERT_NE(engine, nullptr);
        EXPECT_FALSE(engine->hasDevice());
        EXPECT_TRUE(sdlAudioClosed()) << "a failed open must not leave SDL audio up";
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(engine->play2D("resources/track1.mp3", true, false, true), nullptr);
            EXPECT_EQ(engine->play2D("no/such/punch.wav", false, false, false), nullptr);
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

// What a player without a sound card sees on standard error: the one line, and nothing from
// the libraries underneath (libasound alone prints eight).
TEST(SoundEngineNoDevice, TheDefaultDriverPrintsOnlyTheOneLine) {
    unsetenv("SDL_AUDIODRIVER");
    FILE* log = std::tmpfile();
    ASSERT_NE(log, nullptr);
    std::fflush(stderr);
    const int saved = dup(2);
    dup2(fileno(log), 2);
    auto engine = SoundEngine::create();
    std::cerr.flush();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    if (engine->hasDevice()) {
        std::fclose(log);
        GTEST_SKIP() << "this machine has a sound device";
    }
    std::rewind(log);
    std::vector<std::string> lines;
    std::string all;
    char buffer[1024];
    while (std::fgets(buffer, sizeof buffer, log) != nullptr) {
        lines.push_back(buffer);
        all += buffer;
    }
    std::fclose(log);
    ASSERT_EQ(lines.size(), 1u) << all;
    EXPECT_TRUE(startsWith(lines[0], "Sound: no audio device (")) << lines[0];
}

TEST(SoundEngineSilent, NeverTouchesSdlAndNeverReports) {
    CerrCapture errors;
    auto engine = SoundEngine::createSilent();
    EXPECT_FALSE(engine->hasDevice());
    EXPECT_EQ(engine->play2D("no/such/track.mp3", true, false, true), nullptr);
    engine->play2D("resources/enemy_die.wav", false, false, false);
    engine->play2D("resources/enemy_die.wav", false, false, false);
    EXPECT_EQ(engine->playCount("resources/enemy_die.wav"), 2);
    EXPECT_EQ(engine->playCount("no/such/track.mp3"), 1);
    EXPECT_TRUE(sdlAudioClosed());
    engine.reset();
    EXPECT_TRUE(errors.lines().empty());
}

TEST(SoundEngineFiles, AnUnplayableFileIsReportedOnceWithItsPathAndTheGameGoesOn) {
    DiskCapture capture;
    writeText(capture.path("garbage.wav"), "this is no sound at all");
    writeText(capture.path("garbage.mp3"), "");
    struct Case {
        const char* name;
        std::string file;
        bool track;
        const char* reason;
    };
    const Case cases[] = {
        {"missing effect", capture.path("missing.wav"), false, "Couldn't open"},
        {"missing music", capture.path("missing.mp3"), true, "Couldn't open"},
        {"unreadable effect", capture.path("garbage.wav"), false, ""},
        {"unreadable music", capture.path("garbage.mp3"), true, ""},
    };
    auto engine = capture.open();
    ASSERT_TRUE(engine->hasDevice());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CerrCapture errors;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(engine->play2D(c.file, true, false, c.track), nullptr);
        }
        EXPECT_EQ(engine->playCount(c.file), 3);
        const auto lines = errors.lines();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_TRUE(startsWith(lines[0], "Sound: cannot play \"" + c.file + "\" (" + c.reason))
            << lines[0];
    }

    const std::string good = capture.path("punch.wav");
    writeWav(good, 4410, [](int) { return int16_t{5000}; });
    const long asked = capture.frames();
    engine->play2D(good, false, false, false);
    EXPECT_GE(capture.waitFor(asked, [](int s) { return s == 5000; }), 0);
}

TEST(SoundEngineLifetime, ClosingStopsEverythingAndFreesTheDeviceForTheNextEngine) {
    DiskCapture capture;
    const std::string track = capture.path("track.wav");
    writeWav(track, 4410, [](int) { return int16_t{3000}; });
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        auto engine = capture.open();
        ASSERT_TRUE(engine->hasDevice());
        {
            CerrCapture errors;
            auto second = SoundEngine::create();
            EXPECT_FALSE(second->hasDevice()) << "two engines would fight over one mixer";
            ASSERT_EQ(errors.lines().size(), 1u);
            EXPECT_TRUE(startsWith(errors.lines()[0], "Sound: no audio device ("));
        }
        ASSERT_NE(engine->play2D(track, true, false, true), nullptr);
        engine->play2D(track, true, false, false);
        ASSERT_GE(capture.waitFor(0, [](int s) { return s == 6000; }), 0);
        engine.reset();
        EXPECT_TRUE(sdlAudioClosed());
    }
}

} // namespace
