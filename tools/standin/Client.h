#pragma once
// Which game the stand-in plays: the retail executable, with its console
// window, or a community client built on the game's released source, which has
// none. EternalJK joins the console of the program that started it and reads
// commands from that console's input buffer (ParentConsole.h); OpenJK reads no
// typed commands at all. Both answer cvars in their own format, print chat
// lines with a leading "*", and write their log from the start when the
// command line turns it on: EternalJK, a portable build, under its own folder
// in "EternalJK" (or the fs_game folder), OpenJK under the user's Documents
// in "My Games\OpenJK\<fs_game, or base>", each line after a time stamp.

#include <string>

namespace standin {

enum class Client { retail, eternaljk, openjk };

// "retail", "eternaljk" or "openjk"; false for another name.
bool parseClient(const std::string& name, Client& client);

inline bool isCommunity(Client client) {
    return client != Client::retail;
}

// The game's main window: the retail class and title, or SDL's class and the client's name.
const char* mainWindowClass(Client client);
const char* mainWindowTitle(Client client);

// The folder under fs_homepath the game writes to (its log too) when fs_game is empty.
const char* defaultWriteFolder(Client client);

// fs_homepath when the command line sets none: the game's folder, or, for
// OpenJK, "My Games\OpenJK" in the user's Documents.
std::string defaultHomePath(Client client, const std::string& basePath);

// The folder of the running program (without a trailing backslash).
std::string programFolder();

}  // namespace standin
