#include "dictionary/preference_document.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace std::string_literals;
using Kind = PreferenceLineKind;

// Lines rendered one text each, so a mismatch shows kind and exact bytes.
std::vector<std::string> Describe(const std::vector<PreferenceLine>& lines)
{
    static const char* const kinds[] = {"Group", "Comment", "Entry"};
    std::vector<std::string> described;
    described.reserve(lines.size());
    for (const PreferenceLine& line : lines) {
        described.push_back(std::string(kinds[static_cast<int>(line.kind)]) + " " + testing::PrintToString(line.name) +
                            " " + testing::PrintToString(line.value));
    }
    return described;
}

PreferenceLine Group(std::string name)
{
    return {Kind::Group, std::move(name), {}};
}
PreferenceLine Comment(std::string text)
{
    return {Kind::Comment, {}, std::move(text)};
}
PreferenceLine Entry(std::string key, std::string value)
{
    return {Kind::Entry, std::move(key), std::move(value)};
}

// ---- Reading the file's lines ---------------------------------------------

struct ParseCase {
    const char* label;
    std::string bytes;
    bool utf8;
    std::vector<PreferenceLine> lines;
};

void PrintTo(const ParseCase& c, std::ostream* out)
{
    *out << c.label;
}

class ParseTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, YieldsLines)
{
    const ParseCase& c = GetParam();
    const PreferenceDocument document = ParsePreferenceDocument(c.bytes);
    EXPECT_EQ(document.utf8, c.utf8);
    EXPECT_EQ(Describe(document.lines), Describe(c.lines));
    EXPECT_EQ(document.currentGroup, -1);
    EXPECT_TRUE(document.pendingGroup.empty());
    EXPECT_FALSE(document.modified);
}

const ParseCase kParseCases[] = {
    {"Empty", "", false, {}},
    {"OnlyLineEnds", "\r\n\n\r\r\n", false, {}},
    {"OnlyBlanks", " \t \r\n\t\n  ", false, {}},
    {"CrLf", "[100]\r\nEN = Video\r\n", false, {Group("100"), Entry("EN", "Video")}},
    {"LfOnly", "[100]\nEN = Video\n", false, {Group("100"), Entry("EN", "Video")}},
    {"CrOnly", "[100]\rEN = Video\r", false, {Group("100"), Entry("EN", "Video")}},
    {"LfCr", "[100]\n\rEN = Video", false, {Group("100"), Entry("EN", "Video")}},
    {"LastLineWithoutEnd", "[100]\r\nEN = Video", false, {Group("100"), Entry("EN", "Video")}},
    {"MixedRunsAndBlankLines",
     "\n\n[a]\r\n\r\n \t \r\rk=v\n\r\n;c",
     false,
     {Group("a"), Entry("k", "v"), Comment("c")}},
    {"LeadingBlanksAndTabs", " \t [a]\n\t; c\n  \tk=v", false, {Group("a"), Comment("c"), Entry("k", "v")}},
    {"GroupNameKeepsBlanks", "[ 100 ]", false, {Group(" 100 ")}},
    {"GroupNameKeepsTabs", "[\t100\t]", false, {Group("\t100\t")}},
    {"GroupEndsAtFirstBracket", "[10]0]", false, {Group("10")}},
    {"GroupTextAfterBracketIgnored", "[100] = x ; y", false, {Group("100")}},
    {"GroupWithoutBracketRunsToEnd", "[100 \t", false, {Group("100 \t")}},
    {"EmptyGroupName", "[]", false, {Group("")}},
    {"BareBracket", "[", false, {Group("")}},
    {"CommentDropsOneBlank", "; text", false, {Comment("text")}},
    {"CommentWithoutBlank", ";text", false, {Comment("text")}},
    {"CommentKeepsSecondBlank", ";  text", false, {Comment(" text")}},
    {"CommentKeepsTab", ";\ttext", false, {Comment("\ttext")}},
    {"CommentKeepsTrailingBlanks", "; text  ", false, {Comment("text  ")}},
    {"EmptyComment", ";", false, {Comment("")}},
    {"CommentOfBlankOnly", "; ", false, {Comment("")}},
    {"CommentLooksLikeEntry", "; k = v", false, {Comment("k = v")}},
    {"EntryTrimsKeyAndValueStart", "  EN=  Video  ", false, {Entry("EN", "Video  ")}},
    {"EntryKeyTrailingTab", "EN \t=\tVideo", false, {Entry("EN", "Video")}},
    {"EntryKeyKeepsInnerBlank", "E N = V", false, {Entry("E N", "V")}},
    {"ValueKeepsEqualsSemicolonAndBrackets", "a = b=c;[d]", false, {Entry("a", "b=c;[d]")}},
    {"SemicolonInsideKey", "x ;y = 1", false, {Entry("x ;y", "1")}},
    {"BracketInsideKey", "x[y] = 1", false, {Entry("x[y]", "1")}},
    {"EntryWithoutEquals", "lonely  ", false, {Entry("lonely", "")}},
    {"EntryWithEmptyValue", "GE = ", false, {Entry("GE", "")}},
    {"EntryWithEmptyKey", "= v", false, {Entry("", "v")}},
    {"EqualsOnly", "=", false, {Entry("", "")}},
    {"ZeroByteEndsTheText", "a\0=b\0c\n\0"s, false, {Entry("a", "")}},
    {"ByteOrderMark", "\xEF\xBB\xBF[100]\r\nEN = Video", true, {Group("100"), Entry("EN", "Video")}},
    {"ByteOrderMarkAlone", "\xEF\xBB\xBF", true, {}},
    {"ByteOrderMarkThenLineEnd", "\xEF\xBB\xBF\r\n[a]", true, {Group("a")}},
    {"SecondByteOrderMarkIsText", "\xEF\xBB\xBF\xEF\xBB\xBF", true, {Entry("\xEF\xBB\xBF", "")}},
    {"TruncatedByteOrderMarkIsText", "\xEF\xBB", false, {Entry("\xEF\xBB", "")}},
    {"WrongThirdByteIsText", "\xEF\xBB\xBE", false, {Entry("\xEF\xBB\xBE", "")}},
    {"ByteOrderMarkAfterBlankIsText", " \xEF\xBB\xBF", false, {Entry("\xEF\xBB\xBF", "")}},
    {"TopSectionThenGroups",
     "t = 1\n[a]\nk = 2\n[b]",
     false,
     {Entry("t", "1"), Group("a"), Entry("k", "2"), Group("b")}},
};

