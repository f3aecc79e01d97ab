#include "update/updater_verdict.h"

#include "platform/command_line.h"
#include "platform/text.h"
#include "ui/message/message_type.h"

namespace {

const char* const MayMisbehave = "프로그램이 정상작동하지 않을 수 있습니다.";
const char* const CannotRun = "프로그램을 실행할 수 없습니다.";
const char* const UpdateUnfinished = "라이브 업데이트 작업이 성공적으로 종료되지 않았습니다.";

} // namespace

std::optional<VerdictResponse> ResponseToVerdict(std::int32_t code) {
    switch (code) {
    case 1006:
        return VerdictResponse{mtCaution, "라이브 업데이트 작업중 서버와의 연결이 종료되었습니다.",
                               MayMisbehave, true};
    case 1007:
        return VerdictResponse{mtWarning, "등록되지않은 프로그램이 연결되었습니다.", CannotRun, false};
    case 1101:
        return VerdictResponse{0, "", "", true};
    case 1102:
        return VerdictResponse{mtWarning, UpdateUnfinished, CannotRun, false};
    case 1103:
        return VerdictResponse{mtCaution, UpdateUnfinished, MayMisbehave, true};
    default:
        return std::nullopt;
    }
}

std::string MainProgramCommandLine(const std::string& directory, const std::string& startArgument) {
    return directory + "MivoraMain.exe " + startArgument;
}

std::string StartArgumentFrom(const std::string& commandLine, platform::LeadByteTest isLeadByte) {
    return platform::UpperAscii(
        platform::TrimControls(platform::CommandLineArgument(commandLine, 1, isLeadByte)), isLeadByte);
}
