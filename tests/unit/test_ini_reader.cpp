#include "config/ini_reader.h"
#include "ini_text.h"
#include "test_files.h"

#include <gtest/gtest.h>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Entry = std::tuple<std::string, std::string, std::string>;
using Entries = std::vector<Entry>;

// Every section, key and value, sorted, so a test sees extra entries too.
Entries entriesOf(const IniData& store)
{
    Entries entries;
    for (const auto& section : store)
        for (const auto& entry : section.second)
            entries.emplace_back(section.first, entry.first, entry.second);
    std::sort(entries.begin(), entries.end());
    return entries;
}

Entries sorted(Entries entries)
{
    std::sort(entries.begin(), entries.end());
    return entries;
}

Entries parse(const std::string& text)
{
    return entriesOf(parseIniText(text));
}

std::string escaped(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte >= 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out + '"';
}

// One line per entry: "section" "key" "value", C escapes for odd bytes.
std::string dump(const IniData& store)
{
    std::string out;
    for (const Entry& entry : entriesOf(store))
        out +=
            escaped(std::get<0>(entry)) + ' ' + escaped(std::get<1>(entry)) + ' ' + escaped(std::get<2>(entry)) + '\n';
    return out;
}

#if defined(__GLIBC__)
// Hands out a few lines, then fails the way a device error does.
ssize_t readLinesThenFail(void* cookie, char* buffer, size_t size)
{
    const char*& left = *static_cast<const char**>(cookie);
    if (!*left) {
        errno = EIO;
        return -1;
    }
    const size_t count = std::min(size, std::strlen(left));
    std::memcpy(buffer, left, count);
    left += count;
    return static_cast<ssize_t>(count);
}
#endif

} // namespace

TEST(Trim, RemovesBlanksAndTabsAtBothEnds)
{
    EXPECT_EQ(trim("  value \t"), "value");
    EXPECT_EQ(trim("\t\t[Display]  "), "[Display]");
    EXPECT_EQ(trim("a b\tc"), "a b\tc");
    EXPECT_EQ(trim("x"), "x");
}

TEST(Trim, NothingLeftGivesEmpty)
{
    EXPECT_EQ(trim(""), "");
    EXPECT_EQ(trim(" "), "");
    EXPECT_EQ(trim(" \t \t"), "");
}

TEST(Trim, OtherWhiteSpaceStays)
{
    EXPECT_EQ(trim("value\r"), "value\r");
    EXPECT_EQ(trim(" value \r "), "value \r");
    EXPECT_EQ(trim("\vvalue\v"), "\vvalue\v");
    EXPECT_EQ(trim("\nvalue\f"), "\nvalue\f");
    EXPECT_EQ(trim("\r"), "\r");
}

TEST(IniHeaders, OuterBlanksGoInnerBlanksStay)
{
    EXPECT_EQ(parse("  [Display]\t \nk=1\n"), (Entries{{"Display", "k", "1"}}));
    EXPECT_EQ(parse("[ Display ]\nk=1\n"), (Entries{{" Display ", "k", "1"}}));
    EXPECT_EQ(parse("[]\nk=1\n"), (Entries{{"", "k", "1"}}));
    EXPECT_EQ(parse("[a=b]\nk=1\n"), (Entries{{"a=b", "k", "1"}}));
}

TEST(IniHeaders, UnclosedBracketIsNoHeader)
{
    EXPECT_EQ(parse("[Style]\n[\nk=1\n"), (Entries{{"Style", "k", "1"}}));
    EXPECT_EQ(parse("[Style]\n[abc\nk=1\n"), (Entries{{"Style", "k", "1"}}));
    EXPECT_EQ(parse("[Style]\n[abc] tail\nk=1\n"), (Entries{{"Style", "k", "1"}}));
    EXPECT_EQ(parse("[Style]\n[abc=1\n"), (Entries{{"Style", "[abc", "1"}}));
    EXPECT_EQ(parse("[a]=b\n"), (Entries{{"", "[a]", "b"}}));
}

TEST(IniHeaders, EntriesBeforeAnyHeaderBelongToTheEmptySection)
{
    EXPECT_EQ(parse("k=1\n[S]\nk=2\n"), (Entries{{"", "k", "1"}, {"S", "k", "2"}}));
}

TEST(IniHeaders, RepeatedSectionsMergeAndLaterKeysWin)
{
    EXPECT_EQ(parse("[S]\na=1\nb=2\n[T]\na=9\n[S]\nb=3\nc=4\n"),
              sorted({{"S", "a", "1"}, {"S", "b", "3"}, {"S", "c", "4"}, {"T", "a", "9"}}));
}

TEST(IniHeaders, NamesAndKeysAreCaseSensitive)
{
    EXPECT_EQ(parse("[display]\nShow_Date=true\n[Display]\nshow_date=1\n"),
              sorted({{"display", "Show_Date", "true"}, {"Display", "show_date", "1"}}));
}

