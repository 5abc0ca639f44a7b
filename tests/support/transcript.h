#pragma once
// Console transcripts as tests: a file shows a console session as the
// learner sees it; the runner types each line after its prompt key by key
// and compares what the console shows with the file.  The format is
// described in tests/transcripts/README.md.

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace vexlab::state {
struct AppState;
}

namespace vexlab::test {

class TempDir;

// The moment at which a transcript's console opens and its clock stands
// still, unless the transcript sets another.
std::time_t transcript_start();

// Gives `app` a program folder of its own, `folder`, with a fresh copy of the
// shipped database and the show templates, and a clock that stands still at
// `now`, as every transcript starts.
void open_fresh_program(state::AppState& app, const TempDir& folder, std::time_t now);

// Load the Lab on the program folder of `app`: the shipped index and the
// lab's network, written from its source as the build writes it, are put
// there first.  Nothing, or why the lab did not load.
std::optional<std::string> press_load_the_lab(state::AppState& app, const std::string& lab);

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
