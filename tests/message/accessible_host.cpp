// Shows one message dialog in a process of its own, so that it runs under the system code page that the
// accessibility test chose for it. Exit code: the dialog's result, or 100 when the process runs under
// another code page than the one asked for.
//   accessible_host <caution|warning> <code page>
#include "ui/framework/application.h"
#include "ui/message/uMessage.h"

#include <windows.h>

#include <string>

int main(int argc, char** argv) {
    if (argc != 3 || ::GetACP() != std::stoul(argv[2]))
        return 100;
    InitializeApplication();
    const int result =
        std::string(argv[1]) == "warning"
            ? ShowMessageDialog(mtWarning, "등록되지않은 프로그램이 연결되었습니다.",
                                "프로그램을 실행할 수 없습니다.", mbOk | mbCancel, nullptr)
            : ShowMessageDialog(mtCaution, "라이브 업데이트 DLL 로딩에 실패하였습니다.", "", mbOk, nullptr);
    FinalizeApplication();
    return result;
}
