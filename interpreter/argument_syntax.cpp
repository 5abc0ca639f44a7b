#include "interpreter/argument_syntax.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <set>
#include <unordered_map>
#include <vector>

#include "commands/config/interface_names.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "state/app_state.h"
#include "state/settings.h"

namespace vexlab::interpreter {

namespace {

using state::AppState;
using Check = ArgumentCheck;

using text::iequals;

bool in_range(const std::string& word, double low, double high) {
    double value = 0;
    return read_number(word, value) && value >= low && value <= high;
}

bool above_below(const std::string& word, double above, double below) {
    double value = 0;
    return read_number(word, value) && value > above && value < below;
}

bool is_whole_in_range(const std::string& word, double low, double high, int& out) {
    double value = 0;
    if (!read_number(word, value) || value < low || value > high ||
        value != static_cast<int>(value))
        return false;
    out = static_cast<int>(value);
    return true;
}

// Takes an accepted value as the line's next argument.  A line has seven;
// an eighth value is refused rather than kept past them.
bool capture(Check& check, const std::string& value) {
    if (check.arguments.size() >= state::kArgumentSlots) return false;
    check.arguments.push_back(value);
    return true;
}

std::vector<std::string> line_words(const Check& check) {
    return text::split(check.line, " ");
}

// "<LINE>": the text strictly between the first and the last "#".
bool check_line(Check& check) {
    const std::string line(check.line);
    auto first = line.find('#');
    auto last = line.rfind('#');
    if (first == std::string::npos || last == first) return false;
    if (last > 255) return false;  // the line up to its last "#" is at most 255 characters
    return capture(check, line.substr(first + 1, last - first - 1));
}

// "<BANNER>": the third word's first character delimits the text.
bool check_banner(Check& check) {
    auto words = line_words(check);
    if (words.size() < 3 || words[2].empty()) return false;
    char delimiter = words[2][0];
    std::string rest;
    for (std::size_t i = 2; i < words.size(); ++i) rest += (i > 2 ? " " : "") + words[i];
    rest.erase(0, 1);
    auto end = rest.find(delimiter);
    if (end == std::string::npos) return false;
    std::string text = rest.substr(0, end);
    auto b = text.find_first_not_of(' ');
    auto e = text.find_last_not_of(' ');
    text = b == std::string::npos ? std::string() : text.substr(b, e - b + 1);
    if (text.size() > 255) return false;
    return capture(check, text);
}

// The keyword an interface number belongs to: the word after "show", or the
// word after the first one.
std::string interface_keyword(const Check& check) {
    const auto& words = check.command_words;
    return words[0] == "show" ? words[2] : words[1];
}

void bri_rewrite(Check& check) {
    auto& words = check.command_words;
    if (words[1] == "bri") words[1] = "IsdnBri";
    if (words[2] == "bri") words[2] = "IsdnBri";
}

// The current device's interface that the keyword and a typed number name,
// in the spelling its tables store ("serial" "0" on a 2501 is Serial0,
// "serial" "0/1" is Serial0/1 or a slot card's WAN Slot 0/Serial1).
std::optional<std::string> stored_interface(Check& check, const std::string& number) {
    AppState& app = check.app;
    return commands::find_interface(app.session, app.table_set, app.console.device.current_device,
                                    interface_keyword(check), number);
}

bool valid_subinterface_number(const std::string& sub) {
    double value = 0;
    return read_number(sub, value) && value >= 1 && value <= 429497293;
}

// The interface tokens set the interface being configured only when the
// device has the interface, so a refused word leaves no bogus context.
bool check_port_subint(Check& check, const std::string& word) {
    auto parts = text::split(word, ".");
    if (parts.size() != 2 || parts[0].find('/') != std::string::npos) return false;
    if (!valid_subinterface_number(parts[1])) return false;
    auto name = stored_interface(check, parts[0]);
    if (!name) return false;
    check.interface.current_interface = *name;
    check.interface.interface_number = parts[0];
    check.interface.subinterface_number = parts[1];
    return true;
}

bool check_port(Check& check, const std::string& word) {
    if (word.find('/') != std::string::npos) return false;
    bri_rewrite(check);
    auto name = stored_interface(check, word);
    if (!name) return false;
    check.interface.current_interface = *name;
    return true;
}

bool check_slot_port(Check& check, const std::string& word) {
    auto slash = word.find('/');
    if (slash == std::string::npos) return false;
    std::string port = text::split(word.substr(slash + 1), "/")[0];
    bri_rewrite(check);
    auto name = stored_interface(check, word.substr(0, slash) + "/" + port);
    if (!name) return false;
    check.interface.switch_port = interface_keyword(check) + port;
    check.interface.current_interface = *name;
    return true;
}

bool check_slot_port_subint(Check& check, const std::string& word) {
    auto dot = word.find('.');
    if (dot == std::string::npos) return false;
    std::string head = word.substr(0, dot);
    std::string sub = text::split(word.substr(dot + 1), ".")[0];
    auto slash = head.find('/');
    if (slash == std::string::npos || !valid_subinterface_number(sub)) return false;
    std::string port = text::split(head.substr(slash + 1), "/")[0];
    auto name = stored_interface(check, head.substr(0, slash) + "/" + port);
    if (!name) return false;
    check.interface.switch_port = interface_keyword(check) + port;
    check.interface.current_interface = *name;
    check.interface.interface_number = port;
    check.interface.subinterface_number = sub;
    return true;
}

// "<PNUM>": a switch port 0/1 to 0/12.
bool check_pnum(Check& check, const std::string& word) {
    auto parts = text::split(word, "/");
    double slot = 0;
    if (parts.size() != 2 || !read_number(parts[0], slot) || slot != 0) return false;
    if (!in_range(parts[1], 1, 12)) return false;
    check.interface.current_interface = check.command_words[1] + word;
    return true;
}

bool check_address(const std::string& word) {
    auto parts = text::split(word, ".");
    if (parts.size() != 4) return false;
    return std::all_of(parts.begin(), parts.end(),
                       [](const std::string& p) { return in_range(p, 0, 255); });
}

bool check_mac(const std::string& word) {
    auto parts = text::split(word, ".");
    if (parts.size() != 3) return false;
    for (const auto& part : parts) {
        if (part.size() != 4) return false;
        for (char c : part)
            if (!(std::isdigit(static_cast<unsigned char>(c)) || (c >= 'a' && c <= 'f')))
                return false;
    }
    return true;
}

bool check_time(const std::string& word) {
    auto parts = text::split(word, ":");
    return parts.size() == 3 && in_range(parts[0], 0, 23) && in_range(parts[1], 0, 59) &&
           in_range(parts[2], 0, 59);
}

bool check_plain_word(const std::string& word) {
    if (word.empty() || word.size() > 40) return false;
    return std::all_of(word.begin(), word.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    });
}

// "<AGNUM>": the access list number this device was given.
bool check_agnum(Check& check, const std::string& word) {
    AppState& app = check.app;
    auto value = state::read_setting(app, "accesslist_num", app.console.device.current_device);
    return value && *value == word;
}

// "<TELNET_ID>": the number of a telnet session some device holds.
bool check_telnet_id(Check& check, const std::string& word) {
    AppState& app = check.app;
    if (word == state::marker::kNill) return false;
    db::Recordset row = app.session.open_recordset(
        "SELECT * FROM " + db::quote_identifier(app.table_set.routervariables_table) +
            " WHERE Config_Variable = ?",
        {"telnetsession_id"});
    if (row.eof()) return false;
    for (int c = 0; c < row.field_count(); ++c)
        if (!row.field(c).is_null() && row.text(c) == word) return true;
    return false;
}

using Rule = std::function<bool(Check&, const std::string&)>;

Rule number_rule(double low, double high, bool keep) {
    return [=](Check& check, const std::string& word) {
        if (!in_range(word, low, high)) return false;
        return keep ? capture(check, word) : true;
    };
}

Rule open_rule(double above, double below) {
    return [=](Check& check, const std::string& word) {
        return above_below(word, above, below) && capture(check, word);
    };
}

Rule choice_rule(std::initializer_list<const char*> choices, bool any_case) {
    std::vector<std::string> list(choices.begin(), choices.end());
    return [list, any_case](Check& check, const std::string& word) {
        bool ok = std::any_of(list.begin(), list.end(), [&](const std::string& c) {
            return any_case ? iequals(word, c) : word == c;
        });
        return ok && capture(check, word);
    };
}

const std::unordered_map<std::string, Rule>& rules() {
    static const std::unordered_map<std::string, Rule> table = {
        {"<A.B.C.D>",
         [](Check& check, const std::string& w) { return check_address(w) && capture(check, w); }},
        {"<WORD>", [](Check& check,
                      const std::string& w) { return check_plain_word(w) && capture(check, w); }},
        {"<LINE>", [](Check& check, const std::string&) { return check_line(check); }},
        {"<BANNER>", [](Check& check, const std::string&) { return check_banner(check); }},
        {"<NUMBER>", number_rule(1200, 1200, true)},
        {"<SECONDS>",
         [](Check& check, const std::string& w) {
             double v;
             return read_number(w, v) && v < 3600 && capture(check, w);
         }},
        {"<MINUTES>",
         [](Check& check, const std::string& w) {
             double v;
             return read_number(w, v) && v < 60 && capture(check, w);
         }},
        {"<PPP/HDLC>", choice_rule({"PPP", "hdlc"}, true)},
        {"<ANUM>", number_rule(1, 99, true)},
        {"<AGROUP>", number_rule(1, 99, true)},
        {"<PERMIT/DENY>", choice_rule({"permit", "deny"}, true)},
        {"<AGNUM>", check_agnum},
        {"<TELNET_ID>", check_telnet_id},
        {"<Dist_Metric>", number_rule(1, 255, false)},
        {"<VLAN_NUM>", number_rule(1, 1005, true)},
        {"<SPEED>",
         [](Check& check, const std::string& w) {
             double v;
             bool ok = (read_number(w, v) && (v == 10 || v == 100)) || iequals(w, "auto");
             return ok && capture(check, w);
         }},
        {"<PNUM>", check_pnum},
        {"<DUPLEX_TYPE>", choice_rule({"auto", "full", "half"}, true)},
        {"<HH:MM:SS>",
         [](Check& check, const std::string& w) { return check_time(w) && capture(check, w); }},
        {"<DAY>", number_rule(1, 31, true)},
        {"<MONTH>", number_rule(1, 12, true)},
        {"<YEAR>", number_rule(2004, 2050, true)},
        {"<MAC_ADDR>",
         [](Check& check, const std::string& w) { return check_mac(w) && capture(check, w); }},
        {"<VIOLAT_MODE>", choice_rule({"shutdown", "restrict", "protect"}, true)},
        {"<MAX_MACADD>", number_rule(1, 132, true)},
        {"<AREA_ID>", number_rule(0, 65535, true)},
        {"<PROC_ID>", number_rule(1, 1, true)},
        {"<CLOCK_RATE>", number_rule(300, 8000000, true)},
        {"<BANDWIDTH>", number_rule(0, 44736, true)},
        {"<LMI_TYPE>", choice_rule({"cisco", "ansi", "q933a"}, true)},
        {"<PROTOCOL_NAME>", choice_rule({"ip"}, true)},
        {"<DLCI_NUM>", number_rule(16, 1007, true)},
        {"<PORT_NUMBER>.<SUBINT_NUM>", check_port_subint},
        {"<PORT_NUMBER>", check_port},
        {"<SLOT_NUMBER>/<PORT_NUMBER>", check_slot_port},
        {"<SLOT_NUMBER>/<PORT_NUMBER>.<SUBINT_NUM>", check_slot_port_subint},
        {"<SWITCH_TYPE>",
         choice_rule({"basic-5ess", "basic-dms100", "basic-ni1", "basic-ni2", "pri-net5"}, false)},
        {"<SPID_NUM>",
         [](Check& check, const std::string& w) { return w.size() < 10 && capture(check, w); }},
        {"<DEST_PHONE>",
         [](Check& check, const std::string& w) {
             bool digits =
                 !w.empty() && w.size() <= 10 &&
                 std::all_of(w.begin(), w.end(), [](char c) { return c >= '0' && c <= '9'; });
             return digits && capture(check, w);
         }},
        {"<BROADCAST>", choice_rule({"broadcast"}, false)},
        {"<D_LIST_NUM>", open_rule(0, 100)},
        {"<PERMIT_DENY>", choice_rule({"permit", "deny"}, false)},
        {"<D_GROUP_NUM>", open_rule(0, 100)},
        {"<LOOPBACK_NUM>",
         [](Check& check, const std::string& w) {
             int number = 0;
             if (!is_whole_in_range(w, 0, 9, number)) return false;
             check.interface.current_interface = "loopback";
             check.interface.loopback_number = number;
             return true;
         }},
    };
    return table;
}

}  // namespace

