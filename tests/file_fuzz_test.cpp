// Seeded mutations of the shipped files into every file reader: bytes
// flipped, the file cut at a fiftieth of its length, lines deleted,
// doubled, swapped or replaced, huge numbers, bytes that are no UTF-8, a NUL,
// CR and LF mixed, very long lines, an empty file and a folder.  Whatever a
// reader is given, nothing escapes it; a refused file names itself and
// leaves every table and what is on screen as it was; an accepted file
// leaves a consistent whole that saves, and opens and saves again to the
// same bytes.
//
// A short run belongs to the test suite.  For a long one (the README's test
// section tells more):
//   VEXLAB_FUZZ_FILES=20000 VEXLAB_FUZZ_SEED=7 build/bin/core_tests --gtest_filter='FileFuzz.*'
//
// A further reader is a FileReader: its seed files, how it opens a file and
// saves what it opened, what a refusal must leave as it was and what must
// hold after an accepted file.  One more TEST with a few lines runs it, as
// the designer's map files show at the end.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "designer/network_map_file.h"
#include "example_network.h"
#include "networkfiles/network_loader.h"
#include "platform/db_session.h"
#include "platform/text.h"
#include "state/app_state.h"
#include "support/designer_script.h"
#include "support/network_state.h"

namespace {

using namespace vexlab;
using state::NetworkLoad;

long environment_number(const char* name, long fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::strtol(value, nullptr, 10) : fallback;
}

struct SeedFile {
    std::string name;
    std::string bytes;
};

// One reader under test.
struct FileReader {
    std::vector<SeedFile> seeds;
    // Opens the file at the path: nothing when it was accepted, else the
    // message the user is shown.  Whatever it throws escapes the reader.
    std::function<std::optional<std::string>(const std::string& path)> open;
    // Writes what is open to the path.
    std::function<void(const std::string& path)> save;
    // Opens a file that save() wrote; open() when not given.
    std::function<std::optional<std::string>(const std::string& path)> reopen;
    // Everything a refused file must leave as it was: tables and screen.
    std::function<std::string()> state;
    // What is inconsistent after an accepted file; empty when all holds.
    std::function<std::vector<std::string>()> faults;
};

// ------------------------------------------------------------------ mutations

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

// ------------------------------------------------------------------ the run

std::string read_bytes(const std::string& path) {
    return test::read_file(path);
}

void write_bytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void fuzz(FileReader& reader, const std::filesystem::path& folder, long files, unsigned seed) {
    ASSERT_FALSE(reader.seeds.empty());
    const auto reopen = reader.reopen ? reader.reopen : reader.open;
    Mutator mutator(seed);
    std::mt19937 choose(seed + 1);
    const std::string file = (folder / "mutated.file").string();
    const std::string directory = (folder / "mutated.folder").string();
    std::filesystem::create_directories(directory);
    const std::string saved = (folder / "saved.1").string(), again = (folder / "saved.2").string();

    std::string before = reader.state();
    for (long n = 0; n < files; ++n) {
        const SeedFile& seed_file = reader.seeds[choose() % reader.seeds.size()];
        const Mutation m = mutator(seed_file.bytes, n);
        SCOPED_TRACE("file " + std::to_string(n) + ": " + seed_file.name + ", " + m.what);
        const std::string path = m.folder ? directory : file;
        if (!m.folder) write_bytes(path, m.bytes);

        std::optional<std::string> refusal;
        try {
            refusal = reader.open(path);
        } catch (const std::exception& error) {
            ADD_FAILURE() << "escaped the reader: " << error.what();
            return;
        }
        if (refusal) {
            EXPECT_NE(refusal->find(path), std::string::npos) << *refusal;
            EXPECT_EQ(reader.state(), before) << "a refused file changed something\n" << *refusal;
        } else {
            for (const auto& fault : reader.faults()) ADD_FAILURE() << fault;
            try {
                reader.save(saved);
                const auto refused_again = reopen(saved);
                EXPECT_FALSE(refused_again) << "its own save was refused: " << *refused_again;
                reader.save(again);
                EXPECT_EQ(read_bytes(again), read_bytes(saved)) << "saved twice, not the same";
            } catch (const std::exception& error) {
                ADD_FAILURE() << "the accepted file did not save and open again: " << error.what();
            }
            before = reader.state();
        }
        if (::testing::Test::HasFailure()) {
            const auto kept = std::filesystem::temp_directory_path() / "vexlab-fuzz-failed.file";
            write_bytes(kept.string(), m.bytes);
            std::cerr << "the file that failed is kept in " << kept.string() << "\n";
            return;
        }
    }
}

// ------------------------------------------------------------------ network files

// The working network's references: every row names a device or an
// interface that is there, and each connection is answered from its far end.
std::vector<std::string> network_faults(state::AppState& app) {
    static const char* const kDangling[][2] = {
        {"rout_dev", "NOT EXISTS (SELECT 1 FROM device d WHERE d.Device_Name = t.dev_name)"},
        {"ospf_dev", "NOT EXISTS (SELECT 1 FROM device d WHERE d.Device_Name = t.dev_name)"},
        {"eigrp_dev", "NOT EXISTS (SELECT 1 FROM device d WHERE d.Device_Name = t.dev_name)"},
        {"nat_dev", "NOT EXISTS (SELECT 1 FROM device d WHERE d.Device_Name = t.dev_name)"},
        {"frame_device", "NOT EXISTS (SELECT 1 FROM device d WHERE d.Device_Name = t.dev_name)"},
        {"int_device", "NOT EXISTS (SELECT 1 FROM device d WHERE d.Device_Name = t.dev_name)"},
        {"route_ip", "NOT EXISTS (SELECT 1 FROM rout_dev d WHERE d.dev_no = t.ref)"},
        {"ospf_ip", "NOT EXISTS (SELECT 1 FROM ospf_dev d WHERE d.dev_no = t.ref)"},
        {"eigrp_ip", "NOT EXISTS (SELECT 1 FROM eigrp_dev d WHERE d.dev_no = t.ref)"},
        {"frame_ip", "NOT EXISTS (SELECT 1 FROM frame_device d WHERE d.dev_no = t.ref)"},
        {"frame_map", "NOT EXISTS (SELECT 1 FROM frame_ip i WHERE i.\"index\" = t.ref)"},
        {"int_det", "NOT EXISTS (SELECT 1 FROM int_device d WHERE d.\"index\" = t.ref)"},
        {"nat_inout", "NOT EXISTS (SELECT 1 FROM nat_dev d WHERE d.dev_no = t.ref)"},
        {"access_list", "NOT EXISTS (SELECT 1 FROM rout_dev d WHERE d.dev_no = t.ref_devce)"},
        {"nat_pool", "NOT EXISTS (SELECT 1 FROM nat_dev d WHERE d.dev_no = t.dev_ref)"},
    };
    std::vector<std::string> faults;
    auto& session = app.session;
    for (const auto& [table, dangling] : kDangling) {
        const auto count =
            session.scalar(std::string("SELECT count(*) FROM ") + table + " AS t WHERE " + dangling)
                .to_int();
        if (count) faults.push_back(std::to_string(count) + " rows of " + table + " name nothing");
    }
    for (const auto& [interfaces, devices] :
         {std::pair{"route_ip", "rout_dev"}, {"ospf_ip", "ospf_dev"}, {"eigrp_ip", "eigrp_dev"}}) {
        const std::string ip = interfaces, dev = devices;
        auto ends = session.open_recordset(
            "SELECT d.dev_name, i.int_name FROM " + ip + " AS i JOIN " + dev +
            " AS d ON d.dev_no = i.ref WHERE NOT (i.next_hop_devname IN ('UA', '') AND "
            "i.next_hop_intname IN ('UA', '')) AND NOT EXISTS (SELECT 1 FROM " +
            ip + " AS f JOIN " + dev +
            " AS fd ON fd.dev_no = f.ref WHERE fd.dev_name = i.next_hop_devname AND "
            "f.int_name = i.next_hop_intname AND f.next_hop_devname = d.dev_name AND "
            "f.next_hop_intname = i.int_name)");
        for (; !ends.eof(); ends.move_next())
            faults.push_back("in " + ip + " the connection of " + ends.text(0) + " " +
                             ends.text(1) + " has no far end");
    }
    // One settings column per device, and the console on one of them.
    auto columns = session.column_names("routervariables");
    const auto devices = session.scalar("SELECT count(*) FROM device").to_int();
    if (columns.empty() || static_cast<long long>(columns.size()) - 1 != devices)
        faults.push_back(std::to_string(devices) + " devices and " +
                         std::to_string(columns.size()) + " settings columns");
    for (std::size_t i = 1; i < columns.size(); ++i)
        if (session.scalar("SELECT count(*) FROM device WHERE Device_Name = ?", {columns[i]})
                .to_int() != 1)
            faults.push_back("the settings column " + columns[i] + " is no one device's");
    if (session
            .scalar("SELECT count(*) FROM device WHERE Device_Name = ?",
                    {app.console.device.current_device})
            .to_int() == 0)
        faults.push_back("the console is on " + app.console.device.current_device +
                         ", which is no device");
    return faults;
}

// What a refused load must leave: the tables and the network on screen.
std::string network_state(state::AppState& app) {
    const auto& d = app.console.device;
    const auto& n = app.network;
    return test::database_state(app.session) + "\nset " +
           (app.table_set.is_default() ? "default" : "working") + "\ndevice " + d.current_device +
           "|" + d.host_name + "|" + std::to_string(static_cast<int>(d.device_kind)) + "|" +
           d.device_model + "\nprompt " + app.console.mode.prompt_text + "\nnetwork " +
           n.lab_description + "|" + n.network_picture_path + "|" + n.loaded_file_path + "|" +
           std::to_string(static_cast<int>(n.loaded_by));
}

class NetworkFuzz {
public:
    NetworkFuzz() {
        for (const std::string folder : {"/examples", "/example_labs/networks"})
            for (const auto& entry :
                 std::filesystem::directory_iterator(test::resources_dir() + folder)) {
                if (entry.path().extension() != ".net") continue;
                const std::string name = entry.path().stem().string();
                const auto network =
                    examples::parse_example(test::read_file(entry.path().string()), name);
                (folder == "/examples" ? exported_ : lab_networks_)
                    .push_back({name + ".exp", examples::export_text(app().session, network)});
            }
        // Configuration files: the default network as shipped and as a
        // learner may leave it, and every example once opened.
        configuration_.push_back({"default.con", saved("default.con")});
        test::configure_default_network(app());
        configuration_.push_back({"configured.con", saved("configured.con")});
        for (const auto& seed : exported_) {
            networkfiles::load_network(app(), net_.write_file(seed.name, seed.bytes),
                                       NetworkLoad::ExportedFile);
            configuration_.push_back({seed.name + ".con", saved(seed.name + ".con")});
        }
        networkfiles::load_network(app(), net_.write_file("shown.con", configuration_[1].bytes),
                                   NetworkLoad::ConfigurationFile);
    }

