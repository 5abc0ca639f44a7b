#include "interpreter/catalogue_compiler.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <sstream>

#include "interpreter/argument_syntax.h"
#include "interpreter/command_handlers.h"
#include "interpreter/dispatch.h"
#include "platform/db_session.h"
#include "platform/text.h"

namespace vexlab::interpreter {

using text::lower;

namespace {

struct Node {
    std::string word;
    std::string origin;
    bool has_desc = false, has_resp = false, has_mode = false, has_set = false;
    std::string desc, resp, handler;
    CommandMode mode = CommandMode::User;
    std::vector<std::string> parameters;
    bool disabled = false;
    std::vector<std::unique_ptr<Node>> children;
};

struct Section {
    std::vector<DeviceKind> kinds;
    std::vector<CommandMode> modes;
    std::vector<std::unique_ptr<Node>> roots;
};

class Parser {
public:
    Parser(const CatalogueSource& source) : source_(source) {}

    std::vector<Section> parse() {
        std::istringstream in(source_.text);
        std::string line;
        std::vector<std::pair<std::size_t, Node*>> stack;  // indent, node
        while (std::getline(in, line)) {
            ++number_;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            std::size_t indent = 0;
            while (indent < line.size() && line[indent] == ' ') ++indent;
            if (indent < line.size() && line[indent] == '\t')
                fail("tabs are not allowed for indenting");
            std::string_view rest = std::string_view(line).substr(indent);
            if (rest.empty() || rest[0] == '#') continue;
            if (rest[0] == '[') {
                if (indent) fail("a section line starts at the left margin");
                sections_.push_back(parse_section(rest));
                stack.clear();
                continue;
            }
            if (sections_.empty()) fail("a command before the first section line");
            if (indent % 2) fail("indent by two blanks per level");
            std::size_t level = indent / 2;
            auto node = parse_node(rest);
            while (!stack.empty() && stack.back().first >= level) stack.pop_back();
            if (level == 0) {
                sections_.back().roots.push_back(std::move(node));
                stack.emplace_back(0, sections_.back().roots.back().get());
                continue;
            }
            if (stack.empty() || stack.back().first != level - 1)
                fail("indented more than one level below its parent");
            Node* parent = stack.back().second;
            if (parent->word == state::marker::kEndCmd) fail("end_cmd cannot have further words");
            parent->children.push_back(std::move(node));
            stack.emplace_back(level, parent->children.back().get());
        }
        return std::move(sections_);
    }

private:
    [[noreturn]] void fail(const std::string& why) const {
        throw CatalogueError(source_.name + ":" + std::to_string(number_) + ": " + why);
    }

    Section parse_section(std::string_view text) {
        auto close = text.find(']');
        if (close == std::string_view::npos) fail("section line without ']'");
        std::istringstream words(std::string(text.substr(1, close - 1)));
        Section section;
        std::string word;
        while (words >> word) {
            if (auto kind = state::device_kind_named(word)) {
                if (!section.modes.empty()) fail("device kinds come before the modes");
                section.kinds.push_back(*kind);
            } else if (auto mode = state::command_mode(word)) {
                section.modes.push_back(*mode);
            } else {
                fail("unknown mode or device kind '" + word + "'");
            }
        }
        if (section.kinds.empty()) fail("a section names at least one device kind");
        if (section.modes.empty()) fail("a section names at least one mode");
        return section;
    }