INSTANTIATE_TEST_SUITE_P(Lines, ParseTest, testing::ValuesIn(kParseCases),
                         [](const auto& info) { return std::string(info.param.label); });

// ---- Reading values --------------------------------------------------------

struct ReadCase {
    const char* label;
    std::string bytes;
    std::string group;
    bool found;
    std::string key;
    std::string expected;
};

void PrintTo(const ReadCase& c, std::ostream* out)
{
    *out << c.label;
}

class ReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadTest, ReturnsValueOrFallback)
{
    const ReadCase& c = GetParam();
    PreferenceDocument document = ParsePreferenceDocument(c.bytes);
    EXPECT_EQ(SelectPreferenceGroup(document, c.group), c.found);
    EXPECT_EQ(ReadPreferenceString(document, c.key, "x"), c.expected);
}

const std::string kVideo = "[100]\r\nEN = Video\r\n";
const std::string kTwoGroups = "top = T\r\n[100]\r\nEN = Video\r\n; note\r\nGE = Bild\r\n[200]\r\nRU = Kino\r\n";

const ReadCase kReadCases[] = {
    {"Exact", kVideo, "100", true, "EN", "Video"},
    {"KeyCaseIgnored", kVideo, "100", true, "en", "Video"},
    {"GroupCaseIgnored", "[Menu]\r\nEN = Video", "mENU", true, "EN", "Video"},
    {"MissingKey", kVideo, "100", true, "RU", "x"},
    {"KeyPrefixIsNotKey", kVideo, "100", true, "E", "x"},
    {"KeyLongerIsNotKey", kVideo, "100", true, "ENX", "x"},
    {"ValueTrimmed", "[100]\r\n  EN=  Video \t ", "100", true, "EN", "Video"},
    {"EmptyValueIsNotFallback", "[100]\r\nGE = ", "100", true, "GE", ""},
    {"EntryWithoutEqualsIsEmpty", "[100]\r\nGE", "100", true, "GE", ""},
    {"InnerBlanksKept", "[100]\r\nEN = a  b", "100", true, "EN", "a  b"},
    {"AbsentGroupHidesEverything", kTwoGroups, "101", false, "EN", "x"},
    {"AbsentGroupHidesOtherGroups", kTwoGroups, "101", false, "RU", "x"},
    {"AbsentGroupHidesTopSection", kTwoGroups, "101", false, "top", "x"},
    {"BlanksBelongToGroupName", "[ 100 ]\r\nEN = Video", "100", false, "EN", "x"},
    {"BlankedNameFoundWithBlanks", "[ 100 ]\r\nEN = Video", " 100 ", true, "EN", "Video"},
    {"TopSection", kTwoGroups, "", true, "top", "T"},
    {"TopSectionEndsAtFirstGroup", kTwoGroups, "", true, "EN", "x"},
    {"GroupEndsAtNextGroup", kTwoGroups, "100", true, "RU", "x"},
    {"CommentDoesNotEndGroup", kTwoGroups, "100", true, "GE", "Bild"},
    {"LaterGroup", kTwoGroups, "200", true, "RU", "Kino"},
    {"EmptyKeyDoesNotMatchComment", "[a]\r\n; note", "a", true, "", "x"},
    {"EmptyKeyMatchesEmptyKey", "[a]\r\n; note\r\n= v", "a", true, "", "v"},
    {"FirstDuplicateGroupWins", "[a]\r\nk = 1\r\n[A]\r\nk = 2\r\nonly = 2", "a", true, "k", "1"},
    {"SecondDuplicateGroupUnreachable", "[a]\r\nk = 1\r\n[A]\r\nonly = 2", "A", true, "only", "x"},
    {"FirstDuplicateKeyWins", "[a]\r\nk = 1\r\nK = 2", "a", true, "k", "1"},
    {"SemicolonInValue", "[a]\r\nk = 1 ; not a comment", "a", true, "k", "1 ; not a comment"},
    {"HighBytesVerbatimWithoutMark", "[a]\r\nk = caf\xC3\xA9", "a", true, "k", "caf\xC3\xA9"},
    {"Utf8KeyNotFoundBy8BitWithoutMark", "[a]\r\n\xC3\xA9 = 1", "a", true, "\xE9", "x"},
    {"Utf8GroupFoundBy8BitName", "\xEF\xBB\xBF[\xC3\xA9t\xC3\xA9]\r\nk = 1", "\xE9t\xE9", true, "k", "1"},
    {"Utf8KeyFoundBy8BitKey", "\xEF\xBB\xBF[a]\r\n\xC3\xA9 = 1", "a", true, "\xE9", "1"},
    {"Utf8KeyNotFoundByItsOwnBytes", "\xEF\xBB\xBF[a]\r\n\xC3\xA9 = 1", "a", true, "\xC3\xA9", "x"},
    {"Utf8ValueConverted", "\xEF\xBB\xBF[100]\r\nEN = caf\xC3\xA9", "100", true, "EN", "caf\xE9"},
};

