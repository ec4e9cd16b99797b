#pragma once

namespace zentavo {

// Makes the character type of the process's locale UTF-8 where the
// environment's is not: the C/POSIX locale of a bare server, a cron job, an
// ssh session or a CI runner (LANG=C, or no LANG at all), or a language in
// a legacy encoding such as ja_JP.eucJP. Qt needs a UTF-8 character type and
// would otherwise switch to one itself with a warning on the error output.
// Only LC_CTYPE changes, to C.UTF-8, in the process and in the environment
// its children inherit; the language of messages, numbers and dates stays
// the one the user chose (where LC_ALL names it, it is handed to every other
// category, since LC_ALL would override LC_CTYPE). Also applies the other
// categories as the environment names them, each on its own, so that one
// naming a locale that is not installed does not turn all of them to C.
// Call first thing in main(), before any thread or Qt object exists.
void UseUtf8CharacterType();

}  // namespace zentavo
