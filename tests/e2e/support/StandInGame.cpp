#include "support/StandInGame.h"

#include <algorithm>
#include <cstdlib>

#include <shlobj.h>

#include "ControlProtocol.h"
#include "support/Paths.h"

namespace e2e {

namespace {

// Where a community client writes its log: EternalJK, a portable build, under
// its own folder; OpenJK under the user's Documents; in the mod folder if any.
std::string communityLogFolder(const std::string& client, const std::string& basePath,
                               const std::string& game) {
    if (client == "eternaljk") return basePath + "\\" + (game.empty() ? "EternalJK" : game);
    char documents[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents);
    return std::string(documents) + "\\My Games\\OpenJK\\" + (game.empty() ? "base" : game);
}

}  // namespace

StandInGame::StandInGame(const TempFolder& folder, StandInOptions options)
    : client_(options.client) {
    logPath_ = folder.file("transcript.log");
    paneLogPath_ = folder.file("pane.log");
    faultsPath_ = folder.file("faults.log");
    timingPath_ = folder.file("timing.log");
    std::vector<std::string> args = {"--name",       options.playerName,
                                     "--log",        logPath_,
                                     "--pane-log",   paneLogPath_,
                                     "--faults",     faultsPath_,
                                     "--timing",     timingPath_,
                                     "--round-trip", std::to_string(options.roundTripMs),
                                     "--jitter",     std::to_string(options.jitterMs),
                                     "--seed",       std::to_string(options.seed),
                                     "--sv-fps",     std::to_string(options.svFps),
                                     "--flood-ms",   std::to_string(options.floodMs),
                                     "--frame-ms",   std::to_string(options.frameMs),
                                     "--logfile",    std::to_string(options.logfile)};
    // Without a base path the game's folder is its working folder, the test folder.
    const std::string basePath = options.basePath.empty() ? folder.text() : options.basePath;
    if (!options.basePath.empty()) args.insert(args.end(), {"--basepath", basePath});
    if (!options.game.empty()) args.insert(args.end(), {"--game", options.game});
    if (!options.language.empty()) args.insert(args.end(), {"--language", options.language});
    gameLogPath_ = basePath + "\\" + (options.game.empty() ? std::string("base") : options.game) +
                   "\\qconsole.log";
    if (!options.openConsole) args.push_back("--no-console");
    if (options.showConsole) args.push_back("--show-console");
    if (!options.connected) args.push_back("--offline");
    if (options.hideGame) args.push_back("--hide-game");
    if (!options.scriptPath.empty()) {
        args.push_back("--script");
        args.push_back(options.scriptPath);
    }
    if (!client_.empty()) {
        // Varnok starts it in its own folder, on Varnok's console.
        gameLogPath_ = communityLogFolder(client_, basePath, options.game) + "\\qconsole.log";
        const std::string exe = folder.file("standin.exe");
        if (!CopyFileA(standInExePath().c_str(), exe.c_str(), FALSE))
            error_ = "cannot copy " + standInExePath();
        varnokArguments_ = {"--game", exe, "--client", client_};
        varnokArguments_.insert(varnokArguments_.end(), args.begin(), args.end());
        return;
    }
    std::string exe = standInExePath();
    if (!process_.start(exe, args, folder.text())) {
        error_ = process_.lastError();
        return;
    }
    processId_ = process_.id();
    control_ = waitForTopLevelWindow(standin::kControlClass, nullptr, process_.id(), Millis(20000));
    if (!control_) error_ = "the stand-in's control window did not appear";
}

bool StandInGame::awaitStart() {
    control_ = waitForTopLevelWindow(standin::kControlClass, nullptr, 0, Millis(20000));
    if (!control_) {
        error_ = "the community client Varnok should have started did not appear";
        return false;
    }
    GetWindowThreadProcessId(control_, &processId_);
    return true;
}

bool StandInGame::ended() const {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId_);
    if (process == nullptr) return true;
    const bool gone = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return gone;
}

StandInGame::~StandInGame() {
    if (control_ && !ended()) {
        DWORD_PTR result = 0;
        std::string command = "quit";
        COPYDATASTRUCT data{standin::kControlMagic, static_cast<DWORD>(command.size()),
                            command.data()};
        SendMessageTimeoutA(control_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                            SMTO_ABORTIFHUNG | SMTO_BLOCK, 1000, &result);
        if (client_.empty()) process_.waitForExit(2000);
    }
    process_.kill();
}