TEST(IniEntries, SplitAtTheFirstEqualsSign)
{
    EXPECT_EQ(parse("k=v=w\n"), (Entries{{"", "k", "v=w"}}));
    EXPECT_EQ(parse("=v\n"), (Entries{{"", "", "v"}}));
    EXPECT_EQ(parse("k=\n"), (Entries{{"", "k", ""}}));
    EXPECT_EQ(parse("=\n"), (Entries{{"", "", ""}}));
}

TEST(IniEntries, KeysAndValuesAreTrimmed)
{
    EXPECT_EQ(parse(" \tfont size \t=\t 24 px \n"), (Entries{{"", "font size", "24 px"}}));
}

TEST(IniEntries, NoCommentsAfterAValue)
{
    EXPECT_EQ(parse("a = b ; c\nd=e # f\n"), sorted({{"", "a", "b ; c"}, {"", "d", "e # f"}}));
}

TEST(IniEntries, CommentsBlanksAndBareWordsAreSkipped)
{
    EXPECT_EQ(parse("; k=1\n# k=2\n   ;k=3\n\t#k=4\n\n   \n\t\njust words\n[S]\nk=5\n"), (Entries{{"S", "k", "5"}}));
}

TEST(IniEntries, LastLineNeedsNoLineFeed)
{
    EXPECT_EQ(parse("[S]\nk=1"), (Entries{{"S", "k", "1"}}));
    EXPECT_EQ(parse("k=1\n\n"), (Entries{{"", "k", "1"}}));
    EXPECT_EQ(parse(""), Entries{});
}

TEST(IniEntries, CarriageReturnStaysOnTheValue)
{
    // "[Display]\r" no longer ends in a bracket, so it is no header either.
    EXPECT_EQ(parse("[Display]\r\nshow_date=true\r\n"), (Entries{{"", "show_date", "true\r"}}));
    EXPECT_EQ(parse("[Display]\nshow_date = true \r\n"), (Entries{{"Display", "show_date", "true \r"}}));
}

TEST(IniEntries, LinesLongerThanAnyReadBlock)
{
    // Lines straddling the reader's internal block boundaries must not be
    // split or lost.
    const std::string longValue(10000, 'v');
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += "[S]\n";
    text += "long=" + longValue + "\nafter=1";
    EXPECT_EQ(parse(text), sorted({{"S", "long", longValue}, {"S", "after", "1"}}));
}

TEST(IniEntries, PiecesFedByteByByteGiveTheSameStore)
{
    const std::string text = "\xEF\xBB\xBF[Display]\nshow_date=true\r\n; c\n[Style]\nfont_size = 16\ntail=x";
    const IniData whole = parseIniText(text);

    IniData pieces;
    IniParser parser(pieces);
    for (const char c : text)
        parser.feed(&c, 1);
    parser.finish();
    EXPECT_EQ(entriesOf(pieces), entriesOf(whole));
    EXPECT_EQ(pieces["Display"]["show_date"], "true\r");
}

TEST(IniEntries, ByteOrderMarkSkippedOnlyAtTheVeryStart)
{
    EXPECT_EQ(parse("\xEF\xBB\xBF[Display]\nshow_date=true\n"), (Entries{{"Display", "show_date", "true"}}));
    EXPECT_EQ(parse("\xEF\xBB\xBFk=1\n"), (Entries{{"", "k", "1"}}));
    EXPECT_EQ(parse("\n\xEF\xBB\xBFk=1\n"), (Entries{{"", "\xEF\xBB\xBFk", "1"}}));
    EXPECT_EQ(parse("k=1\n\xEF\xBB\xBF[Display]\n"), (Entries{{"", "k", "1"}}));
    EXPECT_EQ(parse("k=\xEF\xBB\xBF\n"), (Entries{{"", "k", "\xEF\xBB\xBF"}}));
    EXPECT_EQ(parse(" \xEF\xBB\xBFk=1\n"), (Entries{{"", "\xEF\xBB\xBFk", "1"}}));
}

TEST(IniEntries, ZeroBytesAreKept)
{
    EXPECT_EQ(parse(std::string("k=a\0b\n", 6)), (Entries{{"", "k", std::string("a\0b", 3)}}));
}

TEST(IniFile, MissingFileGivesOnlyTheFailedStatus)
{
    IniReader reader;
    const IniData store = reader.read((std::filesystem::path(::testing::TempDir()) / "halvesta_no_such.ini").string());
    EXPECT_EQ(entriesOf(store), (Entries{{"return", "failed", "true"}}));
}

TEST(IniFile, EmptyFileGivesOnlyTheSucceededStatus)
{
    ScratchDir dir;
    dir.write("config.ini", "");
    const std::string file = dir.file("config.ini");
    IniReader reader;
    EXPECT_EQ(entriesOf(reader.read(file)), (Entries{{"return", "failed", "false"}}));
}

TEST(IniFile, FileCannotClaimItsOwnFailure)
{
    ScratchDir dir;
    dir.write("config.ini", "[return]\nfailed=true\nother=x\n");
    const std::string file = dir.file("config.ini");
    IniReader reader;
    EXPECT_EQ(entriesOf(reader.read(file)), sorted({{"return", "failed", "false"}, {"return", "other", "x"}}));
}

