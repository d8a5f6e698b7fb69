#pragma once

#include "check/findings.h"

#include <string>

// What people read: the eight settings as the strip will use them, then
// every finding, in file order.
std::string peopleReport(const CheckResult& result);

// The same for scripts: one JSON document, valid whatever bytes the file
// holds. A byte that is not part of well-formed UTF-8 is written as \u00XX,
// the character with the byte's own number (as Latin-1 reads it), so any
// JSON reader takes the document; such a byte cannot be told apart from
// the same character written in UTF-8.
std::string jsonReport(const CheckResult& result);

// One JSON string literal for any bytes, by the rule above.
std::string jsonString(const std::string& bytes);
