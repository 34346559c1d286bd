// The reporter's sink, report-once per file until the sink changes, and an owner's state.
#include <gtest/gtest.h>

#include <vector>

#include "io/Report.h"
#include "render/ShaderProgram.h"

namespace {
using Lines = std::vector<std::pair<ReportStream, std::string>>;
Lines captured;
void capture() {
    captured.clear();
    setReportSink(
        [](ReportStream stream, const std::string& line) { captured.emplace_back(stream, line); });
}
} // namespace

TEST(Report, OnceForEachFileUntilTheSinkChanges) {
    capture();
    reportOnce("a.tga", ReportStream::Err, "first");
    reportOnce("a.tga", ReportStream::Err, "again");
    reportOnce("b.obj", ReportStream::Out, "other");
    EXPECT_EQ(captured, (Lines{{ReportStream::Err, "first"}, {ReportStream::Out, "other"}}));
    capture();
    reportOnce("a.tga", ReportStream::Err, "after the reset");
    EXPECT_EQ(captured, (Lines{{ReportStream::Err, "after the reset"}}));
    setReportSink(nullptr);
}

TEST(Report, AShaderWithoutItsFileSaysSoAndKeepsTheReason) {
    capture();
    const ShaderProgram program("no/such/shader");
    const std::string line = "Vertex shader file no/such/shader.vert does not exist.";
    EXPECT_EQ(captured, (Lines{{ReportStream::Err, line}}));
    EXPECT_FALSE(program.state().loaded);
    EXPECT_EQ(program.state().problem, line);
    setReportSink(nullptr);
}
