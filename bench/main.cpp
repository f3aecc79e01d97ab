// The start-up benchmark: times the gate's roads against a do-nothing program under the same system, the
// kinds interleaved so that drift hits all alike, and reports the gate's size, its peak working set and
// the time of one message dialog. `MivoraBench [--runs N]`; scripts/bench.sh runs it under Wine.
#include "bench/options.h"
#include "bench/probes.h"
#include "bench/stage.h"
#include "bench/summary.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <iterator>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace {

const char* Label(Kind kind) {
    switch (kind) {
    case Kind::Floor:
        return "(a) floor: do-nothing program, start to end";
    case Kind::AnotherGate:
        return "(b) road 1: another gate runs, start to end";
    case Kind::MainWindowOpen:
        return "(c) road 2: main window open, start to end";
    case Kind::NothingRunning:
        return "(d) road 4: library -204, start to main start";
    case Kind::FloorWithDlls:
        return "(e) floor with the gate's DLLs, start to end";
    case Kind::FloorWithWindow:
        return "(f) (e) + one hidden window, start to end";
    case Kind::MainProgram:
        return "(g) main program alone, start to its start";
    }
    return "";
}

using Times = std::map<Kind, std::vector<double>>;

Times TimeKinds(int runs) {
    std::vector<Kind> kinds(std::begin(Roads), std::end(Roads));
    kinds.insert(kinds.end(), std::begin(Pieces), std::end(Pieces));
    Stage stage;
    for (Kind kind : kinds) // one untimed round: the files and the system's libraries get cached
        stage.Time(kind);
    Times times;
    for (int i = 0; i < runs; ++i)
        for (Kind kind : kinds)
            times[kind].push_back(stage.Time(kind));
    return times;
}

std::string SystemName() {
    using Version = const char*(CDECL*)();
    const auto wineVersion = reinterpret_cast<Version>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version")));
    return wineVersion != nullptr ? std::string("Wine ") + wineVersion() : "Windows";
}

long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void PrintRow(const char* label, const Summary& s) {
    std::printf("%-48s %8.1f %8.1f %8.1f", label, s.Median, s.Min, s.Max);
}

void PrintPeak(const char* label, std::optional<std::size_t> bytes) {
    if (bytes)
        std::printf("%-48s %lu KiB\n", label, static_cast<unsigned long>(*bytes / 1024));
    else
        std::printf("%-48s not told by the system\n", label);
}

void PrintTable(const char* title, std::span<const Kind> kinds, const Times& times) {
    const double floor = Summarize(times.at(Kind::Floor)).Median;
    std::printf("%-48s %8s %8s %8s  %s\n", title, "median", "min", "max", "median / floor");
    for (Kind kind : kinds) {
        const Summary s = Summarize(times.at(kind));
        PrintRow(Label(kind), s);
        std::printf("  %.2f\n", s.Median / floor);
    }
}

int Run(const Options& options) {
    std::printf("MivoraBench under %s: %d timed runs of each kind, interleaved, after one untimed round\n\n",
                SystemName().c_str(), options.Runs);
    std::fflush(stdout);
    const Times times = TimeKinds(options.Runs);
    PrintTable("wall-clock ms", Roads, times);
    std::printf("\n");
    PrintTable("pieces, ms", Pieces, times);
    std::fflush(stdout);

    const PeakWorkingSets peaks = MeasurePeakWorkingSets();
    const Summary dialog = Summarize(DialogTimes(options.Runs));
    std::printf("\n%-48s %lld bytes\n", "Mivora.exe", FileSize(scenario::OwnDirectory() + "Mivora.exe"));
    PrintPeak("gate's peak working set, its 1103 dialog shown", peaks.Gate);
    PrintPeak("  for scale: a program with one plain window", peaks.PlainWindow);
    PrintRow("message dialog shown and closed, in-process", dialog);
    std::printf("\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "MivoraBench: %s\nusage: MivoraBench [--runs N]\n", error.c_str());
        return 2;
    }
    try {
        return Run(*options);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "MivoraBench failed: %s\n", failure.what());
        return 1;
    }
}
