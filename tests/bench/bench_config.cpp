// "ip address" on R1's Ethernet0 typed at the console, on default networks
// grown to 20 and 200 devices on the switch behind that interface: the cost
// of keeping the LAN tables current grows no more than linearly with the
// LAN.  Two cases: a new address in the same subnet (the LAN's rows change
// their address), and a move between two subnets that each hold half of the
// hosts (the LAN's rows are worked out anew).

#include <benchmark/benchmark.h>

#include <string>

#include "console/console_engine.h"
#include "platform/user_dialogs.h"
#include "reachability/lan_tables.h"
#include "state/app_state.h"
#include "support/test_database.h"

namespace {

namespace keys = vexlab::console::keys;

// Hosts H1, H2 ... on new ports of the switch "2950", until `devices`
// devices hang off the switch; odd hosts in 10.0.0.0/8, even ones in
// 11.0.0.0/8.
void grow_lan(vexlab::state::AppState& app, int devices) {
    auto& session = app.session;
    vexlab::db::DatabaseSession::Transaction transaction(session);
    const std::string views[] = {"route_ip_def", "ospf_ip_def", "eigrp_ip_def"};
    // R1, the switch and the PC of the shipped network are three of them.
    for (int n = 1; n <= devices - 3; ++n) {
        const std::string host = "H" + std::to_string(n);
        const std::string port = "FastEthernet0/" + std::to_string(100 + n);
        const std::string address = (n % 2 ? "10.0." : "11.0.") + std::to_string(1 + n / 250) +
                                    "." + std::to_string(1 + n % 250);
        const int number = 100 + n;
        session.execute("INSERT INTO device (\"index\", Dev_cat, Device_Name) VALUES (3, 'PC', ?)",
                        {host});
        session.execute("INSERT INTO rout_dev_def (dev_no, dev_name) VALUES (?, ?)",
                        {number, host});
        for (const auto& view : views) {
            session.execute("INSERT INTO " + view +
                                " (ref, int_name, ip, mask, next_hop_devname, next_hop_intname) "
                                "VALUES (?, 'Ethernet0', ?, '255.0.0.0', '2950', ?)",
                            {number, address, port});
            session.execute("INSERT INTO " + view +
                                " (ref, int_name, ip, mask, next_hop_devname, next_hop_intname) "
                                "VALUES (5, ?, 'NA', 'NA', ?, 'Ethernet0')",
                            {port, host});
        }
    }
    session.execute("UPDATE routervariables_def SET \"2950\" = ? WHERE Config_Variable = ?",
                    {"10.0.0.250", "FastEthernet1_ip_address"});
    session.execute("UPDATE routervariables_def SET \"2950\" = ? WHERE Config_Variable = ?",
                    {"255.0.0.0", "FastEthernet1_dec_mask"});
    vexlab::reachability::rebuild_lan_tables(session, app.table_set);
    transaction.commit();
}

void run(benchmark::State& state, const char* first, const char* second) {
    vexlab::test::TempDir folder;
    vexlab::test::fresh_database(folder.file("commandsbackup.mdb"));
    vexlab::state::AppState app;
    app.program_folder = folder.path().string();
    app.session.open(folder.file("commandsbackup.mdb"));
    app.open_mode.start_as_router = true;
    vexlab::platform::ScriptedDialogs dialogs;
    vexlab::console::ConsoleEngine engine(app, dialogs);
    engine.form_load();
    engine.press(keys::enter);
    grow_lan(app, static_cast<int>(state.range(0)));
    for (const char* line : {"enable", "configure terminal", "interface ethernet 0"}) {
        engine.type(line);
        engine.press(keys::enter);
    }
    // The transcript is cut back to the prompt each time, so what is measured
    // is the command, not the length of the session (bench_console has that).
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        engine.text_control().replace_all("R1(config-if)#");
        engine.type(++n % 2 ? first : second);
        state.ResumeTiming();
        engine.press(keys::enter);
    }
    state.counters["lan_rows"] = static_cast<double>(
        app.session
            .scalar("SELECT count(*) FROM eth_iplist WHERE master_ip = ?", {[&] {
                        std::string last = n % 2 ? first : second;
                        return last.substr(11, last.find(' ', 11) - 11);
                    }()})
            .to_int());
}

void BM_AddressInTheSameSubnet(benchmark::State& state) {
    run(state, "ip address 10.0.0.1 255.0.0.0", "ip address 10.0.0.254 255.0.0.0");
}
BENCHMARK(BM_AddressInTheSameSubnet)
    ->Arg(20)
    ->Arg(200)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

void BM_AddressInAnotherSubnet(benchmark::State& state) {
    run(state, "ip address 10.0.0.1 255.0.0.0", "ip address 11.0.0.1 255.0.0.0");
}
BENCHMARK(BM_AddressInAnotherSubnet)
    ->Arg(20)
    ->Arg(200)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
