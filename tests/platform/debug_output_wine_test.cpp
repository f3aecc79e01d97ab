// The debug lines against stand-ins of a debug-output viewer, in another process as on a user's PC: the
// protocol Windows documents for OutputDebugStringA (the shared buffer "DBWIN_BUFFER", the events
// "DBWIN_BUFFER_READY" and "DBWIN_DATA_READY", the writers' mutex "DBWinMutex"), which Wine follows.
#include "platform/win32/module_file_path.h"
#include "platform/win32/unique_resource.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using platform::UniqueHandle;

UniqueHandle Start(const std::string& arguments) {
    const std::string program = ModuleDirectory(nullptr) + "debug_output_stub.exe";
    std::string line = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info))
        return UniqueHandle();
    const UniqueHandle thread(info.hThread);
    return UniqueHandle(info.hProcess);
}

// A viewer of one kind, listening until the test ends.
class Viewer {
public:
    Viewer(const std::string& kind, const std::string& file) {
        const UniqueHandle ready(::CreateEventA(nullptr, TRUE, FALSE, "mivora-test-viewer-ready"));
        ::ResetEvent(ready.get());
        process_ = Start("viewer " + kind + " \"" + file + "\"");
        listening_ = process_ && ::WaitForSingleObject(ready.get(), 10000) == WAIT_OBJECT_0;
    }
    ~Viewer() {
        ::TerminateProcess(process_.get(), 0);
        ::WaitForSingleObject(process_.get(), 5000);
    }
    Viewer(const Viewer&) = delete;
    Viewer& operator=(const Viewer&) = delete;

    bool Listening() const { return listening_; }

private:
    UniqueHandle process_;
    bool listening_ = false;
};

// Runs a writer of `lines` lines; whether it ended within `timeoutMs`.
bool WriteLines(int lines, DWORD timeoutMs) {
    const UniqueHandle writer = Start("write " + std::to_string(lines));
    const bool ended = writer && ::WaitForSingleObject(writer.get(), timeoutMs) == WAIT_OBJECT_0;
    if (!ended)
        ::TerminateProcess(writer.get(), 1);
    return ended;
}

// The writer's lines the viewer read, without their time: "line 1", "line 2", ...
std::vector<std::string> LinesRead(const std::string& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        const auto text = line.find("ms line ");
        if (line.starts_with("Mivora: ") && text != std::string::npos)
            lines.push_back(line.substr(text + 3));
    }
    return lines;
}

class DebugOutputTest : public ::testing::Test {
protected:
    void SetUp() override { ::DeleteFileA(file_.c_str()); }
    void TearDown() override { ::DeleteFileA(file_.c_str()); }

    const std::string file_ = ModuleDirectory(nullptr) + "debug_viewer_read.txt";
};

// Every line arrives in order, also the last ones, written as the program ends.
TEST_F(DebugOutputTest, AReadingViewerGetsEveryLineInOrder) {
    const Viewer viewer("read", file_);
    ASSERT_TRUE(viewer.Listening());
    ASSERT_TRUE(WriteLines(40, 20000));
    std::vector<std::string> expected;
    for (int i = 1; i <= 40; ++i)
        expected.push_back("line " + std::to_string(i));
    EXPECT_EQ(LinesRead(file_), expected);
}

// Windows waits up to 10 s a line for a viewer that stopped reading, and for a held mutex without end:
// a writer that waited would take minutes, or never end.
TEST_F(DebugOutputTest, AHungViewerHoldsNothingUp) {
    for (const char* kind : {"stop", "hold"}) {
        const Viewer viewer(kind, file_);
        ASSERT_TRUE(viewer.Listening()) << kind;
        EXPECT_TRUE(WriteLines(40, 5000)) << kind;
    }
}

} // namespace
