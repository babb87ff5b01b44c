// Build-time helper: turns the shipped CSV files into the SQLite reference database.
//   zeb-build-database OUT.sqlite STATIONS.csv CURVE_NUMBERS.csv

#include "refdata/database_builder.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "Uso: zeb-build-database SAIDA.sqlite POSTOS.csv CURVAS.csv\n";
        return 2;
    }
    if (const auto error = refdata::buildDatabaseFromCsv(argv[1], argv[2], argv[3])) {
        std::cerr << error->message << '\n';
        return 4;
    }
    return 0;
}
