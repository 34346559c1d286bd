#include "app/SettingsFile.h"

#include <charconv>
#include <cmath>

#include "io/PlayerFile.h"
#include "io/Report.h"

namespace {

const char kFormat[] = "quorvex-settings";
constexpr int kVersion = 1;
constexpr std::size_t kMaxBytes = 64 * 1024;

// A piece of a foreign file fit to quote on one line of a terminal.
std::string quoted(const std::string& text) {
    std::string shown;
    for (const char c : text.substr(0, 40))
        shown += c >= ' ' && c <= '~' ? c : '?';
    return "\"" + shown + (text.size() > 40 ? "...\"" : "\"");
}

bool parseVolume(const std::string& text, float& volume) {
    // Digits first: no sign, and none of the words that from_chars also takes (nan, inf).
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return false;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, volume, std::chars_format::fixed);
    return error == std::errc() && stop == end && volume >= 0.0f && volume <= 1.0f;
}

SettingsParse refuse(const std::string& problem) {
    SettingsParse result;
    result.problem = problem;
    return result;
}

} // namespace

SettingsParse parseSettings(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        if (!lines.back().empty() && lines.back().back() == '\r')
            lines.back().pop_back();
        start = end + 1;
    }
    const std::string head = std::string(kFormat) + " ";
    if (lines.empty() || lines[0].rfind(head, 0) != 0)
        return refuse("not a settings file (its first line is " +
                      quoted(lines.empty() ? "" : lines[0]) + ")");
    const std::string version = lines[0].substr(head.size());
    if (version != std::to_string(kVersion)) {
        const bool newer = !version.empty() && version.size() < 10 &&
                           version.find_first_not_of("0123456789") == std::string::npos &&
                           std::stoi(version) > kVersion;
        return refuse(newer ? "written by a newer game (format " + version + ")"
                            : "unknown format version " + quoted(version));
    }
    SettingsParse result;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const size_t space = line.find(' ');
        const std::string where = "line " + std::to_string(i + 1) + " ";
        if (line.empty())
            continue;
        if (space == 0 || space == std::string::npos || space + 1 == line.size())
            return refuse(where + quoted(line) + " is not \"name value\"");
        if (line.compare(0, space, "music-volume") != 0) {
            result.settings.otherLines.push_back(line);
        } else if (!parseVolume(line.substr(space + 1), result.settings.musicVolume)) {
            return refuse(where + quoted(line) + ": the volume is not a number from 0 to 1");
        }
    }
    result.ok = true;
    return result;
}

std::string formatSettings(const Settings& settings) {
    // Hundredths are finer than any step of the volume keys; they keep the file tidy.
    const float volume = std::round(settings.musicVolume * 100.0f) / 100.0f;
    char number[32];
    const auto end = std::to_chars(number, number + sizeof number, volume).ptr;
    std::string text = std::string(kFormat) + " " + std::to_string(kVersion) + "\n";
    text += "music-volume " + std::string(number, end) + "\n";
    for (const std::string& line : settings.otherLines)
        text += line + "\n";
    return text;
}

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {
    written_ = formatSettings(settings_);
    if (path_.empty())
        return;
    const PlayerFileRead read = readPlayerFile(path_, kMaxBytes);
    if (read.state == PlayerFileState::Absent)
        return;
    std::string problem = read.problem;
    if (read.state == PlayerFileState::Read) {
        const SettingsParse parsed = parseSettings(read.bytes);
        if (parsed.ok) {
            settings_ = parsed.settings;
            written_ = formatSettings(settings_);
            return;
        }
        problem = parsed.problem;
    }
    std::string why;
    const std::string aside = setAsidePlayerFile(path_, why);
    mayWrite_ = !aside.empty();
    report(ReportStream::Err,
           path_ + ": " + problem + "; " +
               (aside.empty() ? why + ", so it is left alone" : "moved aside to " + aside) +
               ", and the music starts at full volume");
}

void SettingsFile::save(const Settings& settings) {
    const std::string text = formatSettings(settings);
    if (text == written_ || failed_)
        return;
    std::string problem;
    if (path_.empty()) {
        problem = "nowhere to keep it (neither HOME nor XDG_STATE_HOME is an absolute path)";
    } else if (!mayWrite_) {
        problem = path_ + " is left alone, as it could not be moved aside";
    } else {
        PlayerFileLock lock(path_);
        if (!lock.locked())
            problem = lock.problem();
        else if (writePlayerFile(path_, text, problem))
            written_ = text;
    }
    if (written_ != text) {
        failed_ = true;
        report(ReportStream::Err, "The music volume is not remembered: " + problem);
    }
}
