#pragma once
// Words that have broken command interpreters before: SQL and pattern
// characters, quotes, the catalogue's own marker texts, malformed numbers and
// addresses, numbers past every range, text that is not ASCII or not UTF-8,
// very long words, and the words that leave a mode.  The random-input tests
// mix them into their lines.

#include <string>
#include <vector>

namespace vexlab::test {

inline const std::vector<std::string>& awkward_words() {
    static const std::vector<std::string> words = {"%",
                                                   "_",
                                                   "'",
                                                   "\"",
                                                   "%%",
                                                   "a_b",
                                                   "it's",
                                                   "--",
                                                   ";",
                                                   "#",
                                                   "##",
                                                   "#a b#",
                                                   "\\",
                                                   "0.0.0.0",
                                                   "255.255.255.255",
                                                   "10.0.0.256",
                                                   "1..2",
                                                   "1..2.3",
                                                   "0/1",
                                                   "0/13",
                                                   "0.1",
                                                   "1.5",
                                                   "-1",
                                                   "40000",
                                                   "99999999999999999999",
                                                   "nill",
                                                   "UA",
                                                   "end_cmd",
                                                   "\xc3\xa9",
                                                   "\xe2\x82\xac",
                                                   "\xff",
                                                   "\xff\xfe",
                                                   std::string(300, 'x'),
                                                   std::string(41, 'a'),
                                                   "0000.0c12.3fab",
                                                   "10:00:00",
                                                   "exit",
                                                   "end",
                                                   "logout",
                                                   "reload",
                                                   "e",
                                                   "x"};
    return words;
}

}  // namespace vexlab::test
