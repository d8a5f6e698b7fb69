// Drives the program under test from outside. "probe serve" reads one
// command per line on stdin and answers one line each; "probe CMD ARGS"
// runs a single command.
#include "probe.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>

namespace {

std::string restOf(std::istringstream& in)
{
    std::string rest;
    std::getline(in, rest);
    const size_t start = rest.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : rest.substr(start);
}

std::string run(const std::string& line)
{
    std::istringstream in(line);
    std::string command;
    in >> command;
    if (command == "find")
        return windowInfo(restOf(in));
    if (command == "session") {
        unsigned change = 0;
        in >> change;
        return sendSessionChange(change);
    }
    if (command == "move") {
        std::string className;
        int x = 0, y = 0;
        in >> className >> x >> y;
        return moveWindow(className, x, y);
    }
    if (command == "close")
        return postClose(restOf(in));
    if (command == "count") {
        std::string className;
        in >> className;
        return countWindows(className, restOf(in));
    }
    if (command == "notify") {
        unsigned message = 0;
        in >> std::hex >> message;
        return notifyTray(message);
    }
    if (command == "turns") {
        int turns = 0;
        in >> turns;
        return waitTurns(turns);
    }
    if (command == "turnrate") {
        unsigned long milliseconds = 0;
        in >> milliseconds;
        return milliseconds ? turnRate(milliseconds) : "error no duration";
    }
    if (command == "mutex")
        return mutexExists(restOf(in));
    if (command == "mutexdenied")
        return mutexDeniedHold(restOf(in));
    if (command == "mutexdeniedfree")
        return mutexDeniedRelease();
    if (command == "focustake")
        return focusTake();
    if (command == "focusremove")
        return focusRemove();
    if (command == "keyboard")
        return keyboardOwners();
    if (command == "altf4")
        return typeAltF4();
    if (command == "sysclose")
        return postSystemClose(restOf(in));
    if (command == "refusingtray")
        return refusingTrayOpen();
    if (command == "refusingtraystate")
        return refusingTrayState();
    if (command == "refusingtrayremove")
        return refusingTrayClose();
    if (command == "menuwait") {
        unsigned long timeout = 0;
        in >> timeout;
        return menuWait(timeout);
    }
    if (command == "menu")
        return menuItems();
    if (command == "menuchoose") {
        unsigned id = 0;
        in >> id;
        return menuChoose(id);
    }
    if (command == "menuesc")
        return menuDismiss();
    if (command == "msgbox")
        return messageBoxText(restOf(in));
    if (command == "msgboxok")
        return messageBoxOk(restOf(in));
    if (command == "iconexists")
        return trayIconExists();
    if (command == "iconexistsfor")
        return trayIconExistsFor(restOf(in));
    if (command == "icondelete")
        return trayIconDelete();
    if (command == "taskbarcreated")
        return sendTaskbarCreated();
    if (command == "resources")
        return exeResources(restOf(in));
    if (command == "shortcut") {
        std::string name, target, startIn;
        in >> name >> target >> startIn;
        return makeStartupShortcut(name, target, startIn);
    }
    if (command == "memory")
        return processMemory(restOf(in));
    if (command == "decoy")
        return decoyCreate(restOf(in));
    if (command == "decoyraise")
        return decoyRaise();
    if (command == "decoyunderstrip")
        return stripOverDecoy();
    if (command == "decoystate")
        return decoyState();
    if (command == "decoyremove")
        return decoyRemove();
    if (command == "ping")
        return "pong";
    return "error unknown command";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::string(argv[1]) == "serve") {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line == "quit")
                break;
            std::cout << run(line) << std::endl;
        }
        return 0;
    }
    std::string line;
    for (int i = 1; i < argc; ++i)
        line += (i > 1 ? " " : "") + std::string(argv[i]);
    const std::string answer = run(line);
    std::cout << answer << std::endl;
    return answer.rfind("error", 0) == 0 ? 1 : 0;
}
