#pragma once

// The files the program opens, relative to its working directory.
constexpr char kSettingsFile[] = "config.ini";
constexpr char kTrayIconFile[] = "icon.ico";
constexpr char kAtlasFile[] = "res/fira-code.png";
