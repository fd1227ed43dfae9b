// kelvaron-plot as the operator runs it: a PNG of the recording, clear
// refusals naming file, station and cause.
#include <gtest/gtest.h>

#include <QImage>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/support/recorder_generator.h"
#include "tests/support/temp_dir.h"

namespace {

struct PlotRun {
    int status = -1;
    std::string output;
};

PlotRun RunPlot(const std::string& args, const std::string& dir) {
    const std::string log = dir + "/plot.log";
    const std::string command = "QT_QPA_PLATFORM=offscreen KELVARON_LANG=en '" +
                                std::string(KELVARON_PLOT) + "' " + args + " >'" + log + "' 2>&1";
    PlotRun run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.output = testing_support::ReadFileBytes(log);
    return run;
}

TEST(KelvaronPlot, WritesThePictureOrSaysWhyNot) {
    testing_support::TempDir dir;
    testing_support::RecordingPlan plan;
    plan.data.records = 20;
    const std::string in = testing_support::MakeRecording(plan).WriteTo(dir.File("in.rec"));
    const std::string out = dir.File("out.png");
    const std::string junk = dir.Write("junk.bin", std::string("\x89PNG\r\n\x1a\n\0\0 junk", 16));

    const PlotRun ok = RunPlot(
        "'" + in + "' -o '" + out + "' --channels SHE,SHZ --width 640 --height 360", dir.path());
    ASSERT_EQ(ok.status, 0) << ok.output;
    QImage picture;
    ASSERT_TRUE(picture.load(QString::fromStdString(out)));
    EXPECT_EQ(picture.size(), QSize(640, 360));
    int ink = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) ink += picture.pixelColor(x, y) != Qt::white;
    EXPECT_GT(ink, 640 * 2);  // two channels of samples at least a line each

    const struct {
        const char* what;
        std::string args;
        int status;
        std::string says;
    } refusals[] = {
        {"unknown channel", "'" + in + "' -o '" + out + "' --channels XYZ", 1,
         "File '" + in + "' of station STA1 has no channel XYZ"},
        {"missing file", "'" + dir.File("none.rec") + "' -o '" + out + "'", 1,
         "File '" + dir.File("none.rec") + "' cannot be read: no such file or directory"},
        {"no recorder header", "'" + junk + "' -o '" + out + "'", 1,
         "File '" + junk + "' is not a recorder file"},
        {"no output named", "'" + in + "'", 2, "Usage: kelvaron-plot FILE -o PICTURE.png"},
        {"width out of range", "'" + in + "' -o '" + out + "' --width 5", 2, "Usage:"},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.what);
        const PlotRun run = RunPlot(r.args, dir.path());
        EXPECT_EQ(run.status, r.status);
        EXPECT_NE(run.output.find(r.says), std::string::npos) << run.output;
    }
}

}  // namespace
