#pragma once

#include <string>
#include <vector>

// A throwaway copy of the test run's Wine prefix, for tests that change
// what every later program in a prefix would see (login entries, display
// scaling). The destructor ends its server and deletes it.
class ScratchPrefix {
public:
    ScratchPrefix();
    ~ScratchPrefix();
    ScratchPrefix(const ScratchPrefix&) = delete;
    ScratchPrefix& operator=(const ScratchPrefix&) = delete;

    bool ready() const { return !prefix.empty(); }
    // The environment entry that runs a program in this prefix.
    std::string variable() const { return "WINEPREFIX=" + prefix; }
    // Runs wine with these arguments here; its exit status, or -1.
    int wine(const std::vector<std::string>& arguments) const;

private:
    std::string folder;
    std::string prefix;
};
