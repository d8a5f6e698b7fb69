#pragma once

#include <string>
#include <vector>

// The candidate a mistyped name most likely meant: the same letters in
// another case, or one at most two edits away (a letter added, dropped,
// changed, or two neighbours swapped), ignoring case. Empty when none is
// that close, or when two are equally close.
std::string nearestName(const std::string& written, const std::vector<std::string>& candidates);
