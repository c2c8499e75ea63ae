#include "GameLog.h"

#include <windows.h>

#include <ctime>

namespace standin {

namespace {

// Makes `folder` and the folders above it that are missing.
void makeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find_first_of("\\/", 3); slash != std::string::npos;
         slash = folder.find_first_of("\\/", slash + 1))
        CreateDirectoryA(folder.substr(0, slash).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
}

}  // namespace

GameLog::~GameLog() {
    if (!file_) return;
    if (!buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
    std::fclose(file_);
}

bool GameLog::open(long logfile) {
    makeFolders(folder_);
    file_ = std::fopen(path().c_str(), "wb");
    if (!file_) return false;
    // The buffering is this class's own, so that the file sees exactly what C's
    // stdio would have written by now.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    buffered_ = logfile <= 1;
    return true;
}

std::string GameLog::openWithNotice(long logfile) {
    if (file_ || !open(logfile)) return "";
    std::time_t now = std::time(nullptr);
    std::string opened =
        std::string("logfile opened on ") + std::asctime(std::localtime(&now)) + "\n";
    put(opened);
    return opened;
}

std::string GameLog::start(long logfile) {
    return logfile == 0 ? "" : openWithNotice(logfile);
}

std::string GameLog::write(const std::string& printed, long logfile) {
    if (logfile == 0) return "";
    std::string opened = openWithNotice(logfile);
    if (file_) put(printed);
    return opened;
}

std::string GameLog::withStamps(const std::string& bytes) {
    std::time_t now = std::time(nullptr);
    char stamp[32] = "";
    std::strftime(stamp, sizeof(stamp), "%Y-%m-%d %H:%M:%S ", std::localtime(&now));
    std::string out;
    for (char c : bytes) {
        if (atLineStart_) out += stamp;
        out += c;
        atLineStart_ = c == '\n';
    }
    return out;
}

void GameLog::put(const std::string& raw) {
    const std::string bytes = stamped_ ? withStamps(raw) : raw;
    if (!buffered_) {
        std::fwrite(bytes.data(), 1, bytes.size(), file_);
        return;
    }
    buffer_ += bytes;
    std::size_t full = buffer_.size() / kLogBufferBytes * kLogBufferBytes;
    if (full == 0) return;
    std::fwrite(buffer_.data(), 1, full, file_);
    buffer_.erase(0, full);
}

}  // namespace standin
