#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zentavo {

// Writes JSON text: values and members are appended in order, with the
// commas between them. Strings are UTF-8 and kept as they are, but for the
// characters JSON escapes.
class JsonWriter {
public:
    JsonWriter& BeginObject() { return Open('{'); }
    JsonWriter& EndObject() { return Close('}'); }
    JsonWriter& BeginArray() { return Open('['); }
    JsonWriter& EndArray() { return Close(']'); }
    JsonWriter& Key(std::string_view key)
    {
        Value(key);
        text_ += ':';
        afterKey_ = true;
        return *this;
    }
    JsonWriter& Value(std::string_view text);
    JsonWriter& Value(const char* text) { return Value(std::string_view(text)); }
    JsonWriter& Value(int64_t number)
    {
        Separate();
        text_ += std::to_string(number);
        return *this;
    }
    JsonWriter& Value(int32_t number) { return Value(int64_t{number}); }
    JsonWriter& Value(uint32_t number) { return Value(int64_t{number}); }
    JsonWriter& Value(bool flag)
    {
        Separate();
        text_ += flag ? "true" : "false";
        return *this;
    }
    JsonWriter& Null()
    {
        Separate();
        text_ += "null";
        return *this;
    }
    template <typename T>
    JsonWriter& Member(std::string_view key, const T& value)
    {
        return Key(key).Value(value);
    }

    const std::string& Text() const { return text_; }

private:
    JsonWriter& Open(char bracket)
    {
        Separate();
        text_ += bracket;
        first_ = true;
        return *this;
    }
    JsonWriter& Close(char bracket)
    {
        text_ += bracket;
        first_ = false;
        return *this;
    }
    void Separate()
    {
        if (!first_ && !afterKey_)
            text_ += ',';
        first_ = false;
        afterKey_ = false;
    }

    std::string text_;
    bool first_ = true;
    bool afterKey_ = false;
};

inline JsonWriter& JsonWriter::Value(std::string_view text)
{
    Separate();
    text_ += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            text_ += '\\';
            text_ += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            static const char digits[] = "0123456789abcdef";
            text_ += "\\u00";
            text_ += digits[(c >> 4) & 0xF];
            text_ += digits[c & 0xF];
        } else {
            text_ += c;
        }
    }
    text_ += '"';
    return *this;
}

}  // namespace zentavo
