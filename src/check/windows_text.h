#pragma once

// The system's UTF-16 and the tool's UTF-8, and the ANSI code page that
// command-line arguments arrive in.
#include <string>

std::string utf8FromWide(const wchar_t* text);
std::wstring wideFromAnsi(const std::string& text);
