#include "interpreter/catalogue_compiler.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <sstream>

#include "platform/db_session.h"
#include "platform/text.h"

namespace vexlab::interpreter {

using text::lower;

namespace {

struct Node {
    std::string word;
    std::string origin;
    bool has_desc = false, has_resp = false, has_mode = false, has_set = false;
    std::string desc, resp, mode;
    std::vector<std::string> parameters;
    bool disabled = false;
    std::vector<std::unique_ptr<Node>> children;
};

struct Section {
    std::vector<int> kinds;
    std::vector<std::string> modes;
    std::vector<std::unique_ptr<Node>> roots;
};

bool is_mode(std::string_view word) {
    const auto& modes = command_modes();
    return std::find(modes.begin(), modes.end(), word) != modes.end();
}

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
            if (parent->word == "end_cmd") fail("end_cmd cannot have further words");
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
            int kind = device_kind_number(word);
            if (kind) {
                if (!section.modes.empty()) fail("device kinds come before the modes");
                section.kinds.push_back(kind);
            } else if (is_mode(word)) {
                section.modes.push_back(word);
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
            if (!is_mode(value)) fail("unknown mode '" + value + "'");
            node.has_mode = true;
            node.mode = value;
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

class Emitter {
public:
    Emitter(const std::set<std::string>& tokens) : tokens_(tokens) {}

    void emit_section(const Section& section) {
        for (int kind : section.kinds)
            for (const auto& mode : section.modes)
                for (const auto& root : section.roots) emit_root(*root, kind, mode);
    }

    CompiledCatalogue take() { return std::move(out_); }

private:
    [[noreturn]] static void fail(const Node& node, const std::string& why) {
        throw CatalogueError(node.origin + ": " + why);
    }

    void check_word(const Node& node, int level) {
        if (node.word.empty()) fail(node, "empty word");
        if (node.word.size() > static_cast<std::size_t>(kMaxWordLength))
            fail(node, "a word has at most 40 characters");
        if (node.word == "end_cmd") {
            if (level == 0) fail(node, "end_cmd cannot be a first word");
        } else if (node.word[0] == '<') {
            if (level == 0) fail(node, "a first word cannot be an argument");
            if (!tokens_.count(node.word)) fail(node, "unknown argument token " + node.word);
        }
        if (level > 0 && (node.has_mode || node.disabled))
            fail(node, "mode= and disabled belong to first words");
    }

    void fill(CatalogueRow& row, const Node& node, bool root) {
        row.command = node.word;
        row.parameters = node.parameters;
        row.further = !node.children.empty();
        row.response = node.has_resp ? node.resp : (root ? "nill" : "null");
        row.description = node.desc;
        row.origin = node.origin;
    }

    void emit_root(const Node& node, int kind, const std::string& mode) {
        check_word(node, 0);
        CatalogueRow row;
        row.index = static_cast<int>(out_.roots.size()) + 1;
        if (row.index > kMaxRootIndex)
            fail(node, "more than " + std::to_string(kMaxRootIndex) + " first-word rows");
        row.ref = kind;
        row.mode = mode;
        row.mode_after = node.has_mode ? node.mode : mode;
        row.enabled = !node.disabled;
        fill(row, node, true);
        out_.roots.push_back(row);
        for (const auto& child : node.children) emit_word(*child, row.index, 1);
    }

    void emit_word(const Node& node, int parent, int level) {
        if (level > 9) fail(node, "a command has at most ten words");
        check_word(node, level);
        auto& table = out_.words[static_cast<std::size_t>(level - 1)];
        CatalogueRow row;
        row.index = static_cast<int>(table.size()) + 1;
        row.ref = parent;
        fill(row, node, false);
        table.push_back(row);
        for (const auto& child : node.children) emit_word(*child, row.index, level + 1);
    }

    const std::set<std::string>& tokens_;
    CompiledCatalogue out_;
};

// Sibling keywords: none may be a prefix of another, or typing it in full
// would always be ambiguous.  Argument rows and end_cmd take no part; among
// first words, the three that the matcher takes by exact match may.
void check_siblings(const std::vector<const CatalogueRow*>& siblings, bool first_words) {
    for (const CatalogueRow* a : siblings) {
        if (a->command == "end_cmd" || a->command[0] == '<') continue;
        std::string la = lower(a->command);
        for (const CatalogueRow* b : siblings) {
            if (a == b || b->command == "end_cmd" || b->command[0] == '<') continue;
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

const std::vector<std::string>& command_modes() {
    static const std::vector<std::string> modes = {
        ">",
        "#",
        "(config)#",
        "(config-if)#",
        "(config-subif)#",
        "(config-router)#",
        "(config-line)#",
        "(config-controller)#",
        "(config-ext-nacl)#",
        "(vlan)#",
        ":",
    };
    return modes;
}

int device_kind_number(std::string_view name) {
    std::string l = lower(name);
    if (l == "router") return 1;
    if (l == "switch") return 2;
    if (l == "pc") return 3;
    return 0;
}

bool exact_first_word(std::string_view word) {
    std::string l = lower(word);
    return l == "ip" || l == "dial" || l == "dialer";
}

CompiledCatalogue compile_catalogue(const std::vector<CatalogueSource>& sources,
                                    const std::set<std::string>& tokens) {
    Emitter emitter(tokens);
    for (const auto& source : sources)
        for (const auto& section : Parser(source).parse()) emitter.emit_section(section);
    CompiledCatalogue catalogue = emitter.take();

    std::map<std::pair<int, std::string>, std::vector<const CatalogueRow*>> first_words;
    for (const auto& row : catalogue.roots) first_words[{row.ref, row.mode}].push_back(&row);
    for (const auto& group : first_words) check_siblings(group.second, true);
    for (const auto& level : catalogue.words) {
        std::map<int, std::vector<const CatalogueRow*>> children;
        for (const auto& row : level) children[row.ref].push_back(&row);
        for (const auto& group : children) check_siblings(group.second, false);
    }
    return catalogue;
}

void store_catalogue(db::DatabaseSession& session, const CompiledCatalogue& catalogue) {
    auto param = [](const CatalogueRow& row, std::size_t i) -> db::Value {
        return i < row.parameters.size() ? db::Value(row.parameters[i]) : db::Value();
    };
    for (const auto& row : catalogue.roots) {
        session.execute(
            "INSERT INTO tblsublabcmds (\"index\", ref, commandprompt, command, modeafter, "
            "enabled, hasaction, paramcount, param1, param2, param3, further, response, "
            "commanddesc, param4) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            {row.index, row.ref, row.mode, row.command, row.mode_after, row.enabled,
             !row.parameters.empty(), static_cast<int>(row.parameters.size()), param(row, 0),
             param(row, 1), param(row, 2), row.further, row.response, row.description,
             param(row, 3)});
    }
    for (std::size_t level = 0; level < catalogue.words.size(); ++level) {
        std::string sql = "INSERT INTO tblsublabcmds" + std::to_string(level + 1) +
                          " (\"index\", command, hasaction, paramcount, param1, param2, param3, "
                          "further, response, commanddesc, ref, param4) VALUES "
                          "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
        for (const auto& row : catalogue.words[level])
            session.execute(sql, {row.index, row.command, !row.parameters.empty(),
                                  static_cast<int>(row.parameters.size()), param(row, 0),
                                  param(row, 1), param(row, 2), row.further, row.response,
                                  row.description, row.ref, param(row, 3)});
    }
}

}  // namespace vexlab::interpreter
