#include "tools/scenario/harness.h"

#include "platform/text.h"
#include "platform/win32/module_file_path.h"
#include "tools/suite/common/record.h"
#include "ui/framework/gdi_guards.h"

#include <shlwapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <utility>

namespace scenario {
namespace {

constexpr char RecordDirectory[] = "C:\\mivora-sim\\";
constexpr char SuiteFiles[][24] = {"Mivora.exe",        "ZM_CheckVer.dll",       "ZM_CheckVer.dll.tmp",
                                   "ZM_LiveUpdate.exe", "ZM_LiveUpdate.exe.tmp", "MivoraMain.exe"};

// A Unix path from the rig's environment, as Wine's Z: drive shows it.
std::string WindowsPathOf(std::string path) {
    if (!path.empty() && path[0] == '/') {
        for (char& c : path)
            if (c == '/')
                c = '\\';
        path = "Z:" + path;
    }
    return path;
}

void SetText(HKEY key, const char* name, const std::string& text) {
    ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
}

platform::UniqueKey CreateKey(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return platform::UniqueKey(key);
}

void EmptyDirectory(const std::string& directory) {
    ::CreateDirectoryA(directory.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    platform::UniqueFindHandle search(::FindFirstFileA((directory + "*").c_str(), &found));
    if (!search)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ::DeleteFileA((directory + found.cFileName).c_str());
    } while (::FindNextFileA(search.get(), &found));
}

Started Start(const std::string& application, const std::string& commandLine, bool held = false) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::string line = commandLine;
    Started started;
    if (::CreateProcessA(application.c_str(), line.data(), nullptr, nullptr, FALSE,
                         held ? CREATE_SUSPENDED : 0, nullptr, nullptr, &startup, &info)) {
        platform::UniqueHandle thread(info.hThread);
        started.Process.reset(info.hProcess);
        started.ProcessId = info.dwProcessId;
        if (held)
            started.HeldThread = std::move(thread);
    }
    return started;
}

struct WindowSearch {
    DWORD ProcessId;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId == search->ProcessId)
        search->Found.push_back(window);
    return TRUE;
}

bool WriteBmp(const std::string& path, int width, int height, const void* bits) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(static_cast<const char*>(bits), stride * height);
    out.close();
    return !out.fail();
}

} // namespace

void RemoveSuiteKeys() {
    ::SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\QUENTAR");
}

void ClearRecords() {
    EmptyDirectory(RecordDirectory);
}

// The programs of an earlier run may still be writing their records: each run starts from a clean slate.
void EndSuitePrograms() {
    for (const char* name : {"Mivora.exe", "ZM_LiveUpdate.exe", "MivoraMain.exe"})
        for (Started& program : RunningPrograms(name))
            if (!WaitForExit(program, 3000))
                Kill(program);
}

void SetWindowsVersionFor(const char* exeName, const std::string& version) {
    const std::string path = std::string("Software\\Wine\\AppDefaults\\") + exeName;
    if (version.empty()) {
        ::SHDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
        return;
    }
    SetText(CreateKey(HKEY_CURRENT_USER, path).get(), "Version", version);
}

