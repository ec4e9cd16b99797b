#pragma once

#include <string>
#include <string_view>

// Sheet texts are Shift-JIS (code page 932) bytes; these are the pieces the
// renderer joins, spelled out byte by byte.
namespace zentavo::sjis {

inline constexpr std::string_view MinchoFace = "\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9";              // ＭＳ 明朝
inline constexpr std::string_view GothicFace = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";  // ＭＳ ゴシック

inline constexpr std::string_view SheetTitle = "\x82\xed\x82\xe8\x82\xb4\x82\xf1\x8b\xe3\x8b\xe3";  // わりざん九九
inline constexpr std::string_view PrintNumberLabel = "\x96\xe2\x91\xe8No.";                        // 問題No.
inline constexpr std::string_view NameBox =                                                       // （ eleven ideographic spaces ）
    "\x81\x69\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x6a";
inline constexpr std::string_view Instruction = "\x8c\x76\x8e\x5a\x82\xb5\x82\xdc\x82\xb5\x82\xe5\x82\xa4";  // 計算しましょう

inline constexpr std::string_view Divide = "\x81\x80";    // ÷
inline constexpr std::string_view Equals = "\x81\x81";    // ＝
inline constexpr std::string_view Ellipsis = "\x81\x63";  // … before a remainder

// The circled numerals 1 to 20 are consecutive double-byte codes from 0x8740.
inline constexpr int CircledNumeralCount = 20;
inline std::string CircledNumeral(int number)  // 1..20
{
    return std::string{'\x87', static_cast<char>(0x40 + number - 1)};
}

// True when byte `c` opens a double-byte character.
constexpr bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The longest prefix of at most `limit` bytes that does not split a
// double-byte character; a lead byte without its second byte is dropped.
inline std::string_view CutToBytes(std::string_view text, size_t limit)
{
    size_t end = 0;
    while (end < text.size()) {
        const size_t width = IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
        if (end + width > limit || end + width > text.size())
            break;
        end += width;
    }
    return text.substr(0, end);
}

}  // namespace zentavo::sjis
