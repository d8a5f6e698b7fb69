#include "check/nearest_name.h"

#include <algorithm>
#include <cstddef>

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), lower);
    return text;
}

// Edits between a and b, swaps of neighbours counting as one.
std::size_t editDistance(const std::string& a, const std::string& b)
{
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[a.size()][b.size()];
}

} // namespace

std::string nearestName(const std::string& written, const std::vector<std::string>& candidates)
{
    // Names are short; anything long is no typing slip, and the table below
    // must stay small.
    constexpr std::size_t kLongest = 64;
    constexpr std::size_t kMostEdits = 2;
    if (written.size() > kLongest)
        return std::string();
    const std::string plain = lowered(written);
    std::string best;
    std::size_t bestDistance = kMostEdits + 1;
    bool tied = false;
    for (const std::string& candidate : candidates) {
        const std::size_t distance = editDistance(plain, lowered(candidate));
        // Two edits to a three-letter word make another word entirely.
        if (distance > kMostEdits || distance * 2 >= candidate.size())
            continue;
        if (distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
            tied = false;
        } else if (distance == bestDistance) {
            tied = true;
        }
    }
    return tied ? std::string() : best;
}
