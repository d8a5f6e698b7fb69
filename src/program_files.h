#pragma once

// The files the program opens, relative to its working directory.
constexpr char kSettingsFile[] = "config.ini";
constexpr char kTrayIconFile[] = "icon.ico";
constexpr char kAtlasFile[] = "res/fira-code.png";

// The program's own file, as the build names it, and the guard a running
// copy holds.
constexpr char kProgramFile[] = "halvesta.exe";
constexpr char kSingleInstanceMutex[] = "HalvestaSingleInstance";