bool has_syntax_rule(std::string_view token) {
    return rules().count(std::string(token)) != 0;
}

bool read_number(const std::string& word, double& value) {
    std::size_t i = 0;
    if (i < word.size() && (word[i] == '-' || word[i] == '+')) ++i;
    std::size_t digits = 0, dots = 0;
    for (std::size_t j = i; j < word.size(); ++j) {
        if (std::isdigit(static_cast<unsigned char>(word[j])))
            ++digits;
        else if (word[j] == '.' && dots == 0)
            ++dots;
        else
            return false;
    }
    if (digits == 0) return false;
    try {
        value = std::stod(word);
    } catch (...) {
        return false;
    }
    return true;
}

namespace {

// Only tokens the token table lists are known, compared with their case.
// The table never changes while the program runs, so it is read once per
// database file.
bool token_listed(db::DatabaseSession& session, const std::string& token) {
    static std::string source;
    static std::set<std::string> tokens;
    if (source != session.path() || tokens.empty()) {
        tokens.clear();
        for (auto rows = session.open_recordset("SELECT token FROM " +
                                                db::quote_identifier("tblevalsyntax"));
             !rows.eof(); rows.move_next())
            tokens.insert(rows.text(0));
        source = session.path();
    }
    return tokens.count(token) != 0;
}

}  // namespace

bool check_argument_syntax(ArgumentCheck& check, const std::string& token,
                           const std::string& word) {
    if (!token_listed(check.app.session, token)) return false;
    auto rule = rules().find(token);
    if (rule == rules().end()) return false;
    return rule->second(check, word);
}

void InterfaceChoice::apply(state::ConsoleMode& mode) const {
    if (current_interface) mode.current_interface = *current_interface;
    if (switch_port) mode.switch_port = *switch_port;
    if (interface_number) mode.interface_number = *interface_number;
    if (subinterface_number) mode.subinterface_number = *subinterface_number;
    if (loopback_number) mode.loopback_number = *loopback_number;
}

}  // namespace vexlab::interpreter
