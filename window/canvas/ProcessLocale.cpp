#include "window/canvas/ProcessLocale.h"

#include <langinfo.h>
#include <strings.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace zentavo {
namespace {

struct Category {
    int id;
    const char* variable;
};

// Every category but LC_CTYPE.
constexpr Category OtherCategories[] = {
    {LC_COLLATE, "LC_COLLATE"},
    {LC_MONETARY, "LC_MONETARY"},
    {LC_NUMERIC, "LC_NUMERIC"},
    {LC_TIME, "LC_TIME"},
    {LC_MESSAGES, "LC_MESSAGES"},
#ifdef LC_IDENTIFICATION  // the C library's own categories
    {LC_PAPER, "LC_PAPER"},
    {LC_NAME, "LC_NAME"},
    {LC_ADDRESS, "LC_ADDRESS"},
    {LC_TELEPHONE, "LC_TELEPHONE"},
    {LC_MEASUREMENT, "LC_MEASUREMENT"},
    {LC_IDENTIFICATION, "LC_IDENTIFICATION"},
#endif
};

constexpr const char* Utf8CharacterType = "C.UTF-8";

bool CharacterTypeIsUtf8()
{
    const char* codeset = nl_langinfo(CODESET);
    return strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "utf8") == 0;
}

}  // namespace

void UseUtf8CharacterType()
{
    // A character type naming a locale that is not installed counts as C.
    const bool utf8 = std::setlocale(LC_CTYPE, "") != nullptr && CharacterTypeIsUtf8();
    if (!utf8 && std::setlocale(LC_CTYPE, Utf8CharacterType) != nullptr) {
        if (const char* all = std::getenv("LC_ALL"); all != nullptr && *all != '\0') {
            const std::string language = all;
            for (const Category& category : OtherCategories)
                setenv(category.variable, language.c_str(), 1);
            unsetenv("LC_ALL");
        }
        setenv("LC_CTYPE", Utf8CharacterType, 1);
    }
    // setlocale(LC_ALL, "") would refuse every category, and leave all of
    // them C, where one names a locale that is not installed; one at a time
    // only that one stays C. Qt's own setlocale(LC_ALL, "") then either sets
    // the same or fails and leaves these in place.
    for (const Category& category : OtherCategories)
        std::setlocale(category.id, "");
}

}  // namespace zentavo
