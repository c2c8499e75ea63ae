#include "Client.h"

#include <windows.h>

#include <shlobj.h>

#include "ControlProtocol.h"

namespace standin {

bool parseClient(const std::string& name, Client& client) {
    if (name == "retail") {
        client = Client::retail;
    } else if (name == "eternaljk") {
        client = Client::eternaljk;
    } else if (name == "openjk") {
        client = Client::openjk;
    } else {
        return false;
    }
    return true;
}

const char* mainWindowClass(Client client) {
    return isCommunity(client) ? "SDL_app" : kGameClass;
}

const char* mainWindowTitle(Client client) {
    switch (client) {
        case Client::eternaljk:
            return "EternalJK";
        case Client::openjk:
            return "OpenJK";
        default:
            return kGameTitle;
    }
}

const char* defaultWriteFolder(Client client) {
    return client == Client::eternaljk ? "EternalJK" : "base";
}

std::string defaultHomePath(Client client, const std::string& basePath) {
    if (client != Client::openjk) return basePath;
    char documents[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents)))
        return basePath;
    return std::string(documents) + "\\My Games\\OpenJK";
}

std::string programFolder() {
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    std::size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}

}  // namespace standin