void InstallSuite(const SuiteSetup& setup) {
    EndSuitePrograms();
    ::CreateDirectoryA(SuiteDirectory, nullptr);
    for (const char* name : SuiteFiles)
        ::DeleteFileA((std::string(SuiteDirectory) + name).c_str());
    const std::string built = ModuleDirectory(nullptr);
    auto install = [&](const char* name, const std::string& from) {
        ::CopyFileA(from.c_str(), (std::string(SuiteDirectory) + name).c_str(), FALSE);
    };
    install("Mivora.exe", built + "Mivora.exe");
    if (setup.Library)
        install("ZM_CheckVer.dll", built + "suite\\ZM_CheckVer.dll");
    if (setup.Updater)
        install("ZM_LiveUpdate.exe", built + "suite\\ZM_LiveUpdate.exe");
    if (setup.MainProgram)
        install("MivoraMain.exe", built + "suite\\MivoraMain.exe");

    RemoveSuiteKeys();
    const auto module = CreateKey(HKEY_LOCAL_MACHINE, "Software\\QUENTAR\\ZelvanoManager\\Mivora");
    if (!setup.Path.empty())
        SetText(module.get(), "Path", setup.Path);
    if (!setup.Version.empty())
        SetText(module.get(), "ver", setup.Version);

    ClearRecords();
    ::SetEnvironmentVariableA("MIVORA_SIM_RECORD", std::string(RecordDirectory).c_str());
    ::SetEnvironmentVariableA("MIVORA_SIM_CHECKVER", setup.CheckLibrary.c_str());
    ::SetEnvironmentVariableA("MIVORA_SIM_CHECKVER_LOG",
                              (std::string(RecordDirectory) + "checkver.log").c_str());
    ::SetEnvironmentVariableA("MIVORA_SIM_VERDICT", setup.Verdict.c_str());
    ::SetEnvironmentVariableA("MIVORA_SIM_MAIN", setup.MainOptions.c_str());
    SetWindowsVersionFor("Mivora.exe", setup.WindowsVersion);
}

Started StartGate(const std::string& arguments) {
    return StartInstalled("Mivora.exe", arguments);
}

Started StartInstalled(const std::string& fileName, const std::string& arguments) {
    const std::string program = std::string(SuiteDirectory) + fileName;
    return Start(program, "\"" + program + "\" " + arguments);
}

Started StartGateHeld(const std::string& arguments) {
    const std::string gate = std::string(SuiteDirectory) + "Mivora.exe";
    return Start(gate, "\"" + gate + "\" " + arguments, true);
}

void Resume(Started& program) {
    if (program.HeldThread)
        ::ResumeThread(program.HeldThread.get());
    program.HeldThread.reset();
}

Started StartBuiltProgram(const std::string& fileName, const std::string& arguments) {
    const std::string program = ModuleDirectory(nullptr) + fileName;
    return Start(program, "\"" + program + "\" " + arguments);
}

Started StartSystemProgram(const std::string& fileName, const std::string& arguments) {
    char directory[MAX_PATH] = {};
    ::GetSystemDirectoryA(directory, MAX_PATH);
    const std::string program = std::string(directory) + "\\" + fileName;
    return Start(program, "\"" + program + "\" " + arguments);
}

bool WaitForExit(const Started& program, DWORD timeoutMs) {
    return program.Process && ::WaitForSingleObject(program.Process.get(), timeoutMs) == WAIT_OBJECT_0;
}

void Kill(Started& program) {
    if (program.Process && !WaitForExit(program, 0)) {
        ::TerminateProcess(program.Process.get(), 1);
        WaitForExit(program, 5000);
    }
}

std::vector<Started> RunningPrograms(const std::string& fileName) {
    std::vector<Started> found;
    const platform::UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE)
        return found;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32First(snapshot.get(), &entry); more;
         more = ::Process32Next(snapshot.get(), &entry)) {
        const std::string name = entry.szExeFile;
        if (_stricmp(name.c_str() + platform::FolderOf(name).size(), fileName.c_str()) != 0)
            continue;
        Started program;
        program.Process.reset(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
        program.ProcessId = entry.th32ProcessID;
        if (program.Process)
            found.push_back(std::move(program));
    }
    return found;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    WindowSearch search{processId, {}};
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof(name));
    return name;
}

std::wstring TitleOf(HWND window) {
    wchar_t title[512] = {};
    ::GetWindowTextW(window, title, 512);
    return title;
}

HWND WaitForWindow(DWORD processId, const std::wstring& title, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    do {
        for (HWND window : TopLevelWindows(processId))
            if (::IsWindowVisible(window) && TitleOf(window) == title)
                return window;
        ::Sleep(50);
    } while (::GetTickCount() - start < timeoutMs);
    return nullptr;
}

