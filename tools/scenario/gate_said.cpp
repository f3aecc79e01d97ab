#include "tools/scenario/gate_said.h"

#include <algorithm>
#include <cctype>

namespace scenario {

namespace {

// The line's text after "Mivora: <milliseconds>ms " into `text`; false when the prefix is missing.
bool TextOf(const std::string& line, std::string& text) {
    constexpr char prefix[] = "Mivora: ";
    if (line.rfind(prefix, 0) != 0)
        return false;
    std::size_t at = sizeof(prefix) - 1;
    const std::size_t digits = at;
    while (at < line.size() && std::isdigit(static_cast<unsigned char>(line[at])))
        ++at;
    if (at == digits || line.compare(at, 3, "ms ") != 0)
        return false;
    text = line.substr(at + 3);
    return true;
}

class Findings {
public:
    explicit Findings(std::vector<std::string> texts) : texts_(std::move(texts)) {}

    // How many texts begin with `start` and contain `part`.
    int Count(const std::string& start, const std::string& part = "") const {
        return static_cast<int>(std::count_if(texts_.begin(), texts_.end(), [&](const std::string& text) {
            return text.rfind(start, 0) == 0 && text.find(part) != std::string::npos;
        }));
    }
    void Expect(bool holds, const std::string& finding) {
        if (!holds)
            found_ += (found_.empty() ? "" : "; ") + finding;
    }
    const std::string& Found() const { return found_; }

private:
    std::vector<std::string> texts_;
    std::string found_;
};

// The lines on a program's starts agree with the command lines it got.
void CheckStarts(Findings& findings, const std::string& record, const char* fileName) {
    const std::vector<std::string> got = RecordLines(record);
    findings.Expect(findings.Count("started process ", fileName) == static_cast<int>(got.size()),
                    std::string("the lines on starts of ") + fileName + " and the starts it recorded");
    for (const std::string& line : got)
        findings.Expect(findings.Count("started process ", ": " + line) == 1,
                        "no line on the start of " + line);
}

} // namespace

std::vector<std::string> RecordLines(const std::string& record) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < record.size()) {
        std::size_t end = record.find('\n', start);
        if (end == std::string::npos)
            end = record.size();
        std::string line = record.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string Disagreements(const std::vector<std::string>& lines, const SeenRun& seen) {
    std::vector<std::string> texts;
    std::string text;
    for (const std::string& line : lines)
        if (TextOf(line, text))
            texts.push_back(text);
    Findings findings(texts);
    findings.Expect(texts.size() == lines.size() && !lines.empty(),
                    "every line starts with \"Mivora: <ms>ms \", and there is one at least");
    findings.Expect(findings.Count("road ") == 1 &&
                        findings.Count("road " + std::to_string(seen.Road) + ":") == 1,
                    "one line names road " + std::to_string(seen.Road));

    const std::vector<std::string> events = RecordLines(seen.LibraryLog);
    auto happened = [&](const char* event) {
        return std::any_of(events.begin(), events.end(),
                           [&](const std::string& e) { return e.rfind(event, 0) == 0; });
    };
    findings.Expect(happened("call") ==
                        (findings.Count("check library answered ") + findings.Count("fault ", " call") == 1),
                    "the library's call and the lines about it");
    findings.Expect(findings.Count("check library loaded") <= (happened("attach") ? 1 : 0),
                    "a line tells of a library load that did not happen");
    // A loader that caught a fault in the library's start-up code detaches it itself.
    const bool loadFailed =
        findings.Count("library not loaded") + findings.Count("fault ", "start-up code") > 0;
    findings.Expect(findings.Count("check library released") == 1 ? happened("detach")
                                                                  : !happened("detach") || loadFailed,
                    "the library's release and the lines about it");

    CheckStarts(findings, seen.UpdaterLines, "ZM_LiveUpdate.exe");
    CheckStarts(findings, seen.MainLines, "MivoraMain.exe");
    for (const std::string& code : RecordLines(seen.Verdicts))
        findings.Expect(findings.Count("notification " + code + ":") == 1,
                        "no line for notification " + code);
    findings.Expect(findings.Count("message ") == seen.Dialogs,
                    std::to_string(seen.Dialogs) + " dialogs shown, " +
                        std::to_string(findings.Count("message ")) + " named");
    return findings.Found();
}

} // namespace scenario
