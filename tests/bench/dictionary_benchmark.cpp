// What the editor's start pays for its texts. Every LookupText opens
// Dict\Setup.ini, reads it whole and picks one entry straight from its bytes,
// and a start looks up 105 texts. This measures the in-memory part of that
// work on the dictionary a rebuild writes, and the whole parse a write needs;
// the file opening and reading come on top.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "dictionary/built_in_texts.h"
#include "dictionary/preference_document.h"
#include "rebuilt_dictionary.h"

namespace {

const std::string& RebuiltDictionary()
{
    static const std::string bytes = RebuiltDictionaryBytes();
    return bytes;
}

// The keys a start looks up: every built-in text except the graphics error
// box and the playlist window, which only appear on demand.
const std::vector<std::string>& StartKeys()
{
    static const std::vector<std::string> keys = [] {
        const std::vector<std::string> onDemand = {"Er1", "Er1txt", "60", "61", "62", "63", "64"};
        std::vector<std::string> chosen;
        for (const BuiltInText& row : BuiltInTexts())
            if (std::find(onDemand.begin(), onDemand.end(), row.key) == onDemand.end()) chosen.push_back(row.key);
        return chosen;
    }();
    return keys;
}

// One LookupText without the file: find the group and read the entry.
std::string Lookup(const std::string& bytes, const std::string& key)
{
    return FindPreferenceString(bytes, key, "EN", "fallback");
}

void ParseOnly(benchmark::State& state)
{
    const std::string& bytes = RebuiltDictionary();
    for (auto _ : state) benchmark::DoNotOptimize(ParsePreferenceDocument(bytes));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void OneLookup(benchmark::State& state)
{
    const std::string& bytes = RebuiltDictionary();
    const std::string key = "105";  // the Cancel button's caption
    for (auto _ : state) benchmark::DoNotOptimize(Lookup(bytes, key));
}

void StartLookups(benchmark::State& state)
{
    const std::string& bytes = RebuiltDictionary();
    const std::vector<std::string>& keys = StartKeys();
    if (keys.size() != 105) {
        state.SkipWithError("the start no longer looks up 105 texts");
        return;
    }
    for (auto _ : state)
        for (const std::string& key : keys) benchmark::DoNotOptimize(Lookup(bytes, key));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(keys.size()));
}

}  // namespace

BENCHMARK(ParseOnly)->Unit(benchmark::kNanosecond);
BENCHMARK(OneLookup)->Unit(benchmark::kNanosecond);
BENCHMARK(StartLookups)->Unit(benchmark::kNanosecond);

BENCHMARK_MAIN();