INSTANTIATE_TEST_SUITE_P(Values, ReadTest, testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.label); });

// A dictionary holding a group twice: the text comes from the first group of
// that name only, and a language it lacks gives the fallback, even where the
// later group has it. Both ways of reading say so: the scan a lookup makes
// over the bytes, and the parsed document.
TEST(ReadTest, OnlyTheFirstOfTwoGroupsOfOneNameIsSearched)
{
    const std::string bytes = "[100]\r\nRU = \xC2\xE8\xE4\xE5\xEE\r\n[100]\r\nEN = Video\r\n";
    EXPECT_TRUE(HasPreferenceGroup(bytes, "100"));
    EXPECT_EQ(FindPreferenceString(bytes, "100", "EN", "fallback"), "fallback");
    EXPECT_EQ(FindPreferenceString(bytes, "100", "RU", "fallback"), "\xC2\xE8\xE4\xE5\xEE");
    PreferenceDocument document = ParsePreferenceDocument(bytes);
    EXPECT_TRUE(SelectPreferenceGroup(document, "100"));
    EXPECT_EQ(ReadPreferenceString(document, "EN", "fallback"), "fallback");
    EXPECT_EQ(ReadPreferenceString(document, "RU", "fallback"), "\xC2\xE8\xE4\xE5\xEE");
}