    // Reads word and attributes: key=value or key="value with ""quotes""".
    std::unique_ptr<Node> parse_node(std::string_view text) {
        auto node = std::make_unique<Node>();
        node->origin = source_.name + ":" + std::to_string(number_);
        std::size_t i = 0;
        while (i < text.size() && text[i] != ' ') node->word += text[i++];
        while (i < text.size()) {
            while (i < text.size() && text[i] == ' ') ++i;
            if (i >= text.size() || text[i] == '#') break;
            std::string key;
            while (i < text.size() && text[i] != '=' && text[i] != ' ') key += text[i++];
            std::string value;
            bool has_value = i < text.size() && text[i] == '=';
            if (has_value) {
                ++i;
                if (i < text.size() && text[i] == '"') {
                    ++i;
                    bool closed = false;
                    while (i < text.size()) {
                        if (text[i] == '"') {
                            if (i + 1 < text.size() && text[i + 1] == '"') {
                                value += '"';
                                i += 2;
                                continue;
                            }
                            ++i;
                            closed = true;
                            break;
                        }
                        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
                            value += "\r\n";
                            i += 2;
                            continue;
                        }
                        value += text[i++];
                    }
                    if (!closed) fail("unclosed quote");
                } else {
                    while (i < text.size() && text[i] != ' ') value += text[i++];
                }
            }
            set_attribute(*node, key, has_value, value);
        }
        return node;
    }

    void set_attribute(Node& node, const std::string& key, bool has_value,
                       const std::string& value) {
        if (key == "disabled") {
            if (has_value) fail("disabled takes no value");
            node.disabled = true;
            return;
        }
        if (!has_value) fail("attribute '" + key + "' needs a value");
        if (key == "desc") {
            node.has_desc = true;
            node.desc = value;
        } else if (key == "resp") {
            node.has_resp = true;
            node.resp = value;
        } else if (key == "mode") {
            auto mode = state::command_mode(value);
            if (!mode) fail("unknown mode '" + value + "'");
            node.has_mode = true;
            node.mode = *mode;
        } else if (key == "do") {
            if (value.empty()) fail("do= needs a handler name");
            node.handler = value;
        } else if (key == "set") {
            node.has_set = true;
            std::string entry;
            std::istringstream list(value);
            while (std::getline(list, entry, ',')) {
                if (entry.empty()) fail("empty entry in the parameter list");
                node.parameters.push_back(entry);
            }
            if (node.parameters.empty()) fail("a row with an action needs parameters");
            if (node.parameters.size() > 4) fail("at most four parameters");
        } else {
            fail("unknown attribute '" + key + "'");
        }
    }

    const CatalogueSource& source_;
    int number_ = 0;
    std::vector<Section> sections_;
};

// Where a row stands: the first word's kind and mode, whether the command
// changes the mode, the command words so far and the handler in force.
struct Path {
    DeviceKind kind;
    CommandMode mode;
    bool changes_mode;
    std::array<std::string, state::kCommandWords> words;
    std::string handler;
};

class Emitter {
public:
    explicit Emitter(const CatalogueNames& names) : names_(names) {}

    void emit_section(const Section& section) {
        for (DeviceKind kind : section.kinds)
            for (CommandMode mode : section.modes)
                for (const auto& root : section.roots) emit_root(*root, kind, mode);
    }

    CompiledCatalogue take() {
        if (!problems_.empty()) throw CatalogueError(problems_);
        return std::move(out_);
    }

private:
    [[noreturn]] static void fail(const Node& node, const std::string& why) {
        throw CatalogueError(node.origin + ": " + why);
    }

    void check_word(const Node& node, int level) {
        if (node.word.empty()) fail(node, "empty word");
        if (node.word.size() > static_cast<std::size_t>(kMaxWordLength))
            fail(node, "a word has at most 40 characters");
        if (node.word == state::marker::kEndCmd) {
            if (level == 0) fail(node, "end_cmd cannot be a first word");
        } else if (node.word[0] == '<') {
            if (level == 0) fail(node, "a first word cannot be an argument");
            if (!names_.tokens.count(node.word) || !has_syntax_rule(node.word))
                fail(node, "unknown argument token " + node.word);
        }
        if (level > 0 && (node.has_mode || node.disabled))
            fail(node, "mode= and disabled belong to first words");
        if (!node.handler.empty() && !names_.handlers.count(node.handler))
            fail(node, "no service registers the handler '" + node.handler + "'");
    }

    static std::string path_text(const Path& path) {
        std::string text;
        for (const auto& word : path.words) {
            if (word.empty() && &word != &path.words[0]) continue;
            text += (text.empty() ? "" : " ") + (word.empty() ? std::string("<arg>") : word);
        }
        return text;
    }

