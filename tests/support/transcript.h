#pragma once
// Console transcripts as tests: a file shows a console session as the
// learner sees it; the runner types each line after its prompt key by key
// and compares what the console shows with the file.  The format is
// described in tests/transcripts/README.md.

#include <string>
#include <vector>

namespace vexlab::test {

struct TranscriptResult {
    bool passed = false;
    std::string message;  // the first difference, with the file's line
};

// `folder` is where the network files of @open and @load are looked for.
TranscriptResult run_transcript(const std::string& text, const std::string& name,
                                const std::string& folder = ".");
TranscriptResult run_transcript_file(const std::string& path);

// The transcript files of a folder, sorted by name.
std::vector<std::string> transcript_files(const std::string& folder);

}  // namespace vexlab::test
