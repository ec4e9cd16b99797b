#include "window/canvas/ShiftJisText.h"

#include <iconv.h>

#include <cerrno>
#include <string>

namespace zentavo {
namespace {

// One converter per thread, opened on first use. iconv descriptors carry
// shift state, so every conversion starts by resetting it.
class Cp932Decoder {
public:
    Cp932Decoder() : cd_(iconv_open("UTF-8", "CP932")) {}
    ~Cp932Decoder()
    {
        if (IsOpen())
            iconv_close(cd_);
    }
    Cp932Decoder(const Cp932Decoder&) = delete;
    Cp932Decoder& operator=(const Cp932Decoder&) = delete;

    std::optional<QString> Decode(std::string_view bytes)
    {
        if (!IsOpen())
            return std::nullopt;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);

        std::string input(bytes);
        // A CP932 character of one or two bytes never needs more than three
        // UTF-8 bytes; the extra room covers the final flush.
        std::string output(3 * input.size() + 4, '\0');
        char* in = input.data();
        size_t inLeft = input.size();
        char* out = output.data();
        size_t outLeft = output.size();

        if (iconv(cd_, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1))
            return std::nullopt;  // EILSEQ or EINVAL: invalid or incomplete bytes
        if (iconv(cd_, nullptr, nullptr, &out, &outLeft) == static_cast<size_t>(-1))
            return std::nullopt;
        return QString::fromUtf8(output.data(), static_cast<qsizetype>(output.size() - outLeft));
    }

private:
    bool IsOpen() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    iconv_t cd_;
};

}  // namespace

std::optional<QString> ShiftJisToUnicode(std::string_view bytes)
{
    thread_local Cp932Decoder decoder;
    return decoder.Decode(bytes);
}

}  // namespace zentavo