    // A command may end at a row without further words (an end marker ends
    // its parent's command): it has to do something there.
    // Every such command is reported, not only the first.
    void check_end(const Node& node, const Path& path) {
        if (!node.children.empty()) return;
        if (!node.has_set && path.handler.empty() && !path.changes_mode)
            problem(node, "the command '" + path_text(path) +
                              "' ends here but neither writes (set=), nor calls a handler (do=), "
                              "nor changes the mode");
        const DispatchRow* row =
            names_.check_dispatch ? dispatch_row_for(path.words, path.mode, path.kind) : nullptr;
        if (row && !row->handler.empty() && row->handler != path.handler)
            problem(node, "the command '" + path_text(path) +
                              "' must name do=" + std::string(row->handler) + " (dispatch row " +
                              std::to_string(row->number) + ")");
    }

    void problem(const Node& node, const std::string& why) {
        const std::string line = node.origin + ": " + why;
        if (problems_.find(line) == std::string::npos)
            problems_ += (problems_.empty() ? "" : "\n") + line;
    }

    void fill(CatalogueRow& row, const Node& node, bool root, const Path& path) {
        row.command = node.word;
        row.has_action = node.has_set;
        row.parameters = node.parameters;
        row.further = !node.children.empty();
        row.response = node.has_resp
                           ? node.resp
                           : std::string(root ? state::marker::kNill : state::marker::kNull);
        row.description = node.desc;
        row.handler = path.handler;
        row.origin = node.origin;
    }

    void emit_root(const Node& node, DeviceKind kind, CommandMode mode) {
        check_word(node, 0);
        CatalogueRow row;
        row.index = static_cast<int>(out_.roots.size()) + 1;
        if (row.index > kMaxRootIndex)
            fail(node, "more than " + std::to_string(kMaxRootIndex) + " first-word rows");
        row.ref = state::kind_number(kind);
        row.mode = mode;
        row.mode_after = node.has_mode ? node.mode : mode;
        row.enabled = !node.disabled;
        Path path{kind, mode, row.mode_after != mode, {}, node.handler};
        path.words[0] = node.word;
        fill(row, node, true, path);
        out_.roots.push_back(row);
        check_end(node, path);
        for (const auto& child : node.children) emit_word(*child, row.index, 1, path);
    }

    void emit_word(const Node& node, int parent, int level, Path path) {
        if (level > kLastLevel) fail(node, "a command has at most ten words");
        check_word(node, level);
        if (!node.handler.empty()) path.handler = node.handler;
        // An end marker ends its parent's command; an argument leaves its
        // position empty, as the matcher does.
        if (node.word != state::marker::kEndCmd)
            path.words[static_cast<std::size_t>(level)] = node.word[0] == '<' ? "" : node.word;
        auto& table = out_.words[static_cast<std::size_t>(level - 1)];
        CatalogueRow row;
        row.index = static_cast<int>(table.size()) + 1;
        row.ref = parent;
        fill(row, node, false, path);
        table.push_back(row);
        check_end(node, path);
        for (const auto& child : node.children) emit_word(*child, row.index, level + 1, path);
    }

    const CatalogueNames& names_;
    CompiledCatalogue out_;
    std::string problems_;
};

// Sibling keywords: none may be a prefix of another, or typing it in full
// would always be ambiguous.  Argument rows and end_cmd take no part; among
// first words, the three that the matcher takes by exact match may.
void check_siblings(const std::vector<const CatalogueRow*>& siblings, bool first_words) {
    for (const CatalogueRow* a : siblings) {
        if (a->is_end_marker() || a->is_placeholder()) continue;
        std::string la = lower(a->command);
        for (const CatalogueRow* b : siblings) {
            if (a == b || b->is_end_marker() || b->is_placeholder()) continue;
            std::string lb = lower(b->command);
            if (la == lb) {
                if (a->index < b->index)
                    throw CatalogueError(b->origin + ": '" + b->command +
                                         "' is already a word here (" + a->origin + ")");
                continue;
            }
            if (lb.rfind(la, 0) == 0 && !(first_words && exact_first_word(la)))
                throw CatalogueError(a->origin + ": '" + a->command +
                                     "' is a prefix of its sibling '" + b->command + "' (" +
                                     b->origin + ")");
        }
    }
}

}  // namespace

