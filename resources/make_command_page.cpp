// Writes the supported-commands page from the command catalogue, so the page
// lists exactly what the console understands.
// Usage: make_command_page <resources folder> <page file>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include "interpreter/catalogue_compiler.h"
#include "state/table_text.h"

namespace fs = std::filesystem;
using vexlab::interpreter::CatalogueRow;
using vexlab::interpreter::CompiledCatalogue;

namespace {

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

struct Entry {
    std::string words;
    std::string description;
};

// Every command a first word begins: the paths that may end, with the
// description of their last word.
void collect(const CompiledCatalogue& catalogue, int level, const CatalogueRow& row,
             const std::string& words, std::vector<Entry>& out) {
    if (!row.further) {
        out.push_back({words, row.description});
        return;
    }
    if (level >= 9) return;
    const auto& children = catalogue.words[static_cast<std::size_t>(level)];
    for (const auto& child : children) {
        if (child.ref != row.index) continue;
        if (child.is_end_marker())
            out.push_back({words, child.description.empty() ? row.description : child.description});
        else
            collect(catalogue, level + 1, child, words + " " + child.command, out);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_command_page <resources folder> <page file>\n";
        return 2;
    }
    try {
        const fs::path resources(argv[1]);
        std::set<std::string> tokens;
        for (const auto& block : vexlab::state::parse_table_text(
                 read_file(resources / "catalogue" / "tokens.rows"), "tokens.rows"))
            for (const auto& row : block.rows)
                if (row.size() > 1 && row[1]) tokens.insert(*row[1]);
        std::vector<vexlab::interpreter::CatalogueSource> sources;
        std::vector<fs::path> files;
        for (const auto& entry : fs::recursive_directory_iterator(resources))
            if (entry.path().extension() == ".cat") files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        for (const auto& file : files)
            sources.push_back({file.filename().string(), read_file(file)});
        const CompiledCatalogue catalogue = vexlab::interpreter::compile_catalogue(
            sources, vexlab::interpreter::shipped_names(tokens));

        std::ostringstream page;
        page << "<html>\n<head>\n<title>Supported Commands</title>\n<style>\n"
                "body { font-family: sans-serif; }\n"
                "td.command { font-family: monospace; white-space: nowrap; padding-right: 2em; }\n"
                "</style>\n</head>\n<body>\n<h1>Supported Commands</h1>\n"
                "<p>The commands the simulator understands, for each kind of device and each "
                "command mode. Words in angle brackets stand for a value you type, such as an "
                "address (&lt;A.B.C.D&gt;) or a name (&lt;WORD&gt;). Every word may be "
                "shortened as long as it stays unambiguous.</p>\n";
        using vexlab::state::DeviceKind;
        const std::pair<DeviceKind, const char*> kinds[] = {{DeviceKind::Router, "Routers"},
                                                            {DeviceKind::Switch, "Switches"},
                                                            {DeviceKind::Pc, "Workstations"}};
        for (const auto& [kind, title] : kinds) {
            page << "<h2>" << title << "</h2>\n";
            for (const auto mode : vexlab::state::kCommandModes) {
                std::vector<Entry> entries;
                for (const auto& root : catalogue.roots)
                    if (root.ref == vexlab::state::kind_number(kind) && root.mode == mode &&
                        root.enabled)
                        collect(catalogue, 0, root, root.command, entries);
                if (entries.empty()) continue;
                std::sort(entries.begin(), entries.end(),
                          [](const Entry& a, const Entry& b) { return a.words < b.words; });
                page << "<h3>Prompt " << escape(std::string(vexlab::state::prompt_suffix(mode)))
                     << "</h3>\n<table>\n";
                for (const auto& entry : entries)
                    page << "<tr><td class=\"command\">" << escape(entry.words) << "</td><td>"
                         << escape(entry.description) << "</td></tr>\n";
                page << "</table>\n";
            }
        }
        page << "</body>\n</html>\n";

        const fs::path target(argv[2]);
        fs::create_directories(target.parent_path());
        fs::path temp = target;
        temp += ".tmp";
        std::ofstream(temp, std::ios::binary) << page.str();
        fs::rename(temp, target);
    } catch (const std::exception& error) {
        std::cerr << "make_command_page: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