    // A reader of network files: Open Exported File, Load Config or a lab's
    // network.  Each also meets now and then a file of another kind.
    FileReader reader(NetworkLoad how) {
        FileReader r;
        r.seeds = how == NetworkLoad::ConfigurationFile ? configuration_
                  : how == NetworkLoad::ExportedFile    ? exported_
                                                        : lab_networks_;
        r.seeds.push_back(how == NetworkLoad::ConfigurationFile ? exported_.front()
                                                                : configuration_.front());
        r.open = [this, how](const std::string& path) -> std::optional<std::string> {
            try {
                networkfiles::load_network(app(), path, how);
            } catch (const networkfiles::LoadError& error) {
                return error.message();
            }
            return std::nullopt;
        };
        r.reopen = [this](const std::string& path) -> std::optional<std::string> {
            try {
                networkfiles::load_network(app(), path, NetworkLoad::ConfigurationFile);
            } catch (const networkfiles::LoadError& error) {
                return error.message();
            }
            return std::nullopt;
        };
        r.save = [this](const std::string& path) { networkfiles::save_config(app(), path); };
        r.state = [this] { return network_state(app()); };
        r.faults = [this] { return network_faults(app()); };
        return r;
    }

    const std::filesystem::path& folder() const { return net_.folder.path(); }

private:
    state::AppState& app() { return net_.app; }