// The engine parses the file as one zero-terminated text: a zero byte ends
// it, for the scan over the bytes and the parsed document alike.
TEST(ReadTest, AZeroByteEndsTheText)
{
    const std::string bytes = "[100]\r\nEN = Vi\0deo\r\n[101]\r\nEN = X\r\n"s;
    PreferenceDocument document = ParsePreferenceDocument(bytes);
    for (const auto& [group, text] : {std::pair{"100", "Vi"}, std::pair{"101", "fallback"}}) {
        EXPECT_EQ(FindPreferenceString(bytes, group, "EN", "fallback"), text) << group;
        SelectPreferenceGroup(document, group);
        EXPECT_EQ(ReadPreferenceString(document, "EN", "fallback"), text) << group;
    }
}

TEST(ReadTest, FallbackHandedBackUnchangedInUtf8Mode)
{
    const PreferenceDocument document = ParsePreferenceDocument("\xEF\xBB\xBF[a]");
    EXPECT_EQ(ReadPreferenceString(document, "k", "\xE9\xC3\xA9"), "\xE9\xC3\xA9");
}

// ---- Matching of names: ASCII letters only --------------------------------

struct MatchCase {
    std::string inFile;
    std::string asked;
    bool same;
};

void PrintTo(const MatchCase& c, std::ostream* out)
{
    *out << testing::PrintToString(c.inFile) << " vs " << testing::PrintToString(c.asked);
}

class MatchTest : public testing::TestWithParam<MatchCase> {};

TEST_P(MatchTest, GroupAndKeyAlike)
{
    const MatchCase& c = GetParam();
    PreferenceDocument document = ParsePreferenceDocument("[" + c.inFile + "]\n" + c.inFile + " = hit");
    EXPECT_EQ(SelectPreferenceGroup(document, c.asked), c.same);
    ASSERT_TRUE(SelectPreferenceGroup(document, c.inFile));
    EXPECT_EQ(ReadPreferenceString(document, c.asked, "miss"), c.same ? "hit" : "miss");
}

INSTANTIATE_TEST_SUITE_P(Names, MatchTest,
                         testing::Values(MatchCase{"abcxyz", "ABCXYZ", true}, MatchCase{"ABCXYZ", "abcxyz", true},
                                         MatchCase{"MiXeD", "mIxEd", true},
                                         // Neighbours of the letters differ by 0x20 too but are no case pairs.
                                         MatchCase{"@", "`", false}, MatchCase{"[x", "{x", false},
                                         MatchCase{"\\", "|", false}, MatchCase{"^", "~", false},
                                         MatchCase{"_", "\x7F", false},
                                         // Latin-1 case pairs stay distinct.
                                         MatchCase{"\xC0", "\xE0", false}, MatchCase{"\xDE", "\xFE", false},
                                         MatchCase{"a\x01_", "A\x01_", true}, MatchCase{"a\x01_", "a", false},
                                         MatchCase{"ab", "abc", false}));

// ---- UTF-8 values handed out as 8-bit text ---------------------------------

struct Utf8Case {
    std::string stored;
    std::string expected;
};

void PrintTo(const Utf8Case& c, std::ostream* out)
{
    *out << testing::PrintToString(c.stored);
}

class Utf8Test : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Test, ConvertsValue)
{
    const Utf8Case& c = GetParam();
    const PreferenceDocument document = ParsePreferenceDocument("\xEF\xBB\xBFk = <" + c.stored + ">");
    EXPECT_EQ(ReadPreferenceString(document, "k", "fallback"), "<" + c.expected + ">");
}

