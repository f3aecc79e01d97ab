// The peak working set is read from the gate while its dialog shows, and every showing of the dialog in
// the benchmark closes on its own.
#include "bench/probes.h"

#include "tools/scenario/harness.h"
#include "ui/message/uMessage.h"

#include <gtest/gtest.h>

namespace {

TEST(ProbesTest, PeakWorkingSetsAreToldAndNothingIsLeftRunning) {
    const PeakWorkingSets peaks = MeasurePeakWorkingSets();
    ASSERT_TRUE(peaks.Gate.has_value());
    ASSERT_TRUE(peaks.PlainWindow.has_value());
    EXPECT_GT(*peaks.Gate, 1024u * 1024u);
    EXPECT_GT(*peaks.PlainWindow, 1024u * 1024u);
    for (const char* program : {"Mivora.exe", "MivoraMain.exe", "ZM_LiveUpdate.exe"})
        EXPECT_TRUE(scenario::RunningPrograms(program).empty()) << program;
}

TEST(ProbesTest, EveryShowingOfTheDialogClosesOnItsOwn) {
    const std::vector<double> times = DialogTimes(3);
    ASSERT_EQ(times.size(), 3u);
    for (double time : times)
        EXPECT_GT(time, 0);
    EXPECT_EQ(fMessage, nullptr);
}

} // namespace
