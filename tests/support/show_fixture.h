#pragma once
// A fresh default network with its device tables filled, and the small
// edits the show tests make to it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/show/show_context.h"
#include "platform/db_session.h"
#include "state/table_set.h"
#include "support/test_database.h"

namespace vexlab::test {

class ShowFixture : public ::testing::Test {
protected:
    void SetUp() override;

    // The context of a show line typed on `device` (a device of the default
    // network); the template is the shipped one unless a test writes its own.
    commands::show::ShowContext context(const std::string& device = "R1",
                                        const std::string& line = "",
                                        std::vector<std::string> words = {});

    void use_template_file(const std::string& path);
    void write_template(const std::string& text);

    // A setting of a device (Null for an empty cell).
    void set(const std::string& device, const std::string& key, const db::Value& value);
    void sql(const std::string& statement, std::initializer_list<db::Value> params = {});

    // An interface's row in int_det: address, mask and the line and
    // protocol states.
    void interface(const std::string& device, const std::string& name, const std::string& ip,
                   const std::string& mask, const std::string& line = "up",
                   const std::string& prot = "up");
    // An interface in the routing views: address, status, protocol and OSPF
    // area; the interface at the other end of its cable learns the address
    // as its next hop.
    void routed(const std::string& device, const std::string& name, const std::string& ip,
                const std::string& mask, bool up, const std::string& protocol = "o", int area = 0);
    void router_id(const std::string& device, const std::string& id);

    TempDir dir;
    db::DatabaseSession session;
    state::NetworkTableSet tables = state::NetworkTableSet::default_set();
    std::string template_path;
};

// The same lines, each ended by CR LF.
std::string crlf_lines(std::initializer_list<std::string> lines);

}  // namespace vexlab::test