HWND WaitForDialog(DWORD processId, DWORD timeoutMs) {
    return WaitForWindow(processId, L"Zelvano Mivora - Message", timeoutMs);
}

std::wstring MessageBoxText(HWND box) {
    std::wstring text;
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        if (ClassOf(child) == "Static" && !TitleOf(child).empty())
            text += (text.empty() ? L"" : L"\n") + TitleOf(child);
    return text;
}

GateOutcome RunGate(const std::string& arguments, const std::string& screenshotPrefix, DWORD timeoutMs) {
    Started gate = StartGate(arguments);
    return AnswerDialogs(gate, screenshotPrefix, timeoutMs);
}

GateOutcome AnswerDialogs(Started& gate, const std::string& screenshotPrefix, DWORD timeoutMs) {
    GateOutcome outcome;
    outcome.ProcessId = gate.ProcessId;
    const DWORD start = ::GetTickCount();
    while (!(outcome.Ended = WaitForExit(gate, 0)) && ::GetTickCount() - start < timeoutMs) {
        const HWND dialog = WaitForDialog(gate.ProcessId, 200);
        if (dialog == nullptr)
            continue;
        ++outcome.Dialogs;
        if (!screenshotPrefix.empty())
            outcome.Screenshots.push_back(
                SaveScreenshot(dialog, screenshotPrefix + "-" + std::to_string(outcome.Dialogs)));
        PressKey(dialog, VK_RETURN);
        if (!WaitForDialogGone(dialog, 5000)) {
            outcome.DialogStayed = true;
            break;
        }
    }
    Kill(gate);
    EndSuitePrograms();
    return outcome;
}

bool WaitForDialogGone(HWND dialog, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (::IsWindow(dialog) && ::IsWindowVisible(dialog)) {
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::Sleep(50);
    }
    return true;
}

void PressKey(HWND window, WORD virtualKey) {
    // The key goes to the foreground window: wait until the window is it, then for its focus to settle.
    ::SetForegroundWindow(window);
    for (int i = 0; i < 150 && ::GetForegroundWindow() != window; ++i)
        ::Sleep(20);
    ::Sleep(150);
    SendKeys({}, virtualKey);
}

void SendKeys(std::initializer_list<WORD> held, WORD key) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    for (WORD h : held)
        add(h, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    for (auto h = std::rbegin(held); h != std::rend(held); ++h)
        add(*h, KEYEVENTF_KEYUP);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::string SaveScreenshot(HWND window, const std::string& name) {
    ::Sleep(300); // let the window finish painting
    RECT bounds{};
    ::GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    std::string directory = WindowsPathOf(EnvironmentText("MIVORA_SCREENSHOTS"));
    if (!directory.empty() && directory.back() != '\\')
        directory += '\\';
    const std::string path = directory + name + ".bmp";

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    framework::WindowDc screen(nullptr);
    framework::UniqueDc memory(::CreateCompatibleDC(screen.get()));
    framework::UniqueGdiObject image(
        ::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !image)
        return {};
    {
        framework::SelectGuard selected(memory.get(), image.get());
        ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), bounds.left, bounds.top, SRCCOPY);
        ::GdiFlush();
    }
    return WriteBmp(path, width, height, bits) ? path : std::string();
}

std::string Recorded(const std::string& name) {
    std::ifstream file(std::string(RecordDirectory) + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string RecordedWhenSettled(const std::string& name) {
    EndSuitePrograms();
    return Recorded(name);
}

void DeleteGlobalAtom(const std::string& text) {
    while (ATOM atom = ::GlobalFindAtomA(text.c_str()))
        if (::GlobalDeleteAtom(atom) != 0)
            break;
}

std::string AwaitRecord(const std::string& name, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    std::string text = Recorded(name);
    while (text.empty() && ::GetTickCount() - start < timeoutMs) {
        ::Sleep(50);
        text = Recorded(name);
    }
    return text;
}

} // namespace scenario