TEST(IniFile, ReadErrorLeavesTheFailedStatus)
{
    // A directory opens on glibc but every read of it fails; elsewhere it
    // does not open at all, which must end the same way.
    IniReader reader;
    const IniData store = reader.read(::testing::TempDir());
    ASSERT_EQ(store.count("return"), 1u);
    EXPECT_EQ(store.at("return").at("failed"), "true");

    // An error after some lines have been read still makes the file
    // unreadable, not half read.
    IniData partial;
#if defined(__GLIBC__)
    const char* left = "[Display]\nshow_date=true\n";
    std::FILE* failing = fopencookie(&left, "r", cookie_io_functions_t{readLinesThenFail, nullptr, nullptr, nullptr});
#elif defined(_WIN32)
    // A descriptor that claims to read while the system refuses it.
    ScratchDir dir;
    dir.write("config.ini", "[Display]\nshow_date=true\n");
    const std::string file = dir.file("config.ini");
    const HANDLE writeOnly = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, 0, nullptr);
    std::FILE* failing = _fdopen(_open_osfhandle(reinterpret_cast<intptr_t>(writeOnly), _O_RDONLY), "r");
#endif
    ASSERT_NE(failing, nullptr);
    EXPECT_FALSE(readIniFile(failing, partial));
    std::fclose(failing);
}

TEST(IniFile, ReadsEachFileAfresh)
{
    ScratchDir dir;
    dir.write("config.ini", "[S]\nk=1\n");
    const std::string file = dir.file("config.ini");
    IniReader reader;
    EXPECT_EQ(reader.read(file).at("S").at("k"), "1");
    const IniData missing = reader.read(file + ".gone");
    EXPECT_EQ(entriesOf(missing), (Entries{{"return", "failed", "true"}}));
}

TEST(IniFile, LineEndsAsTheTextModeLeavesThem)
{
    ScratchDir dir;
    dir.write("config.ini", "\xEF\xBB\xBF[Display]\r\nshow_date=true\r\n");
    const std::string file = dir.file("config.ini");
    IniReader reader;
    const IniData store = reader.read(file);
#ifdef _WIN32
    EXPECT_EQ(dump(store), "\"Display\" \"show_date\" \"true\"\n\"return\" \"failed\" \"false\"\n");
#else
    EXPECT_EQ(dump(store), "\"\" \"show_date\" \"true\\r\"\n\"return\" \"failed\" \"false\"\n");
#endif
}

// PowerShell 5.1 and Notepad's "Unicode" save UTF-16 with a mark; the
// corpus holds whole files of both orders.
TEST(Utf16Text, EitherOrderBecomesUtf8WithLineFeedsOnly)
{
    EXPECT_EQ(utf16OrderOfMark("\xFF\xFEk", 3), Utf16Order::LittleEndian);
    EXPECT_EQ(utf16OrderOfMark("\xFE\xFF", 2), Utf16Order::BigEndian);
    EXPECT_EQ(utf16OrderOfMark("\xFF", 1), Utf16Order::None);
    EXPECT_EQ(utf16OrderOfMark("\xEF\xBB\xBF", 3), Utf16Order::None);

    const auto little = [](const std::string& bytes) {
        return utf16ToUtf8(bytes.data(), bytes.size(), Utf16Order::LittleEndian);
    };
    const auto big = [](const std::string& bytes) {
        return utf16ToUtf8(bytes.data(), bytes.size(), Utf16Order::BigEndian);
    };
    // "a", CR LF, a lone CR, U+00E9, U+20AC and U+1F600 as a surrogate pair.
    EXPECT_EQ(little(std::string("a\0\r\0\n\0\r\0b\0\xE9\0\xAC\x20\x3D\xD8\x00\xDE", 18)),
              "a\n\rb\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(big(std::string("\0a\0\r\0\n\x20\xAC\xD8\x3D\xDE\x00", 12)), "a\n\xE2\x82\xAC\xF0\x9F\x98\x80");
    // Unpaired surrogates: a high one before a letter, a low one alone, a
    // high one at the end; then an odd last byte, which is dropped.
    EXPECT_EQ(little(std::string("\x3D\xD8x\0\x00\xDE\x3D\xD8", 8)), "\xEF\xBF\xBDx\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(little(std::string("k\0=", 3)), "k");
}

// Each ini_corpus/NAME.ini is read as a settings file and must give exactly
// the entries listed in NAME.expected.
TEST(IniCorpus, EveryFileGivesItsExpectedStore)
{
    const std::filesystem::path corpus = std::filesystem::path(HALVESTA_SOURCE_DIR) / "tests" / "unit" / "ini_corpus";
    int cases = 0;
    for (const auto& item : std::filesystem::directory_iterator(corpus)) {
        if (item.path().extension() != ".ini")
            continue;
        std::filesystem::path expectedPath = item.path();
        expectedPath.replace_extension(".expected");
        ASSERT_TRUE(std::filesystem::exists(expectedPath)) << expectedPath;
        IniReader reader;
        EXPECT_EQ(dump(reader.read(item.path().string())), readBytes(expectedPath.string())) << item.path();
        ++cases;
    }
    EXPECT_GE(cases, 6);
}
