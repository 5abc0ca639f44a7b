// Builds the program's database file from the text sources of resources/.
// Usage: make_database <resources folder> <database file>

#include <iostream>

#include "interpreter/catalogue_compiler.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_database <resources folder> <database file>\n";
        return 2;
    }
    try {
        vexlab::interpreter::build_program_database(argv[1], argv[2]);
    } catch (const std::exception& error) {
        std::cerr << "make_database: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
