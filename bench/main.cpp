// The start-up benchmark: times the gate's roads against a do-nothing program under the same system, the
// kinds interleaved so that drift hits all alike, and reports the gate's size, its peak working set and
// the time of one message dialog. `MivoraBench [--runs N] [--before PATH]`, PATH an earlier build of the gate
// whose roads are timed in the same run; scripts/bench.sh runs it under Wine.
#include "bench/options.h"
#include "bench/probes.h"
#include "bench/stage.h"
#include "bench/summary.h"
#include "platform/win32/module_file_path.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <iterator>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <utility>
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
    case Kind::SplashOpen:
        return "(d) road 3: splash window open, start to end";
    case Kind::NothingRunning:
        return "(e) road 4: library -204, start to main start";
    case Kind::Limit1:
        return "(L1) instance mutex taken, global atom added";
    case Kind::Limit2:
        return "(L2) L3 + window, notice 2028, foreground";
    case Kind::Limit3:
        return "(L3) instance mutex, three window lookups";
    case Kind::Limit4:
        return "(L4) L3 + window, registry, library, main";
    case Kind::FloorWithDlls:
        return "(f) floor with the gate's DLLs, start to end";
    case Kind::FloorWithWindow:
        return "(g) (f) + one hidden window, start to end";
    case Kind::MainProgram:
        return "(h) main program alone, start to its start";
    }
    return "";
}

// The limit a road is measured against, if it has one.
std::optional<Kind> LimitOf(Kind kind) {
    switch (kind) {
    case Kind::AnotherGate:
        return Kind::Limit1;
    case Kind::MainWindowOpen:
        return Kind::Limit2;
    case Kind::SplashOpen:
        return Kind::Limit3;
    case Kind::NothingRunning:
        return Kind::Limit4;
    default:
        return std::nullopt;
    }
}

// The road a limit belongs to.
int RoadOf(Kind limit) {
    return 1 + static_cast<int>(std::find(std::begin(Limits), std::end(Limits), limit) - std::begin(Limits));
}

using Timed = std::pair<Kind, Gate>;
using Times = std::map<Timed, std::vector<double>>;

Times TimeKinds(const Options& options) {
    std::vector<Timed> kinds;
    for (const auto& group :
         {std::span<const Kind>(Roads), std::span<const Kind>(Limits), std::span<const Kind>(Pieces)})
        for (Kind kind : group)
            kinds.emplace_back(kind, Gate::Current);
    if (!options.BeforeGate.empty())
        for (Kind kind : GateRoads)
            kinds.emplace_back(kind, Gate::Before);
    Stage stage(options.BeforeGate);
    for (const Timed& run : kinds) // one untimed round: the files and the system's libraries get cached
        stage.Time(run.first, run.second);
    Times times;
    for (int i = 0; i < options.Runs; ++i)
        for (const Timed& run : kinds)
            times[run].push_back(stage.Time(run.first, run.second));
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

double MedianOf(const Times& times, Kind kind, Gate gate = Gate::Current) {
    return Summarize(times.at({kind, gate})).Median;
}

void PrintTable(const char* title, std::span<const Kind> kinds, const Times& times,
                Gate gate = Gate::Current) {
    const double floor = MedianOf(times, Kind::Floor);
    std::printf("%-48s %8s %8s %8s  %7s  %s\n", title, "median", "min", "max", "/ floor", "/ limit");
    for (Kind kind : kinds) {
        const Summary s = Summarize(times.at({kind, gate}));
        PrintRow(Label(kind), s);
        std::printf("  %7.2f", s.Median / floor);
        if (const auto limit = LimitOf(kind))
            std::printf("  %7.2f (L%d)", s.Median / MedianOf(times, *limit), RoadOf(*limit));
        std::printf("\n");
    }
}

int Run(const Options& options) {
    std::printf("MivoraBench under %s: %d timed runs of each kind, interleaved, after one untimed round\n\n",
                SystemName().c_str(), options.Runs);
    std::fflush(stdout);
    const Times times = TimeKinds(options);
    PrintTable("wall-clock ms", Roads, times);
    std::printf("\n");
    PrintTable("limits of the roads, ms", Limits, times);
    if (!options.BeforeGate.empty()) {
        std::printf("\nthe earlier gate %s, same run:\n", options.BeforeGate.c_str());
        PrintTable("wall-clock ms", GateRoads, times, Gate::Before);
    }
    std::printf("\n");
    PrintTable("pieces, ms", Pieces, times);
    std::fflush(stdout);

    const PeakWorkingSets peaks = MeasurePeakWorkingSets();
    const Summary dialog = Summarize(DialogTimes(options.Runs));
    std::printf("\n%-48s %lld bytes\n", "Mivora.exe", FileSize(ModuleDirectory(nullptr) + "Mivora.exe"));
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
        std::fprintf(stderr, "MivoraBench: %s\nusage: MivoraBench [--runs N] [--before PATH]\n",
                     error.c_str());
        return 2;
    }
    try {
        return Run(*options);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "MivoraBench failed: %s\n", failure.what());
        return 1;
    }
}
