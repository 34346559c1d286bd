#include "io/Report.h"

#include <iostream>
#include <set>

namespace {

ReportSink& sink() {
    static ReportSink installed;
    return installed;
}

std::set<std::string>& reported() {
    static std::set<std::string> files;
    return files;
}

} // namespace

void report(ReportStream stream, const std::string& line) {
    if (sink()) {
        sink()(stream, line);
        return;
    }
    (stream == ReportStream::Out ? std::cout : std::cerr) << line << std::endl;
}

void reportOnce(const std::string& file, ReportStream stream, const std::string& line) {
    if (reported().insert(file).second) {
        report(stream, line);
    }
}

void setReportSink(ReportSink newSink) {
    sink() = std::move(newSink);
    reported().clear();
}
