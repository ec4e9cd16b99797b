#include "web/ClassBook.h"

#include "generation/GenerateProblems.h"
#include "generation/ProblemCount.h"
#include "render/ProblemForm.h"
#include "web/Address.h"
#include "web/ClassTable.h"
#include "window/controls/Messages.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace zentavo {
namespace {

// How much of a line a message quotes, in characters.
constexpr size_t QuotedCharacters = 40;

// The line without its blanks around it, cut at a character's start.
std::string Quoted(std::string_view line)
{
    const size_t first = line.find_first_not_of(" \t\r");
    line = first == std::string_view::npos ? "" : line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
    size_t characters = 0;
    for (size_t at = 0; at < line.size(); ++at) {
        const bool starts = (static_cast<unsigned char>(line[at]) & 0xC0) != 0x80;
        if (starts && characters++ == QuotedCharacters)
            return std::string(line.substr(0, at)) + "…";
    }
    return std::string(line);
}

std::string_view Reason(CodeFault fault)
{
    switch (fault) {
    case CodeFault::NotACode: return page::tally::NotACode;
    case CodeFault::Mistyped: return page::tally::Mistyped;
    case CodeFault::LaterFormat:
    case CodeFault::Impossible: break;
    }
    return page::tally::ImpossibleValues;
}

ClassSet NewSet(const SheetOrigin& origin)
{
    ClassSet set;
    set.key = SetAddress(origin.seed, origin.options);
    set.name = page::tally::SetName(SheetInWords(origin.options), origin.seed);
    set.seed = origin.seed;
    set.options = origin.options;
    return set;
}

// The pupil's sheet, drawn from its origin as every sheet is.
ProblemList SheetOf(const SheetOrigin& origin)
{
    ProblemList problems;
    RandomSource random{origin.random};
    GenerateProblems(origin.options, problems, random);  // a code read holds options that make sheets
    return problems;
}

std::string Message(Collected kind, int32_t pupil, const ClassSet& set)
{
    switch (kind) {
    case Collected::Added: return page::tally::Added(pupil);
    case Collected::Replaced: return page::tally::Replaced(pupil);
    case Collected::Unchanged: return page::tally::Unchanged(pupil);
    default: break;
    }
    return page::tally::InOtherSet(pupil, set.name);
}

}  // namespace

std::vector<CollectedCode> ClassBook::Collect(std::string_view text, std::string_view shownKey)
{
    std::vector<CollectedCode> collected;
    // Only the first codes are told in words.
    const auto told = [&](std::string message) {
        return collected.size() < MostCollectMessages ? page::WithFullStop(std::move(message)) : std::string();
    };
    ClassSet* set = nullptr;  // the set of the code before, which the next one is most likely of
    ScanCodes(text, [&](FoundCode& found) {
        auto* result = std::get_if<PupilResult>(&found.read);
        const auto* fault = std::get_if<CodeFault>(&found.read);
        if (fault) {
            const bool later = *fault == CodeFault::LaterFormat;
            const std::string quoted = Quoted(found.lineText);
            const std::string why =
                later ? page::tally::LaterFormat(quoted) : page::tally::Refused(quoted, Reason(*fault));
            collected.push_back({found.line, later ? Collected::LaterFormat : Collected::Refused,
                                 told(page::tally::AtLine(found.line) + why), ""});
            return;
        }
        if (!set || set->seed != result->origin.seed || !SameOptions(set->options, result->origin.options))
            set = &SetOf(result->origin);
        const auto kept = set->pupils.find(result->pupil);
        Collected kind = kept == set->pupils.end() ? Collected::Added
                       : kept->second.code == found.word ? Collected::Unchanged : Collected::Replaced;
        if (set->key != shownKey)
            kind = Collected::OtherSet;
        const int32_t pupil = result->pupil;
        KeptResult& keeping = set->pupils[pupil];
        keeping.result = std::move(*result);
        keeping.code = found.word;
        keeping.problems.Count = 0;  // drawn below
        collected.push_back(
            {found.line, kind, told(page::tally::AtLine(found.line) + Message(kind, pupil, *set)), set->key});
    });
    // Each sheet kept drawn once, however often its pupil's codes came.
    for (ClassSet& kept : sets_)
        for (auto& [pupil, result] : kept.pupils)
            if (result.problems.Count == 0)
                result.problems = SheetOf(result.result.origin);
    return collected;
}

ClassSet& ClassBook::SetOf(const SheetOrigin& origin)
{
    const std::string key = SetAddress(origin.seed, origin.options);
    const auto set = std::find_if(sets_.begin(), sets_.end(), [&](const ClassSet& kept) { return kept.key == key; });
    return set != sets_.end() ? *set : sets_.emplace_back(NewSet(origin));
}

bool ClassBook::Remove(std::string_view key)
{
    return std::erase_if(sets_, [&](const ClassSet& set) { return set.key == key; }) > 0;
}

const ClassSet* ClassBook::Find(std::string_view key) const
{
    const auto set = std::find_if(sets_.begin(), sets_.end(), [&](const ClassSet& kept) { return kept.key == key; });
    return set == sets_.end() ? nullptr : &*set;
}

std::string KeptCodes(const ClassSet& set)
{
    std::string codes;
    for (const auto& [pupil, kept] : set.pupils)
        codes += kept.code + "\n";
    return codes;
}

