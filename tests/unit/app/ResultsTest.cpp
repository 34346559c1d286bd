// The best results: their order and cut, the file's text, and the file on disk, which no
// crash, damage or second game may lose.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "app/ResultsFile.h"
#include "io/PlayerFile.h"
#include "io/Report.h"
#include "support/Fixtures.h"

namespace {

Result game(double seconds, int kills) {
    return {seconds, kills, "2026-12-08T10:00:00Z", ""};
}

std::vector<std::string> lines;
void capture() {
    lines.clear();
    setReportSink([](ReportStream, const std::string& line) { lines.push_back(line); });
}

std::vector<std::string> asideIn(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        if (entry.path().filename().string().rfind("results.damaged-", 0) == 0)
            names.push_back(entry.path().string());
    return names;
}

} // namespace

TEST(Results, OrderedByTimeThenKillsCutToTenAndReadBackAsWritten) {
    std::vector<Result> best;
    EXPECT_EQ(placeResult(best, game(10.0, 3)), 1);
    EXPECT_EQ(placeResult(best, game(10.0, 5)), 1); // more kills in the same time
    EXPECT_EQ(placeResult(best, game(10.0, 3)), 3); // a tie goes after the earlier game
    for (int i = 0; i < 7; ++i)
        placeResult(best, game(20.0 + i, 0));
    EXPECT_EQ(placeResult(best, game(1.0, 99)), 0);
    EXPECT_EQ(placeResult(best, game(15.0, 0)), 8);
    ASSERT_EQ(best.size(), 10u);
    EXPECT_EQ(best.front().seconds, 26.0);
    EXPECT_EQ(best[8].kills, 5);
    EXPECT_EQ(best[9].kills, 3);

    best.front().seconds = 3725.125;
    const ParsedResults parsed = parseResults(formatResults(best));
    EXPECT_FALSE(parsed.damaged) << parsed.problem;
    ASSERT_EQ(parsed.results.size(), best.size());
    for (size_t i = 0; i < best.size(); ++i)
        EXPECT_TRUE(parsed.results[i].seconds == best[i].seconds &&
                    parsed.results[i].kills == best[i].kills &&
                    parsed.results[i].date == best[i].date);
}

TEST(Results, ADamagedFileKeepsWhatCanBeReadAndSaysWhy) {
    const std::string good = "12.500 4 2026-12-08T10:00:00Z\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", "not a results file"},
        {"quorvex results 2\n" + good, "written by a newer version (format 2)"},
        {"quorvex results 1\n" + good + "12 x 2026-12-08T10:00:00Z\n", "line 3 cannot be read"},
        {"quorvex results 1\n" + good + "-1 4 2026-12-08T10:00:00Z\n", "line 3 cannot be read"},
        {"quorvex results 1\n" + good + "1 4 2026-13-08T10:00:00Z\n", "line 3 cannot be read"},
        {"quorvex results 1\n" + good + "7.0 1 2026-12-0", "line 3 cannot be read"},
        {"quorvex results 1\n" + good.substr(0, good.size() - 1), "cut short"},
    };
    for (const auto& [text, problem] : cases) {
        const ParsedResults parsed = parseResults(text);
        EXPECT_TRUE(parsed.damaged) << text;
        EXPECT_EQ(parsed.problem, problem) << text;
        EXPECT_EQ(parsed.results.size(), text.size() > 40 && !parsed.newer ? 1u : 0u) << text;
    }
}

TEST(ResultsFile, TwoGamesMergeAndADamagedFileIsSetAsideOnceNeverOverwritten) {
    capture();
    TempDir dir;
    const std::string path = dir.file("deeper/results");
    ResultsFile first(path), second(path);
    first.load();
    EXPECT_EQ(first.record(game(30.0, 2)).place, 1);
    EXPECT_EQ(second.record(game(40.0, 1)).place, 1); // the other window's game is read first
    const ResultsFile::Outcome third = first.record(game(35.0, 0));
    EXPECT_EQ(third.place, 2);
    EXPECT_EQ(third.best.seconds, 40.0);
    EXPECT_EQ(parseResults(readPlayerFile(path, 4096).bytes).results.size(), 3u);
    EXPECT_TRUE(lines.empty());

    const std::string damaged = "quorvex results 1\n9.000 1 2026-12-08T10:00:00Z\nnonsense\n";
    TempDir other;
    const std::string otherPath = other.write("results", damaged);
    ResultsFile reader(otherPath);
    reader.load();
    const std::vector<std::string> aside = asideIn(other);
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(readPlayerFile(aside[0], 4096).bytes, damaged);
    EXPECT_EQ(lines, std::vector<std::string>(
                         {otherPath + ": line 3 cannot be read; moved aside to " + aside[0]}));
    // The readable result is kept in a fresh file beside the one set aside.
    EXPECT_EQ(parseResults(readPlayerFile(otherPath, 4096).bytes).results.size(), 1u);
    EXPECT_EQ(reader.record(game(1.0, 0)).place, 2);
    EXPECT_EQ(asideIn(other).size(), 1u);
    setReportSink(nullptr);
}

TEST(ResultsFile, NoPlaceADirectoryOrAPipeCostOneLineAndTheGameGoesOn) {
    capture();
    TempDir dir;
    std::filesystem::create_directory(dir.file("results"));
    ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);
    for (const std::string& path : {std::string(), dir.file("results"), dir.file("pipe")}) {
        lines.clear();
        ResultsFile results(path);
        results.load();
        EXPECT_EQ(results.record(game(5.0, 1)).place, 1);
        EXPECT_EQ(results.record(game(6.0, 1)).place, 1);
        EXPECT_EQ(results.best().size(), 2u);
        EXPECT_EQ(lines.size(), 1u) << path;
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("results")));
    EXPECT_TRUE(asideIn(dir).empty());
    setReportSink(nullptr);
}

TEST(ResultsFile, AWriteStoppedAtAnyStepLeavesTheOldFileOrTheNewOneWhole) {
    capture();
    const WriteStep steps[] = {WriteStep::Create, WriteStep::Write,  WriteStep::Flush,
                               WriteStep::Close,  WriteStep::Rename, WriteStep::FlushFolder};
    for (const WriteStep stop : steps) {
        TempDir dir;
        const std::string path = dir.file("results");
        ResultsFile(path).record(game(10.0, 1));
        const std::string before = readPlayerFile(path, 4096).bytes;
        setWriteInterruption([stop](WriteStep step) { return step == stop; });
        ResultsFile killed(path);
        killed.record(game(20.0, 2));
        setWriteInterruption(nullptr);
        const std::string after = readPlayerFile(path, 4096).bytes;
        const ParsedResults parsed = parseResults(after);
        EXPECT_FALSE(parsed.damaged) << static_cast<int>(stop);
        EXPECT_EQ(parsed.results.size(), stop >= WriteStep::FlushFolder ? 2u : 1u);
        if (stop < WriteStep::FlushFolder) {
            EXPECT_EQ(after, before);
        }
        // The game after the crash finds a whole file, and a stale new one is no obstacle.
        EXPECT_EQ(ResultsFile(path).record(game(30.0, 3)).place, 1);
        EXPECT_EQ(parseResults(readPlayerFile(path, 4096).bytes).results.size(),
                  stop >= WriteStep::FlushFolder ? 3u : 2u);
    }
    setReportSink(nullptr);
}
