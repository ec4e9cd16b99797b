#pragma once

#include "web/SheetOrigin.h"
#include "web/Solving.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// A pupil's result as a short code to show the teacher, read aloud, typed,
// scanned as a QR code or pasted from a chat: "Z", the format's version, the
// result's fields as bits, and two check symbols, each symbol a digit or a
// capital letter of Crockford's base 32 (no I, L, O or U). Read, lower case
// is taken as capitals, O as 0, I and L as 1, and full-width letters and
// digits as theirs. No name is in it, only the 出席番号.
namespace zentavo {

struct PupilResult {
    SheetOrigin origin;           // the sheet answered, drawn again from there
    int32_t pupil = 0;            // 出席番号, 1 to page::links::MostPupils
    std::string marks;            // the first round's as letters (see RightLetter)
    int32_t rounds = 0;           // the rounds marked; more than MostRounds are written as MostRounds
    bool done = false;            // the last round marked had every problem right
    int32_t seconds = 0;          // since the view opened; more than MostSeconds are written as MostSeconds
};
inline constexpr int32_t MostRounds = 16;
inline constexpr int32_t MostSeconds = 65535;

// Why a text is no result.
enum class CodeFault {
    NotACode,     // not of a code's form
    Mistyped,     // its check fails
    LaterFormat,  // a code of a later version of this program
    Impossible,   // values no result has: 出席番号 0, a count item that does not exist, …
};
using ReadCode = std::variant<PupilResult, CodeFault>;

// The code of a result: 33 symbols for 9 problems, 47 for 80; nullopt where
// a value is none a result has.
std::optional<std::string> WriteResultCode(const PupilResult& result);
// Reads one code, with no other characters.
ReadCode ReadResultCode(std::string_view code);

// The answering view's result as its code, for pupil `pupil`
// `milliseconds` after the view opened; or the page's text why there is none
// (no number given, nothing marked yet, a sheet without an origin).
struct CodeOrWhy {
    std::string code;
    std::string why;
};
CodeOrWhy ResultCodeOf(const Solving& solving, int32_t pupil, int64_t milliseconds);

// Every code in a text of any lines, such as a chat or a spreadsheet's
// column pasted: each word that begins with Z and is long enough to be one,
// read and handed to `each` with its line (from 1), in order. Lines are
// split at "\n" (a "\r" before it is part of no word).
struct FoundCode {
    int32_t line;
    std::string_view lineText;  // in the text scanned
    std::string_view word;      // as a code is written: capitals, 0 for O, 1 for I and L
    ReadCode read;
};
void ScanCodes(std::string_view text, const std::function<void(FoundCode&)>& each);

}  // namespace zentavo