CompiledCatalogue compile_catalogue(const std::vector<CatalogueSource>& sources,
                                    const CatalogueNames& names) {
    Emitter emitter(names);
    for (const auto& source : sources)
        for (const auto& section : Parser(source).parse()) emitter.emit_section(section);
    CompiledCatalogue catalogue = emitter.take();

    std::map<std::pair<int, std::string>, std::vector<const CatalogueRow*>> first_words;
    for (const auto& row : catalogue.roots)
        first_words[{row.ref, std::string(state::prompt_suffix(row.mode))}].push_back(&row);
    for (const auto& group : first_words) check_siblings(group.second, true);
    for (const auto& level : catalogue.words) {
        std::map<int, std::vector<const CatalogueRow*>> children;
        for (const auto& row : level) children[row.ref].push_back(&row);
        for (const auto& group : children) check_siblings(group.second, false);
    }
    return catalogue;
}

CatalogueNames shipped_names(std::set<std::string> tokens) {
    CatalogueNames names;
    names.tokens = std::move(tokens);
    for (const auto& name : command_handlers().names()) names.handlers.insert(name);
    return names;
}

void build_catalogue_tables(db::DatabaseSession& session,
                            const std::vector<CatalogueSource>& sources) {
    std::set<std::string> tokens;
    for (auto set =
             session.open_recordset("SELECT token FROM " + db::quote_identifier("tblevalsyntax"));
         !set.eof(); set.move_next())
        tokens.insert(set.text(0));
    store_catalogue(session, compile_catalogue(sources, shipped_names(std::move(tokens))));
}

void build_program_database(const std::string& resources_dir, const std::string& out_path) {
    state::build_database(resources_dir, out_path, build_catalogue_tables);
}

void store_catalogue(db::DatabaseSession& session, const CompiledCatalogue& catalogue) {
    auto param = [](const CatalogueRow& row, std::size_t i) -> db::Value {
        return i < row.parameters.size() ? db::Value(row.parameters[i]) : db::Value();
    };
    auto handler = [](const CatalogueRow& row) -> db::Value {
        return row.handler.empty() ? db::Value() : db::Value(row.handler);
    };
    for (const auto& row : catalogue.roots) {
        session.execute(
            "INSERT INTO " + db::quote_identifier(catalogue_table(0)) +
                " (\"index\", ref, commandprompt, command, modeafter, enabled, hasaction, "
                "handler, paramcount, param1, param2, param3, further, response, commanddesc, "
                "param4) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            {row.index, row.ref, std::string(state::prompt_suffix(row.mode)), row.command,
             std::string(state::prompt_suffix(row.mode_after)), row.enabled, row.has_action,
             handler(row), static_cast<int>(row.parameters.size()), param(row, 0), param(row, 1),
             param(row, 2), row.further, row.response, row.description, param(row, 3)});
    }
    for (std::size_t level = 0; level < catalogue.words.size(); ++level) {
        const std::string sql =
            "INSERT INTO " + db::quote_identifier(catalogue_table(static_cast<int>(level) + 1)) +
            " (\"index\", command, hasaction, paramcount, param1, param2, param3, further, "
            "response, commanddesc, ref, param4, handler) VALUES "
            "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
        for (const auto& row : catalogue.words[level])
            session.execute(sql, {row.index, row.command, row.has_action,
                                  static_cast<int>(row.parameters.size()), param(row, 0),
                                  param(row, 1), param(row, 2), row.further, row.response,
                                  row.description, row.ref, param(row, 3), handler(row)});
    }
}

}  // namespace vexlab::interpreter