// Kept by hand: "\xC3" "A" is one string written in two pieces, which ends the
// escape before the A; the formatter would put each piece on a line of its own.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Bytes, Utf8Test,
    testing::Values(Utf8Case{"abc", "abc"}, Utf8Case{"\xC3\xA9", "\xE9"}, Utf8Case{"\xC2\x80", "\x80"},
                    Utf8Case{"\xC3\xBF", "\xFF"}, Utf8Case{"\xC2\xA0x", "\xA0x"},
                    // Past U+00FF: one question mark per character, whatever its length.
                    Utf8Case{"\xC4\x80", "?"}, Utf8Case{"\xD0\x96", "?"}, Utf8Case{"\xE2\x82\xAC", "?"},
                    Utf8Case{"\xF0\x9F\x98\x80", "?"}, Utf8Case{"\xF4\x8F\xBF\xBF", "?"},
                    Utf8Case{"\xE2\x82\xAC\xC3\xA9", "?\xE9"},
                    // Malformed: one question mark per byte that is not part of a sequence.
                    Utf8Case{"\x80", "?"}, Utf8Case{"\xBF\xBF", "??"}, Utf8Case{"\xC3", "?"},
                    Utf8Case{"\xC3" "A", "?A"}, Utf8Case{"\xC0\x80", "??"}, Utf8Case{"\xC1\xBF", "??"},
                    Utf8Case{"\xE0\x80\x80", "???"}, Utf8Case{"\xED\xA0\x80", "???"},
                    Utf8Case{"\xE2\x82" "A", "??A"}, Utf8Case{"\xF0\x80\x80\x80", "????"},
                    Utf8Case{"\xF4\x90\x80\x80", "????"}, Utf8Case{"\xF5\x80", "??"}, Utf8Case{"\xFF", "?"},
                    Utf8Case{"\xC3\xC3\xA9", "?\xE9"}, Utf8Case{"\xC2\xFF", "??"},
                    Utf8Case{"\xF0\x9F\x98" "A", "???A"}, Utf8Case{"\xE2\xC3\xA9", "?\xE9"},
                    Utf8Case{"\x01", "\x01"}));
// clang-format on

// ---- Selecting groups ------------------------------------------------------

TEST(SelectTest, AbsentNameBecomesPendingAndReplacesEarlierOne)
{
    PreferenceDocument document = ParsePreferenceDocument("[a]\r\n[b]");
    EXPECT_FALSE(SelectPreferenceGroup(document, "x"));
    EXPECT_EQ(document.pendingGroup, "x");
    EXPECT_FALSE(SelectPreferenceGroup(document, "y"));
    EXPECT_EQ(document.pendingGroup, "y");
}

TEST(SelectTest, FoundGroupDropsPending)
{
    PreferenceDocument document = ParsePreferenceDocument("[a]\r\n[b]");
    EXPECT_FALSE(SelectPreferenceGroup(document, "x"));
    EXPECT_TRUE(SelectPreferenceGroup(document, "B"));
    EXPECT_EQ(document.currentGroup, 1);
    EXPECT_TRUE(document.pendingGroup.empty());
}

TEST(SelectTest, EmptyNameSelectsTopSectionAndDropsPending)
{
    PreferenceDocument document = ParsePreferenceDocument("[a]");
    ASSERT_TRUE(SelectPreferenceGroup(document, "a"));
    EXPECT_FALSE(SelectPreferenceGroup(document, "x"));
    EXPECT_TRUE(SelectPreferenceGroup(document, ""));
    EXPECT_EQ(document.currentGroup, -1);
    EXPECT_TRUE(document.pendingGroup.empty());
}

TEST(SelectTest, GroupNamedEmptyIsNeverSelected)
{
    PreferenceDocument document = ParsePreferenceDocument("t = top\r\n[]\r\nt = group");
    EXPECT_TRUE(SelectPreferenceGroup(document, ""));
    EXPECT_EQ(ReadPreferenceString(document, "t", "x"), "top");
}

TEST(SelectTest, CommentTextIsNoGroup)
{
    PreferenceDocument document = ParsePreferenceDocument("; [a]\r\n;a");
    EXPECT_FALSE(SelectPreferenceGroup(document, "a"));
    EXPECT_FALSE(SelectPreferenceGroup(document, "[a]"));
}

TEST(SelectTest, NeitherSelectNorReadModifies)
{
    PreferenceDocument document = ParsePreferenceDocument("[a]\r\nk = v");
    SelectPreferenceGroup(document, "a");
    SelectPreferenceGroup(document, "b");
    ReadPreferenceString(document, "k", "x");
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(document.lines.size(), 2u);
}

// ---- Writing ---------------------------------------------------------------

// Runs select/write steps on a document and returns its canonical text.
struct Step {
    bool select;
    std::string first;
    std::string second;
};

std::string Apply(std::string_view original, const std::vector<Step>& steps)
{
    PreferenceDocument document = ParsePreferenceDocument(original);
    for (const Step& step : steps) {
        if (step.select) {
            SelectPreferenceGroup(document, step.first);
        } else {
            WritePreferenceString(document, step.first, step.second);
        }
    }
    return SerialisePreferenceDocument(document);
}

Step Select(std::string name)
{
    return {true, std::move(name), {}};
}
Step Write(std::string key, std::string value)
{
    return {false, std::move(key), std::move(value)};
}

