#include "CommunityStandIn.h"

#include <chrono>

#include "ControlProtocol.h"
#include "support/Paths.h"
#include "support/Windows.h"

namespace win32test {

using namespace std::chrono_literals;

varnok::platform::win32::Win32GameStarter& sharedStarter() {
    static varnok::platform::win32::Win32GameStarter starter;
    return starter;
}

CommunityStandIn::CommunityStandIn(const std::vector<std::string>& arguments) {
    folder_ = temp_.file("Jedi Game");
    CreateDirectoryA(folder_.c_str(), nullptr);
    const std::string exe = file("standin.exe");
    if (!CopyFileA(e2e::standInExePath().c_str(), exe.c_str(), FALSE)) {
        started_.failure = "could not copy " + e2e::standInExePath();
        return;
    }
    std::vector<std::string> all = {"--client", "eternaljk",      "--name",   "Padme",
                                    "--log",    "transcript.log", "--faults", "faults.log",
                                    "--timing", "timing.log"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    all.insert(all.end(), {"+set", "logfile", "2"});
    started_ = sharedStarter().start(exe, all);
    if (started_.process != 0)
        control_ =
            e2e::waitForTopLevelWindow(standin::kControlClass, nullptr, started_.process, 20s);
}

CommunityStandIn::~CommunityStandIn() {
    if (started_.process == 0) return;
    send("quit");
    HANDLE game = sharedStarter().handleOf(started_.process);
    if (game != nullptr && WaitForSingleObject(game, 3000) == WAIT_TIMEOUT)
        TerminateProcess(game, 1);
    sharedStarter().running(started_.process);  // lets the handle go
}

std::string CommunityStandIn::log(const std::string& writeFolder) const {
    return e2e::readFile(file(writeFolder + "\\qconsole.log"));
}

bool CommunityStandIn::waitForLog(const std::string& writeFolder) const {
    return e2e::waitUntil([&] { return log(writeFolder).find('\n') != std::string::npos; }, 20s,
                          5ms);
}

std::vector<std::string> CommunityStandIn::lines(const std::string& name) const {
    std::vector<std::string> lines;
    const std::string text = e2e::readFile(file(name));
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

bool CommunityStandIn::send(const std::string& command) {
    if (control_ == nullptr) return false;
    COPYDATASTRUCT data{standin::kControlMagic, static_cast<DWORD>(command.size()),
                        const_cast<char*>(command.data())};
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(control_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG | SMTO_BLOCK, 5000, &result) &&
           result == 1;
}

namespace {

BOOL CALLBACK countConsoleWindow(HWND window, LPARAM count) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof(name));
    const std::string windowClass = name;
    if ((windowClass == "ConsoleWindowClass" || windowClass == "WineConsoleClass") &&
        IsWindowVisible(window))
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

}  // namespace

ConsoleWindowWatch::ConsoleWindowWatch()
    : thread_([this] {
          while (!stop_) {
              int shown = 0;
              EnumWindows(countConsoleWindow, reinterpret_cast<LPARAM>(&shown));
              seen_ += shown;
              Sleep(5);
          }
      }) {}

ConsoleWindowWatch::~ConsoleWindowWatch() {
    stop_ = true;
    thread_.join();
}

}  // namespace win32test
