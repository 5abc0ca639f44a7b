// Seeded mutations of the shipped files into every file reader (the
// mutations are those of support/file_mutations.h).  Whatever a reader is
// given, nothing escapes it; a refused file names itself and leaves itself,
// every table and what is on screen as it was; an accepted file leaves a
// consistent whole that saves, and opens and saves again to the same bytes.
//
// A short run belongs to the test suite.  For a long one (the README's test
// section tells more):
//   VEXLAB_FUZZ_FILES=20000 VEXLAB_FUZZ_SEED=7 build/bin/core_tests --gtest_filter='FileFuzz.*'
//
// A further reader is a FileReader: its seed files, how it opens a file and
// saves what it opened, what a refusal must leave as it was and what must
// hold after an accepted file.  One more TEST with a few lines runs it, as
// the designer's map files and the example-labs list show at the end.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "designer/network_export.h"
#include "designer/network_map_file.h"
#include "example_network.h"
#include "labs/example_labs.h"
#include "networkfiles/file_format.h"
#include "networkfiles/network_file_writer.h"
#include "networkfiles/network_loader.h"
#include "platform/db_session.h"
#include "platform/line_file.h"
#include "platform/text.h"
#include "state/app_state.h"
#include "support/designer_script.h"
#include "support/file_mutations.h"
#include "support/leftovers.h"
#include "support/network_state.h"