struct WriteCase {
    const char* label;
    std::string original;
    std::vector<Step> steps;
    std::string expected;
};

void PrintTo(const WriteCase& c, std::ostream* out)
{
    *out << c.label;
}

class WriteTest : public testing::TestWithParam<WriteCase> {};

TEST_P(WriteTest, ProducesCanonicalText)
{
    const WriteCase& c = GetParam();
    EXPECT_EQ(Apply(c.original, c.steps), c.expected);
}

const WriteCase kWriteCases[] = {
    {"FreshGroupWithEmptyValue",
     "",
     {Select("100"), Write("EN", "Video"), Write("GE", "")},
     "[100]\r\nEN = Video\r\nGE = \r\n"},
    {"GroupsInCallOrder",
     "",
     {Select("100"), Write("EN", "a"), Write("GE", "b"), Select("200"), Write("EN", "c"), Select("050"),
      Write("RU", "d")},
     "[100]\r\nEN = a\r\nGE = b\r\n[200]\r\nEN = c\r\n[050]\r\nRU = d\r\n"},
    {"TopSectionOfEmptyDocument", "", {Write("t", "1"), Write("u", "2")}, "t = 1\r\nu = 2\r\n"},
    {"TopSectionBeforeFirstGroup", "[a]\r\nk = 1\r\n", {Select(""), Write("t", "1")}, "t = 1\r\n[a]\r\nk = 1\r\n"},
    {"TopSectionAfterItsComment", "; head\r\n[a]\r\n", {Write("t", "1")}, "; head\r\nt = 1\r\n[a]\r\n"},
    {"TopSectionAtEndWithoutGroups", "x = 0\r\n; c\r\n", {Write("t", "1")}, "x = 0\r\n; c\r\nt = 1\r\n"},
    {"GroupEntryBeforeNextGroup",
     "[a]\r\nk = 1\r\n; tail\r\n[b]\r\nk = 2\r\n",
     {Select("a"), Write("n", "3")},
     "[a]\r\nk = 1\r\n; tail\r\nn = 3\r\n[b]\r\nk = 2\r\n"},
    {"LastGroupEntryAtEnd",
     "[a]\r\n[b]\r\nk = 2\r\n",
     {Select("b"), Write("n", "3")},
     "[a]\r\n[b]\r\nk = 2\r\nn = 3\r\n"},
    {"EmptyGroupGetsEntry", "[a]\r\n[b]\r\n", {Select("a"), Write("n", "3")}, "[a]\r\nn = 3\r\n[b]\r\n"},
    {"ReplaceKeepsPlaceAndTakesCallersKey",
     "[a]\r\nKey = old\r\nz = 1\r\n",
     {Select("a"), Write("KEY", "new")},
     "[a]\r\nKEY = new\r\nz = 1\r\n"},
    {"ReplaceOnlyFirstDuplicateKey",
     "[a]\r\nk = 1\r\nk = 2\r\n",
     {Select("a"), Write("k", "3")},
     "[a]\r\nk = 3\r\nk = 2\r\n"},
    {"ReplaceOnlyInCurrentGroup",
     "[a]\r\nk = 1\r\n[b]\r\nk = 2\r\n",
     {Select("b"), Write("k", "3")},
     "[a]\r\nk = 1\r\n[b]\r\nk = 3\r\n"},
    {"TopSectionKeyNotTakenFromGroup", "[a]\r\nk = 1\r\n", {Write("k", "0")}, "k = 0\r\n[a]\r\nk = 1\r\n"},
    {"FirstDuplicateGroupWritten", "[a]\r\n[A]\r\n", {Select("a"), Write("k", "1")}, "[a]\r\nk = 1\r\n[A]\r\n"},
    {"PendingGroupAppendedAtVeryEnd",
     "t = 0\r\n[a]\r\nk = 1\r\n",
     {Select(""), Select("b"), Write("k", "2")},
     "t = 0\r\n[a]\r\nk = 1\r\n[b]\r\nk = 2\r\n"},
    {"PendingGroupCreatedOnce",
     "",
     {Select("b"), Write("k", "1"), Write("m", "2"), Select("b"), Write("n", "3")},
     "[b]\r\nk = 1\r\nm = 2\r\nn = 3\r\n"},
    {"OnlyLastPendingGroupCreated", "", {Select("b"), Select("c"), Write("k", "1")}, "[c]\r\nk = 1\r\n"},
    {"PendingDroppedByFoundGroup", "[a]\r\n", {Select("b"), Select("a"), Write("k", "1")}, "[a]\r\nk = 1\r\n"},
    {"PendingDroppedByTopSection", "[a]\r\n", {Select("b"), Select(""), Write("k", "1")}, "k = 1\r\n[a]\r\n"},
    {"PendingKeepsCallersCase",
     "[a]\r\n",
     {Select("Bb"), Write("k", "1"), Select("bB"), Write("k", "2")},
     "[a]\r\n[Bb]\r\nk = 2\r\n"},
    {"EmptyKeySkipsComment", "[a]\r\n; note\r\n", {Select("a"), Write("", "v")}, "[a]\r\n; note\r\n = v\r\n"},
    {"ValueStoredUntrimmed", "", {Write("k", "v  ")}, "k = v  \r\n"},
    {"CanonicalFormOfUntouchedLines",
     " \t[a] junk\n;  c\r\n  k=v \rloose\n\n",
     {Select("a"), Write("n", "")},
     "[a]\r\n;  c\r\nk = v \r\nloose = \r\nn = \r\n"},
    {"Utf8KeptAndWritesConverted",
     "\xEF\xBB\xBF[\xC3\xA9]\r\n\xC3\xA9 = old\r\n",
     {Select("\xE9"), Write("\xC9", "\xE9\xFF"), Write("\xE9", "x")},
     "\xEF\xBB\xBF\r\n[\xC3\xA9]\r\n\xC3\xA9 = x\r\n\xC3\x89 = \xC3\xA9\xC3\xBF\r\n"},
    {"Utf8PendingGroupConverted",
     "\xEF\xBB\xBF",
     {Select("\xE9"), Write("k", "1")},
     "\xEF\xBB\xBF\r\n[\xC3\xA9]\r\nk = 1\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Changes, WriteTest, testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(WriteTest, SetsModifiedAndClearsPending)
{
    PreferenceDocument document = ParsePreferenceDocument("[a]");
    SelectPreferenceGroup(document, "b");
    WritePreferenceString(document, "k", "v");
    EXPECT_TRUE(document.modified);
    EXPECT_TRUE(document.pendingGroup.empty());
    EXPECT_EQ(document.currentGroup, 1);
    EXPECT_TRUE(SelectPreferenceGroup(document, "b"));
}

TEST(WriteTest, EveryByteReadsBackInUtf8Mode)
{
    PreferenceDocument document = ParsePreferenceDocument("\xEF\xBB\xBF");
    std::string everyByte;
    for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
    SelectPreferenceGroup(document, everyByte);
    WritePreferenceString(document, everyByte, everyByte);
    ASSERT_TRUE(SelectPreferenceGroup(document, everyByte));
    EXPECT_EQ(ReadPreferenceString(document, everyByte, "x"), everyByte);
    EXPECT_EQ(document.lines.size(), 2u);
}

// ---- Canonical text --------------------------------------------------------

TEST(SerialiseTest, EmptyDocumentIsEmpty)
{
    EXPECT_EQ(SerialisePreferenceDocument(PreferenceDocument{}), "");
}

TEST(SerialiseTest, Utf8DocumentStartsWithMarkAndLineEnd)
{
    EXPECT_EQ(SerialisePreferenceDocument(ParsePreferenceDocument("\xEF\xBB\xBF")), "\xEF\xBB\xBF\r\n");
}

TEST(SerialiseTest, EachKindOfLine)
{
    PreferenceDocument document;
    document.lines = {Group(" 100 "), Comment(""), Comment(" x"), Entry("GE", ""), Entry("", ""), Entry("k", "a=b")};
    EXPECT_EQ(SerialisePreferenceDocument(document), "[ 100 ]\r\n; \r\n;  x\r\nGE = \r\n = \r\nk = a=b\r\n");
}

TEST(SerialiseTest, ParsedCanonicalTextIsUnchanged)
{
    const std::string canonical =
        "\xEF\xBB\xBF\r\nt = 1\r\n[ 100 ]\r\n; \r\n;  two\r\nGE = \r\n = v\r\nk = a=b ; [c]  \r\n[]\r\n";
    EXPECT_EQ(SerialisePreferenceDocument(ParsePreferenceDocument(canonical)), canonical);
}

}  // namespace