ClassMeans MeansOf(const ClassSet& set)
{
    if (set.pupils.empty())
        return {};
    std::vector<int32_t> seconds;
    int64_t correct = 0;
    for (const auto& [pupil, kept] : set.pupils) {
        correct += std::count(kept.result.marks.begin(), kept.result.marks.end(), RightLetter);
        seconds.insert(std::upper_bound(seconds.begin(), seconds.end(), kept.result.seconds), kept.result.seconds);
    }
    const size_t middle = seconds.size() / 2;
    const auto count = static_cast<int64_t>(set.pupils.size());
    return {static_cast<int32_t>((correct * 20 + count) / (count * 2)),
            seconds.size() % 2 != 0 ? seconds[middle] : (seconds[middle - 1] + seconds[middle]) / 2};
}

std::vector<MissedProblem> MissedList(const ClassSet& set)
{
    std::vector<MissedProblem> missed;
    std::vector<int32_t> lastCounted;  // by place in `missed`: the pupil who missed it last
    std::map<std::string, size_t> byQuestion;
    // A problem's place by what it is drawn from, so that each is written once.
    std::map<std::tuple<int32_t, int32_t, int32_t>, size_t> byDrawn;
    for (const auto& [pupil, kept] : set.pupils) {
        for (size_t i = 0; i < kept.result.marks.size(); ++i) {
            if (kept.result.marks[i] == RightLetter)
                continue;
            const size_t slot = i + 1;
            const ProblemList& problems = kept.problems;
            const auto drawn = std::tuple(problems.Codes[slot], problems.Divisors[slot], problems.BlankSide[slot]);
            auto known = byDrawn.find(drawn);
            if (known == byDrawn.end()) {
                const ProblemForm form = FormOf(set.options, problems, static_cast<int32_t>(slot));
                const auto [place, added] = byQuestion.emplace(WrittenBody(form, {}), missed.size());
                if (added) {
                    missed.push_back({place->first, WrittenBody(form, RightNumbers(form)), 0, problems.Codes[slot],
                                      problems.Divisors[slot], problems.BlankSide[slot]});
                    lastCounted.push_back(0);
                }
                known = byDrawn.emplace(drawn, place->second).first;
            }
            if (lastCounted[known->second] != pupil) {
                lastCounted[known->second] = pupil;
                ++missed[known->second].pupils;
            }
        }
    }
    // Most missed first, in the order met among those missed as often.
    std::vector<MissedProblem> ordered;
    ordered.reserve(missed.size());
    for (auto pupils = static_cast<int32_t>(set.pupils.size()); pupils >= 1; --pupils)
        for (MissedProblem& problem : missed)
            if (problem.pupils == pupils)
                ordered.push_back(std::move(problem));
    return ordered;
}

std::optional<MessageBox> ShowMissedSheet(WebPage& page, const ClassSet& set)
{
    const std::vector<MissedProblem> missed = MissedList(set);
    if (missed.empty())
        return MessageBox{WarningCaption, page::WithFullStop(std::string(page::tally::NoMissedProblems)), true};
    const auto count = static_cast<int32_t>(std::min<size_t>(missed.size(), ProblemCapacity));
    const auto item = std::find_if(ProblemCountByItem.begin(), ProblemCountByItem.end(),
                                   [&](int32_t items) { return items >= count; });
    SheetOptions options = set.options;
    options.QNumCheck = static_cast<int32_t>(item - ProblemCountByItem.begin());
    ProblemList problems;
    problems.Count = *item;
    for (int32_t i = 1; i <= problems.Count; ++i) {
        const MissedProblem& problem = missed[static_cast<size_t>((i - 1) % count)];
        problems.Codes[static_cast<size_t>(i)] = problem.code;
        problems.Divisors[static_cast<size_t>(i)] = problem.divisor;
        problems.BlankSide[static_cast<size_t>(i)] = problem.blankSide;
    }
    ClickOptions(page.Controls(), options);
    return page.ShowProblems(problems);
}

std::string ClassCsv(const ClassSet& set)
{
    const int32_t problems = ProblemCountFor(set.options.QNumCheck, 0);
    std::string csv = "\xEF\xBB\xBF";
    for (const std::string_view column : page::tally::Columns)
        csv += std::string(column) + ",";
    for (int32_t i = 1; i <= problems; ++i)
        csv += page::tally::ProblemColumn(i) + (i < problems ? "," : "");
    csv += "\r\n";
    for (const auto& [pupil, kept] : set.pupils) {
        const PupilResult& result = kept.result;
        const int32_t numbers[] = {pupil, result.origin.sheet,
                                   static_cast<int32_t>(std::count(result.marks.begin(), result.marks.end(), RightLetter)),
                                   static_cast<int32_t>(result.marks.size()), result.rounds, result.seconds};
        for (const int32_t number : numbers)
            csv += std::to_string(number) + ",";
        for (size_t i = 0; i < result.marks.size(); ++i)
            csv += std::string(result.marks[i] == RightLetter ? page::solve::RightMark.shown : page::solve::WrongMark.shown)
                 + (i + 1 < result.marks.size() ? "," : "");
        csv += "\r\n";
    }
    return csv;
}

std::string CsvFileName(const ClassSet& set, std::string_view date)
{
    std::string name = "Zentavo " + set.name + " ";
    for (const char c : date)
        if ((c >= '0' && c <= '9') || c == '-')
            name += c;
    // Blanks, and what Windows takes no file name with, as underscores.
    for (const std::string_view blank : {"\u3000", " "})
        for (size_t at; (at = name.find(blank)) != std::string::npos;)
            name.replace(at, blank.size(), "_");
    const auto forbidden = [](char c) { return std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos; };
    std::replace_if(name.begin(), name.end(), forbidden, '_');
    return name + ".csv";
}

}  // namespace zentavo