// A print of 20000 characters takes the stand-in's pane two to five seconds,
// more on a loaded machine: a command is given time for that. A stand-in that
// already stopped answering is not waited for (SMTO_ABORTIFHUNG).
bool StandInGame::send(const std::string& command) {
    if (!control_) return false;
    COPYDATASTRUCT data{standin::kControlMagic, static_cast<DWORD>(command.size()),
                        const_cast<char*>(command.data())};
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(control_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                             SMTO_ABORTIFHUNG | SMTO_BLOCK, 20000, &result))
        return false;
    return result == 1;
}

HWND StandInGame::consoleWindow() const {
    return findTopLevelWindow(nullptr, standin::kConsoleTitle, processId_);
}

HWND StandInGame::consoleChild(int id) const {
    HWND console = consoleWindow();
    return console ? GetDlgItem(console, id) : nullptr;
}

HWND StandInGame::inputLine() const {
    return consoleChild(101);
}

HWND StandInGame::outputPane() const {
    return consoleChild(100);
}

HWND StandInGame::gameWindow() const {
    return findTopLevelWindow(client_.empty() ? standin::kGameClass : "SDL_app", nullptr,
                              processId_);
}

std::string StandInGame::paneText() const {
    return windowText(outputPane()).value_or("");
}

bool StandInGame::waitForPane(const std::function<bool(const std::string&)>& condition,
                              Millis timeout) {
    return waitUntil([&] { return condition(paneText()); }, timeout);
}

Transcript StandInGame::transcript() const {
    return linesOf(logPath_);
}

unsigned long long StandInGame::timeOf(const std::string& what) const {
    for (const std::string& line : timing()) {
        size_t blank = line.find(' ');
        if (blank != std::string::npos && line.substr(blank + 1) == what)
            return std::strtoull(line.c_str(), nullptr, 10);
    }
    return 0;
}

void StandInGame::waitForServerGap(Millis gap) const {
    unsigned long long last = 0;
    for (const std::string& line : timing()) {
        const size_t blank = line.find(' ');
        // A line typed this frame goes to the server at the frame's end.
        if (blank != std::string::npos &&
            (line.compare(blank + 1, 5, "sent ") == 0 || line.compare(blank + 1, 6, "typed ") == 0))
            last = std::strtoull(line.c_str(), nullptr, 10);
    }
    const unsigned long long due = last + static_cast<unsigned long long>(gap.count()) * 1000;
    const unsigned long long now = microsNow();
    if (due > now) Sleep(static_cast<DWORD>((due - now) / 1000 + 1));
}

Transcript StandInGame::chatAndAwait(const std::string& message,
                                     const std::function<bool(const std::string&)>& answer,
                                     Millis timeout) {
    waitForServerGap();
    const std::size_t before = transcript().size();
    if (!chat(message)) return {};
    waitForTranscript(
        [&](const Transcript& t) {
            return std::any_of(t.begin() + std::min(before, t.size()), t.end(), answer);
        },
        timeout);
    const Transcript all = transcript();
    return Transcript(all.begin() + std::min(before, all.size()), all.end());
}

Transcript StandInGame::faults(const std::string& kind) const {
    Transcript all = faults();
    Transcript wanted;
    for (const std::string& line : all)
        if (line.rfind(kind + " ", 0) == 0) wanted.push_back(line);
    return wanted;
}

Transcript StandInGame::linesOf(const std::string& path) {
    Transcript lines;
    std::string content = readFile(path);
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) break;  // a line still being written
        lines.push_back(content.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool StandInGame::waitForTranscript(const std::function<bool(const Transcript&)>& condition,
                                    Millis timeout) {
    return waitUntil([&] { return condition(transcript()); }, timeout);
}

bool hasLine(const Transcript& transcript, const std::string& line) {
    return std::find(transcript.begin(), transcript.end(), line) != transcript.end();
}

int countLine(const Transcript& transcript, const std::string& line) {
    return static_cast<int>(std::count(transcript.begin(), transcript.end(), line));
}

unsigned long long microsNow() {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return (ticks - 116444736000000000ULL) / 10;  // from 1601 to 1970 in 100 ns ticks
}

}  // namespace e2e
