// Builds the program's database file from the text sources of resources/.
// Usage: make_database <resources folder> <database file>

#include <iostream>

#include "state/database_builder.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_database <resources folder> <database file>\n";
        return 2;
    }
    try {
        vexlab::state::build_database(argv[1], argv[2]);
    } catch (const std::exception& error) {
        std::cerr << "make_database: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
