#pragma once
// Seeded mutations of a file's bytes, as the file fuzz test gives them to the
// readers: bytes flipped, the file cut at a fiftieth of its length, lines
// deleted, doubled, swapped or replaced, huge numbers, bytes that are no
// UTF-8, a NUL, CR and LF mixed, very long lines, an empty file and a folder.
// The number of files and the seed come from the environment for a long run.

#include <cstdlib>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vexlab::test {

inline long environment_number(const char* name, long fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::strtol(value, nullptr, 10) : fallback;
}

// VEXLAB_FUZZ_FILES and VEXLAB_FUZZ_SEED, or the suite's short run.
inline long files_per_reader() {
    return environment_number("VEXLAB_FUZZ_FILES", 120);
}

inline unsigned fuzz_seed() {
    return static_cast<unsigned>(environment_number("VEXLAB_FUZZ_SEED", 20261212));
}

struct Mutation {
    std::string what;
    std::string bytes;
    bool folder = false;
};

class Mutator {
public:
    explicit Mutator(unsigned seed) : random_(seed) {}

    // The n-th mutation: every kind in turn, the cuts running through the
    // fiftieths of the file, and now and then a second change on top.
    Mutation operator()(const std::string& text, long n) {
        const int kind = static_cast<int>(n % kKinds);
        if (kind == kFolder) return {"a folder", {}, true};
        Mutation m{{}, text};
        change(m, kind, (n / kKinds) % 50);
        if (kind != kEmpty && random_() % 4 == 0)
            change(m, static_cast<int>(random_() % kEmpty), static_cast<long>(random_() % 50));
        return m;
    }

private:
    using Lines = std::vector<std::string>;  // each with its line end
    static constexpr int kEmpty = 11, kFolder = 12, kKinds = 13;

    void change(Mutation& m, int kind, long fiftieth) {
        std::string& bytes = m.bytes;
        if (!m.what.empty()) m.what += ", ";
        switch (kind) {
            case 0: {
                const int flips = 1 + static_cast<int>(random_() % 8);
                for (int i = 0; i < flips && !bytes.empty(); ++i)
                    bytes[pick(bytes.size())] ^= static_cast<char>(1 + random_() % 255);
                m.what += std::to_string(flips) + " bytes flipped";
                break;
            }
            case 1:
                bytes.resize(bytes.size() * static_cast<std::size_t>(fiftieth) / 50);
                m.what += "cut at " + std::to_string(fiftieth) + "/50";
                break;
            case 2:
                with_lines(bytes,
                           [&](Lines& lines) { lines.erase(lines.begin() + pick(lines.size())); });
                m.what += "a line deleted";
                break;
            case 3:
                with_lines(bytes, [&](Lines& lines) {
                    const std::size_t at = pick(lines.size());
                    lines.insert(lines.begin() + at, lines[at]);
                });
                m.what += "a line doubled";
                break;
            case 4:
                with_lines(bytes, [&](Lines& lines) {
                    std::swap(lines[pick(lines.size())], lines[pick(lines.size())]);
                });
                m.what += "two lines swapped";
                break;
            case 5:
                with_lines(bytes, [&](Lines& lines) {
                    std::string& line = lines[pick(lines.size())];
                    line = random_() % 2 ? token() : lines[pick(lines.size())];
                    if (line.empty() || line.back() != '\n') line += "\r\n";
                });
                m.what += "a line replaced";
                break;
            case 6: {
                static const char* const huge[] = {"99999999999999999999999",
                                                   "-9223372036854775809",
                                                   "9223372036854775807",
                                                   "2147483648",
                                                   "1e308",
                                                   "1e999",
                                                   "-0",
                                                   "18446744073709551616",
                                                   "0x10"};
                const std::size_t digit = bytes.find_first_of("0123456789", pick(bytes.size()));
                const std::size_t at = digit == std::string::npos ? pick(bytes.size()) : digit;
                const std::size_t end = bytes.find_first_not_of("0123456789", at);
                bytes.replace(at, (end == std::string::npos ? bytes.size() : end) - at,
                              huge[random_() % std::size(huge)]);
                m.what += "a huge number";
                break;
            }
            case 7: {
                static const char* const odd[] = {"\xff",         "\xc3",     "\x80\x80",
                                                  "\xed\xa0\x80", "\xfe\xff", "\xf4\x90\x80\x80"};
                bytes.insert(name_position(bytes), odd[random_() % std::size(odd)]);
                m.what += "bytes that are no UTF-8";
                break;
            }
            case 8:
                bytes.insert(name_position(bytes), 1, '\0');
                m.what += "a NUL";
                break;
            case 9:
                line_ends(bytes);
                m.what += "line ends mixed";
                break;
            case 10:
                bytes.insert(line_start(bytes), std::string(1 + random_() % 100000, 'w'));
                m.what += "a long line";
                break;
            default:
                bytes.clear();
                m.what += "an empty file";
                break;
        }
    }

    std::size_t pick(std::size_t size) { return size ? random_() % size : 0; }

    template <typename Change>
    static void with_lines(std::string& text, Change change) {
        Lines lines;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find('\n', start);
            const std::size_t stop = end == std::string::npos ? text.size() : end + 1;
            lines.push_back(text.substr(start, stop - start));
            start = stop;
        }
        if (lines.empty()) return;
        change(lines);
        text.clear();
        for (const auto& line : lines) text += line;
    }

    // Lines that mean something somewhere in a network file.
    std::string token() {
        static const char* const tokens[] = {"",
                                             "UA",
                                             "True",
                                             "False",
                                             " 0 ",
                                             "-1 ",
                                             "<1>",
                                             "<R1>",
                                             "[R1]",
                                             "<2501>",
                                             "<PC>",
                                             "EOR",
                                             "netpath:",
                                             ":",
                                             "<>",
                                             "[]",
                                             "<",
                                             "[",
                                             "hostname:",
                                             " 99 ",
                                             "Serial0",
                                             "nat pool",
                                             "<description>",
                                             "<routing information>",
                                             "<ospf information>",
                                             "<eigrp information>",
                                             "<subint information>",
                                             "<vlan information>",
                                             "intdet"};
        return tokens[random_() % std::size(tokens)];
    }

    // Inside a device's name now and then, else anywhere.
    std::size_t name_position(const std::string& text) {
        if (text.empty()) return 0;
        const std::size_t bracket = text.find('[', pick(text.size()));
        if (bracket != std::string::npos && random_() % 2) return bracket + 1;
        return pick(text.size());
    }

    std::size_t line_start(const std::string& text) {
        const std::size_t end = text.find('\n', pick(text.size()));
        return end == std::string::npos ? text.size() : end + 1;
    }

    void line_ends(std::string& text) {
        auto replace_all = [&](std::string_view from, std::string_view to) {
            std::string out;
            std::size_t start = 0, at;
            while ((at = text.find(from, start)) != std::string::npos) {
                out.append(text, start, at - start).append(to);
                start = at + from.size();
            }
            text = out.append(text, start);
        };
        switch (random_() % 5) {
            case 0:
                replace_all("\r\n", "\n");
                break;
            case 1:
                replace_all("\r\n", "\r");
                break;
            case 2:
            case 3: {
                // One line end loses its CR or its LF.
                const std::size_t at = text.find("\r\n", pick(text.size()));
                if (at != std::string::npos) text.erase(at + (random_() % 2), 1);
                break;
            }
            default:
                text.insert(pick(text.size()), random_() % 2 ? "\r" : "\n");
                break;
        }
    }

    std::mt19937 random_;
};

}  // namespace vexlab::test