namespace {

using namespace vexlab;
using state::NetworkLoad;
using test::files_per_reader;
using test::fuzz_seed;
using test::Mutation;
using test::Mutator;

struct SeedFile {
    std::string name;
    std::string bytes;
};

// One reader under test.
struct FileReader {
    std::string name;  // for the figures of the run
    std::vector<SeedFile> seeds;
    // Where the file is put for the reader, when it reads a file of a name
    // of its own; else a file of the fuzz's folder.
    std::string path;
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
    // The least share of its files the reader must accept, and refuse: the
    // mutations leave many files sound and break many, so a reader that
    // refuses (or takes) nearly everything has lost its way.
    double least_accepted = 0.1;
    double least_refused = 0.1;
};

// ------------------------------------------------------------------ the run

void write_bytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// What a run gave: the figures of the README's long run.
struct Tally {
    long inputs = 0;
    long accepted = 0;
    long refused = 0;
};

void run_files(FileReader& reader, const std::filesystem::path& folder, long files, unsigned seed,
               Tally& tally);

void fuzz(FileReader& reader, const std::filesystem::path& folder, long files, unsigned seed) {
    Tally tally;
    run_files(reader, folder, files, seed, tally);
    std::cout << "[ figures  ] " << reader.name << ": " << tally.inputs << " inputs, "
              << tally.accepted << " accepted, " << tally.refused << " refused\n";
    if (::testing::Test::HasFailure() || tally.inputs < files) return;
    EXPECT_GE(tally.accepted, reader.least_accepted * static_cast<double>(tally.inputs))
        << reader.name << " accepted too few of its files";
    EXPECT_GE(tally.refused, reader.least_refused * static_cast<double>(tally.inputs))
        << reader.name << " refused too few of its files";
}

void run_files(FileReader& reader, const std::filesystem::path& folder, long files, unsigned seed,
               Tally& tally) {
    ASSERT_FALSE(reader.seeds.empty());
    const auto reopen = reader.reopen ? reader.reopen : reader.open;
    Mutator mutator(seed);
    std::mt19937 choose(seed + 1);
    test::TempDir reads;
    const std::string path =
        reader.path.empty() ? (reads.path() / "handed" / "mutated.file").string() : reader.path;
    const std::string saved = (folder / "saved.1").string(), again = (folder / "saved.2").string();
    // The file lies among what interrupted saves may leave, in a folder
    // handed round: a read, accepted or refused, leaves the file's folder
    // and the one above it byte for byte as they were.
    const std::filesystem::path file_folder = std::filesystem::path(path).parent_path();
    std::filesystem::create_directories(file_folder);
    test::plant_leftovers(file_folder, std::filesystem::path(path).filename().string());

    std::string before = reader.state();
    for (long n = 0; n < files; ++n) {
        const SeedFile& seed_file = reader.seeds[choose() % reader.seeds.size()];
        const Mutation m = mutator(seed_file.bytes, n);
        SCOPED_TRACE("file " + std::to_string(n) + ": " + seed_file.name + ", " + m.what);
        std::filesystem::remove_all(path);
        if (m.folder)
            std::filesystem::create_directory(path);
        else
            write_bytes(path, m.bytes);

        const std::string folders = test::tree_state(file_folder.parent_path());
        std::optional<std::string> refusal;
        try {
            refusal = reader.open(path);
        } catch (const std::exception& error) {
            ADD_FAILURE() << "escaped the reader: " << error.what();
            return;
        }
        ++tally.inputs;
        ++(refusal ? tally.refused : tally.accepted);
        EXPECT_EQ(test::tree_state(file_folder.parent_path()), folders)
            << "the read changed the folders of the file";
        if (refusal) {
            EXPECT_NE(refusal->find(path), std::string::npos) << *refusal;
            if (m.folder)
                EXPECT_TRUE(std::filesystem::is_directory(path) && std::filesystem::is_empty(path))
                    << "the refused folder was changed";
            else
                EXPECT_EQ(test::read_file(path), m.bytes) << "the refused file was changed";
            EXPECT_EQ(reader.state(), before) << "a refused file changed something\n" << *refusal;
        } else {
            for (const auto& fault : reader.faults()) ADD_FAILURE() << fault;
            try {
                reader.save(saved);
                const auto refused_again = reopen(saved);
                EXPECT_FALSE(refused_again) << "its own save was refused: " << *refused_again;
                reader.save(again);
                EXPECT_EQ(test::read_file(again), test::read_file(saved))
                    << "saved twice, not the same";
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
        r.name = how == NetworkLoad::ConfigurationFile ? "Load Config"
                 : how == NetworkLoad::ExportedFile    ? "Open Exported File"
                                                       : "a lab's network";
        r.seeds = how == NetworkLoad::ConfigurationFile ? configuration_
                  : how == NetworkLoad::ExportedFile    ? exported_
                                                        : lab_networks_;
        r.seeds.push_back(how == NetworkLoad::ConfigurationFile ? exported_.front()
                                                                : configuration_.front());
        r.open = [this, how](const std::string& path) { return load(path, how); };
        r.reopen = [this](const std::string& path) {
            return load(path, NetworkLoad::ConfigurationFile);
        };
        r.save = [this](const std::string& path) { networkfiles::save_config(app(), path); };
        r.state = [this] { return network_state(app()); };
        r.faults = [this] { return network_faults(app()); };
        return r;
    }

    const std::filesystem::path& folder() const { return net_.folder.path(); }

private:
    state::AppState& app() { return net_.app; }

    // Nothing when the file loaded, else the message the user is shown.
    std::optional<std::string> load(const std::string& path, NetworkLoad how) {
        try {
            networkfiles::load_network(app(), path, how);
        } catch (const networkfiles::LoadError& error) {
            return error.message();
        }
        return std::nullopt;
    }

    std::string saved(const std::string& name) {
        const std::string path = net_.folder.file(name);
        networkfiles::save_config(app(), path);
        return test::read_file(path);
    }

    test::DefaultNetwork net_;
    std::vector<SeedFile> exported_, configuration_, lab_networks_;
};

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
    reader.name = "the designer's map";
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
        // Each sub-interface stands on an interface of a router and names a
        // sub-interface at its far end that names it back on the same line.
        auto subinterfaces = designer.session.open_recordset(
            "SELECT s.ref, s.sun_int_num, i.hostname, t.device, EXISTS (SELECT 1 FROM "
            "sub_int_det AS f JOIN ip AS fi ON fi.\"index\" = f.ref WHERE fi.hostname = "
            "s.todevice AND fi.interfacetype = s.tointerface AND f.sun_int_num = s.to_sub_int_num "
            "AND f.todevice = i.hostname AND f.tointerface = i.interfacetype AND "
            "f.to_sub_int_num = s.sun_int_num AND f.lineno = s.lineno) FROM sub_int_det AS s "
            "LEFT JOIN ip AS i ON i.\"index\" = s.ref LEFT JOIN devicenames AS n ON n.hostname = "
            "i.hostname LEFT JOIN devicetemplate AS t ON t.\"index\" = n.ref ORDER BY s.rowid");
        for (; !subinterfaces.eof(); subinterfaces.move_next()) {
            const std::string which = "the sub-interface " + subinterfaces.text(1) +
                                      " of interface number " + subinterfaces.text(0);
            if (subinterfaces.field(2).is_null())
                faults.push_back(which + " stands on no interface");
            else if (networkfiles::kind_of_model(subinterfaces.text(3)) !=
                     state::DeviceKind::Router)
                faults.push_back(which + " stands on a " + subinterfaces.text(3));
            else if (!subinterfaces.field(4).to_bool())
                faults.push_back(which + " is not named back from its far end");
        }
        // A design the designer opens, it exports.
        try {
            networkfiles::check_file_reads_back(
                designer::exported_network_text(designer.session, " "),
                networkfiles::NetworkFileKind::Exported,
                networkfiles::working_shapes(designer.session));
        } catch (const networkfiles::NetworkFileError& error) {
            faults.push_back(std::string("the design cannot be exported: ") + error.what());
        }
        return faults;
    };
    test::TempDir folder;
    fuzz(reader, folder.path(), files_per_reader(), fuzz_seed());
}

// ------------------------------------------------------------------ the example-labs list

std::string tree_text(const std::vector<labs::LabSection>& tree) {
    std::string text;
    for (const auto& section : tree) {
        text += "[" + section.name + "]";
        for (const auto& lab : section.labs) text += " <" + lab + ">";
        text += "\n";
    }
    return text;
}

// The headers of a list, counted as lines of their own.
std::size_t headers_in(const std::string& bytes) {
    const auto lines = platform::split_lines(bytes);
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), "[section]"));
}

