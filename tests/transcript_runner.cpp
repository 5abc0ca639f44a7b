// Replays every console transcript of a folder and reports the first
// difference of each file that does not match.
// Usage: transcript_runner <folder> [<folder> ...]

#include <iostream>

#include "support/transcript.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: transcript_runner <folder> [<folder> ...]\n";
        return 2;
    }
    int passed = 0, failed = 0;
    for (int i = 1; i < argc; ++i)
        for (const auto& file : vexlab::test::transcript_files(argv[i])) {
            auto result = vexlab::test::run_transcript_file(file);
            if (result.passed) {
                ++passed;
                std::cout << "PASS " << file << "\n";
            } else {
                ++failed;
                std::cout << "FAIL " << result.message << "\n";
            }
        }
    std::cout << passed << " passed, " << failed << " failed\n";
    return failed ? 1 : 0;
}
