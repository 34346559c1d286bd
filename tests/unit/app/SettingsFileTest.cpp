#include <gtest/gtest.h>

#include <filesystem>

#include "app/SettingsFile.h"
#include "io/Report.h"
#include "support/Fixtures.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> lines;
void captureLines() {
    lines.clear();
    setReportSink([](ReportStream, const std::string& line) { lines.push_back(line); });
}

// The volume read, or what is wrong.
std::string outcome(const std::string& text) {
    const SettingsParse r = parseSettings(text);
    return r.ok ? std::to_string(r.settings.musicVolume).substr(0, 4) : r.problem;
}

} // namespace

TEST(Settings, ReadFromTheirOwnFormatOnlyWithAVolumeFromZeroToOne) {
    const std::string head = "quorvex-settings 1\n";
    const std::string bad = "\": the volume is not a number from 0 to 1";
    const std::pair<std::string, std::string> cases[] = {
        {head + "music-volume 0.3\n", "0.30"},
        {"quorvex-settings 1\r\nmusic-volume 0\r\n\r\n", "0.00"},
        {head, "1.00"},
        {head + "later-thing on\nmusic-volume 1", "1.00"},
        {"", "not a settings file (its first line is \"\")"},
        {"\x89PNG\r\n\x1a\n", "not a settings file (its first line is \"?PNG\")"},
        {"quorvex-settings 2\nmusic-volume 0.3\n", "written by a newer game (format 2)"},
        {"quorvex-settings 1.5\n", "unknown format version \"1.5\""},
        {head + "music-volume 1.5\n", "line 2 \"music-volume 1.5" + bad},
        {head + "music-volume nan\n", "line 2 \"music-volume nan" + bad},
        {head + "\nmusic-volume 0.3x\n", "line 3 \"music-volume 0.3x" + bad},
        {head + "music-volume\n", "line 2 \"music-volume\" is not \"name value\""},
        {head + " 0.3\n", "line 2 \" 0.3\" is not \"name value\""},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(outcome(text), expected) << text;
}

TEST(Settings, WrittenInHundredthsWithTheLinesOfALaterGameKept) {
    const std::string text = formatSettings({0.29999998f, {"later-thing on"}});
    EXPECT_EQ(text, "quorvex-settings 1\nmusic-volume 0.3\nlater-thing on\n");
    EXPECT_EQ(formatSettings(parseSettings(text).settings), text);
}

TEST(SettingsFile, WrittenOnlyWhenChangedAndADamagedFileMovedAsideOnce) {
    captureLines();
    TempDir dir;
    const std::string path = dir.file("state/quorvex/settings");
    const Settings quieter{0.4f, {}};
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
        lines.clear();
        SettingsFile damaged(path);
        EXPECT_EQ(damaged.settings().musicVolume, 1.0f);
        ASSERT_EQ(lines.size(), 1u);
        const std::string because =
            folder ? "not a regular file" : "not a settings file (its first line is \"x\")";
        EXPECT_EQ(lines[0].substr(0, lines[0].find("; moved aside to ")), path + ": " + because);
        const size_t from = lines[0].find(" to ") + 4;
        const std::string aside = lines[0].substr(from, lines[0].find(", and") - from);
        EXPECT_EQ(folder ? fs::is_directory(aside) : fs::is_regular_file(aside), true) << aside;
        EXPECT_FALSE(fs::exists(path));
        damaged.save(quieter);
        EXPECT_EQ(SettingsFile(path).settings().musicVolume, 0.4f);
    }
    EXPECT_EQ(lines.size(), 1u);
    setReportSink(nullptr);
}

TEST(SettingsFile, WithoutAPlaceToWriteTheGamePlaysOnAndSaysSoOnce) {
    captureLines();
    TempDir dir;
    const Settings quieter{0.5f, {}};
    SettingsFile nowhere("");
    nowhere.save(quieter);
    nowhere.save(quieter);
    const std::string blocked = dir.file("settings");
    fs::create_directory(blocked + ".new"); // where the new file would be written
    SettingsFile(blocked).save(quieter);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "The music volume is not remembered: nowhere to keep it (neither HOME "
                         "nor XDG_STATE_HOME is an absolute path)",
                         "The music volume is not remembered: cannot write " + blocked +
                             ".new: Is a directory"}));
    setReportSink(nullptr);
}
