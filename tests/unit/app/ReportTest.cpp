// A line through the reporter's sink, and the state of the owner it is about. Report-once per
// file is checked where owners share a file (texture tests, damaged data).
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

TEST(Report, AShaderWithoutItsFileSaysSoAndKeepsTheReason) {
    capture();
    const ShaderProgram program("no/such/shader");
    const std::string line = "Vertex shader file no/such/shader.vert does not exist.";
    EXPECT_EQ(captured, (Lines{{ReportStream::Err, line}}));
    EXPECT_FALSE(program.state().loaded);
    EXPECT_EQ(program.state().problem, line);
    setReportSink(nullptr);
}