    std::string saved(const std::string& name) {
        const std::string path = net_.folder.file(name);
        networkfiles::save_config(app(), path);
        return test::read_file(path);
    }

    test::DefaultNetwork net_;
    std::vector<SeedFile> exported_, configuration_, lab_networks_;
};

long files_per_reader() {
    return environment_number("VEXLAB_FUZZ_FILES", 120);
}

unsigned fuzz_seed() {
    return static_cast<unsigned>(environment_number("VEXLAB_FUZZ_SEED", 20261212));
}

TEST(FileFuzz, NetworkFilesIntoEveryNetworkReader) {
    NetworkFuzz network;
    for (const auto how :
         {NetworkLoad::ExportedFile, NetworkLoad::ConfigurationFile, NetworkLoad::LabNetwork}) {
        SCOPED_TRACE("reader " + std::to_string(static_cast<int>(how)));
        FileReader reader = network.reader(how);
        fuzz(reader, network.folder(), files_per_reader(), fuzz_seed());
        if (::testing::Test::HasFailure()) return;
    }
}

// ------------------------------------------------------------------ network maps

// The designer's map files, added as one more reader: what it needs is how
// the designer opens and saves a map and when a design holds together.
TEST(FileFuzz, MapFilesIntoTheDesigner) {
    test::DesignerDriver designer;
    designer.model->form_load();
    FileReader reader;
    for (const char* name : {"every-connector.dgm", "two-routers.dgm"})
        reader.seeds.push_back(
            {name, test::read_file(std::string(VEXLAB_FIXTURES_DIR) + "/designer/" + name)});
    reader.open = [&](const std::string& path) -> std::optional<std::string> {
        designer.dialogs.clear();
        if (designer.model->open_network_map_file(path)) return std::nullopt;
        if (designer.dialogs.shown().empty()) return "refused without a word";
        return designer.dialogs.shown().back().text;
    };
    reader.save = [&](const std::string& path) {
        designer::write_network_map_file(path, designer.model->network_map());
    };
    reader.state = [&] {
        return test::database_state(designer.session) +
               designer::format_network_map(designer.model->network_map());
    };
    // A connection to a device names an interface there that names it back
    // (an interface that carries subinterfaces is connected to no device).
    reader.faults = [&] {
        std::vector<std::string> faults;
        auto ends = designer.session.open_recordset(
            "SELECT hostname, interfacetype FROM ip AS i WHERE connected <> 0 AND todevice NOT IN "
            "('', 'NA') AND NOT EXISTS (SELECT 1 FROM ip AS f WHERE f.hostname = i.todevice AND "
            "f.interfacetype = i.tointerface AND f.todevice = i.hostname AND f.tointerface = "
            "i.interfacetype)");
        for (; !ends.eof(); ends.move_next())
            faults.push_back("the connection of " + ends.text(0) + " " + ends.text(1) +
                             " has no far end");
        return faults;
    };
    test::TempDir folder;
    fuzz(reader, folder.path(), files_per_reader(), fuzz_seed());
}

}  // namespace