// Every file in the folder but the list itself: the copy a rewrite keeps and
// whatever else a writer might leave there.
std::string folder_state(const std::filesystem::path& folder, const std::string& except) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().string() != except)
            entries[entry.path().filename().string()] =
                entry.is_directory() ? "a folder" : test::read_file(entry.path().string());
    std::string state;
    for (const auto& [name, bytes] : entries) state += name + ":\n" + bytes + "\n";
    return state;
}

// The example-labs list, read from its name in the program folder.  It is
// written back as the editor's Edit writes a section kept under its own name,
// which rewrites the whole list; a list of no section stays as it is.
TEST(FileFuzz, ExampleLabsListsIntoTheirReader) {
    test::TempDir folder;
    const auto program = folder.path() / "program";
    std::filesystem::create_directories(program);
    labs::ExampleLabsFile list(program.string());
    FileReader reader;
    reader.name = "the example-labs list";
    reader.seeds = {
        {"labs-sim.txt", test::read_file(test::resources_dir() + "/example_labs/labs-sim.txt")},
        {"hand-edited.txt",
         test::read_file(std::string(VEXLAB_FIXTURES_DIR) + "/labs-list/hand-edited.txt")}};
    reader.path = list.path();

    std::vector<labs::LabSection> tree;  // the last list accepted
    auto read = [&]() -> std::optional<std::string> {
        try {
            tree = list.read_lab_tree();
        } catch (const labs::LabsListError& error) {
            // The writers read the list as the tree does and leave it alone.
            for (const auto& written : {list.rename_section({0, {}}, {}), list.append_section("A")})
                if (written || written.error.find(list.path()) == std::string::npos)
                    ADD_FAILURE() << "a writer took a list the reader refuses: " << written.error;
            return error.message();
        }
        return std::nullopt;
    };
    reader.open = [&](const std::string&) { return read(); };
    reader.save = [&](const std::string& path) {
        if (!tree.empty()) {
            const labs::SectionRef first{0, tree.front().name};
            if (const auto written = list.rename_section(first, first.name); !written)
                throw std::runtime_error(written.error);
        }
        std::filesystem::copy_file(list.path(), path,
                                   std::filesystem::copy_options::overwrite_existing);
    };
    reader.reopen = [&](const std::string& path) {
        std::filesystem::copy_file(path, list.path(),
                                   std::filesystem::copy_options::overwrite_existing);
        const std::string shown = tree_text(tree);
        const auto refused = read();
        if (!refused) {
            EXPECT_EQ(tree_text(tree), shown) << "written back, it reads as another tree";
        }
        return refused;
    };
    reader.state = [&] { return folder_state(program, list.path()); };
    // No section of the file is hidden or merged into another, and the
    // editor finds each section and lab it shows at its place, by the name
    // shown: the one it changes or removes, and the one a new name repeats.
    reader.faults = [&] {
        std::vector<std::string> faults;
        const std::size_t headers = headers_in(test::read_file(list.path()));
        if (headers != tree.size())
            faults.push_back(std::to_string(headers) + " headers show " +
                             std::to_string(tree.size()) + " sections");
        for (std::size_t s = 0; s < tree.size(); ++s) {
            const labs::SectionRef section{s, tree[s].name};
            if (!list.holds(section)) faults.push_back("section " + section.name + " is not found");
            if (!list.section_exists(section.name))
                faults.push_back("the name of section " + section.name + " is free");
            for (std::size_t l = 0; l < tree[s].labs.size(); ++l) {
                const labs::LabRef lab{section, l, tree[s].labs[l]};
                if (!list.holds(lab)) faults.push_back("lab " + lab.name + " is not found");
                if (!list.lab_exists_in_section(section, lab.name))
                    faults.push_back("the name of lab " + lab.name + " is free");
            }
        }
        return faults;
    };
    fuzz(reader, folder.path(), files_per_reader(), fuzz_seed());
}

}  // namespace
