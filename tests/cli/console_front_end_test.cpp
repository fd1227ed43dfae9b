#include "cli/console_front_end.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> LinesOf(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, n);
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Which of the names the line is about ("" for none).
std::string About(const std::string& line, const std::vector<std::string>& names) {
    for (const std::string& name : names)
        if (line.find(name) != std::string::npos) return name;
    return "";
}

TEST(ConsoleFrontEnd, LinesOfMissingDirectoriesKeepTheirPlaceAmongTheOthersAndAllAreOutAtTheEnd) {
    std::FILE* err = std::tmpfile();
    ASSERT_NE(err, nullptr);
    cli::ConsoleFrontEnd front(stdout, err, {});
    const std::vector<std::string> names = {"NOA", "NOB", "ALARM", "NOC", "NOD"};
    front.SourceDirectoryUnreadable("NOA", "/nowhere/NOA/");
    front.SourceDirectoryUnreadable("NOB", "/nowhere/NOB/");
    front.ShowMessage({"ALARM", "", "Ошибка"});
    front.SourceDirectoryUnreadable("NOC", "/nowhere/NOC/");
    front.EntryInWork({"x.rec", 1, 1, 1, 1});
    front.SourceDirectoryUnreadable("NOD", "/nowhere/NOD/");
    engine::RunSummary summary;
    summary.sourceDirectoryErrors = 4;
    front.RunFinished(summary);

    const std::vector<std::string> lines = LinesOf(err);
    ASSERT_EQ(lines.size(), 6u);  // the five and the summary, each whole
    for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(About(lines[i], names), names[i]);
    EXPECT_EQ(About(lines[5], names), "");
    std::fclose(err);
}

}  // namespace
