#include <gtest/gtest.h>

#include <filesystem>

#include "app/SettingsFile.h"
#include "io/Report.h"
#include "support/Fixtures.h"

namespace fs = std::filesystem;

TEST(Settings, ReadFromTheirOwnFormatOnlyWithAVolumeFromZeroToOneAndWrittenBack) {
    const std::string head = "quorvex-settings 1\n";
    const std::string bad = "\": the volume is not a number from 0 to 1";
    const std::pair<std::string, std::string> cases[] = {
        {head + "music-volume 0.3\n", "0.300000"},
        {"quorvex-settings 1\r\nmusic-volume 0\r\n\r\n", "0.000000"},
        {head, "1.000000"},
        {"", "not a settings file (its first line is \"\")"},
        {"\x89PNG\r\n\x1a\n", "not a settings file (its first line is \"?PNG\")"},
        {"quorvex-settings 2\nmusic-volume 0.3\n", "written by a newer game (format 2)"},
        {"quorvex-settings 1.5\n", "unknown format version \"1.5\""},
        {head + "music-volume 1.5\n", "line 2 \"music-volume 1.5" + bad},
        {head + "music-volume\n", "line 2 \"music-volume\" is not \"name value\""},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parseSettings(text).ok ? std::to_string(parseSettings(text).settings.musicVolume)
                                         : parseSettings(text).problem,
                  expected)
            << text;
    // Written in hundredths, with the lines of a later game kept.
    const std::string text = formatSettings({0.29999998f, {"later-thing on"}});
    EXPECT_EQ(text, "quorvex-settings 1\nmusic-volume 0.3\nlater-thing on\n");
    EXPECT_EQ(formatSettings(parseSettings(text).settings), text);
}

TEST(SettingsFile, WrittenOnlyWhenChangedADamagedFileMovedAsideAFailureToldOnce) {
    std::vector<std::string> lines;
    setReportSink([&](ReportStream, const std::string& line) { lines.push_back(line); });
    TempDir dir;
    const std::string path = dir.file("state/quorvex/settings");
    const Settings quieter{0.4f, {}}, louder{0.5f, {}};
    {
        SettingsFile absent(path);
        absent.save(absent.settings());
        EXPECT_FALSE(fs::exists(dir.file("state"))) << "unchanged settings were written";
        absent.save(quieter);
    }
    EXPECT_EQ(SettingsFile(path).settings().musicVolume, 0.4f);
    for (const bool folder : {false, true}) {
        fs::remove_all(path);
        folder ? (void)fs::create_directory(path) : (void)dir.write("state/quorvex/settings", "x");
        SettingsFile damaged(path);
        EXPECT_EQ(damaged.settings().musicVolume, 1.0f);
        const std::string& line = lines.back();
        const size_t from = line.find(" to ") + 4;
        const std::string aside = line.substr(from, line.find(", and") - from);
        EXPECT_EQ(
            line.substr(0, from),
            path + ": " +
                (folder ? "not a regular file" : "not a settings file (its first line is \"x\")") +
                "; moved aside to ");
        EXPECT_TRUE(folder ? fs::is_directory(aside) : fs::is_regular_file(aside)) << aside;
        EXPECT_FALSE(fs::exists(path));
        damaged.save(quieter);
        EXPECT_EQ(SettingsFile(path).settings().musicVolume, 0.4f);
    }
    SettingsFile nowhere("");
    nowhere.save(louder);
    nowhere.save(louder);
    fs::create_directory(path + ".new"); // where the new file would be written
    SettingsFile(path).save(louder);
    EXPECT_EQ(
        std::vector(lines.begin() + 2, lines.end()),
        (std::vector<std::string>{
            "The music volume is not remembered: nowhere to keep it (neither HOME nor "
            "XDG_STATE_HOME is an absolute path)",
            "The music volume is not remembered: cannot write " + path + ".new: Is a directory"}));
    setReportSink(nullptr);
}
