// quorvex_assets RESOURCES_DIR MUSIC_WAV_DIR
// Writes every generated file of the game into RESOURCES_DIR, and the music as WAV files into
// MUSIC_WAV_DIR for the MP3 encoder (see tools/regenerate-assets). Same bytes on every run.
#include <cstdio>
#include <string>

#include "Bodies.h"
#include "Characters.h"
#include "Effects.h"
#include "FontAtlas.h"
#include "Icon.h"
#include "ObjWriter.h"
#include "PngWriter.h"
#include "Songs.h"
#include "Synth.h"
#include "Textures.h"
#include "TgaWriter.h"
#include "WavWriter.h"

namespace {

const char* const kFonts[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf",
};

bool report(bool ok, const std::string& what) {
    if (!ok) {
        std::fprintf(stderr, "quorvex_assets: cannot write %s\n", what.c_str());
    }
    return ok;
}

bool writeMeshes(const std::string& dir) {
    const glm::vec3 white(1.0f), sunColour(1.0f, 0.84f, 0.35f);
    bool ok = report(writeObj(dir, "planet", planetMesh(27), white, true), "planet.obj");
    ok = report(writeObj(dir, "sun", sunMesh(64), sunColour, false), "sun.obj") && ok;
    ok = report(writeObj(dir, "player", playerMesh(), white, true), "player.obj") && ok;
    ok = report(writeObj(dir, "enemy", enemyMesh(), white, true), "enemy.obj") && ok;
    return report(writeObj(dir, "fist", fistMesh(), white, true), "fist.obj") && ok;
}

bool writeImages(const std::string& dir) {
    bool ok = report(writeTga(dir + "/planet.tga", planetTexture(2048), false), "planet.tga");
    ok = report(writeTga(dir + "/player_texture.tga", playerSkin(), false), "player_texture.tga") &&
         ok;
    ok = report(writeTga(dir + "/enemy.tga", enemySkin(), false), "enemy.tga") && ok;
    // Each size drawn at its own resolution: a downscaled 256 px icon would blur at 32 px.
    for (int size : {32, 48, 64, 128, 256}) {
        std::string name = "icon_" + std::to_string(size) + ".png";
        ok = report(writePng(dir + "/" + name, renderIcon(size)), name) && ok;
    }
    Image atlas(1, 1);
    std::string problem;
    bool fontOk = false;
    for (const char* font : kFonts) {
        if (renderFontAtlas(font, 1024, atlas, &problem)) {
            fontOk = true;
            break;
        }
    }
    if (!fontOk) {
        std::fprintf(stderr, "quorvex_assets: %s (install fonts-dejavu-core)\n", problem.c_str());
        return false;
    }
    return report(writeTga(dir + "/font.tga", atlas, true), "font.tga") && ok;
}

bool writeSounds(const std::string& dir, const std::string& musicDir) {
    bool ok = report(writeWav(dir + "/punch.wav", punchSound(), 1, kSampleRate), "punch.wav");
    ok = report(writeWav(dir + "/enemy_punch.wav", enemyPunchSound(), 1, kSampleRate),
                "enemy_punch.wav") &&
         ok;
    ok = report(writeWav(dir + "/enemy_die.wav", enemyDieSound(), 1, kSampleRate),
                "enemy_die.wav") &&
         ok;
    for (const Song& song : composeSongs()) {
        ok = report(writeWav(musicDir + "/" + song.name + ".wav", song.samples, 2, kSampleRate),
                    song.name) &&
             ok;
    }
    return ok;
}

bool writeConfig(const std::string& dir) {
    FILE* f = std::fopen((dir + "/config").c_str(), "w");
    if (!f) {
        return report(false, "config");
    }
    std::fputs("window\n1280\n720\n", f);
    return report(std::fclose(f) == 0, "config");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: quorvex_assets RESOURCES_DIR MUSIC_WAV_DIR\n");
        return 2;
    }
    std::string dir = argv[1], musicDir = argv[2];
    bool ok = writeConfig(dir);
    ok = writeMeshes(dir) && ok;
    ok = writeImages(dir) && ok;
    ok = writeSounds(dir, musicDir) && ok;
    return ok ? 0 : 1;
}
