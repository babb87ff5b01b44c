// The user's stations: where the user's database lies, and each change written there from the
// database in use, which stays as it was.
#include "refdata/database_builder.h"
#include "refdata/file_lock.h"
#include "refdata/user_stations.h"
#include "tests/refdata/test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace refdata {
namespace {

using test::messageOf;
using test::readFile;
using test::TemporaryFolder;
using test::valueOf;
using test::writeFile;

TEST(UserStations, DatabaseLiesUnderTheDataHome) {
    const auto root = std::filesystem::current_path(); // absolute on every system
    const std::string d = (root / "d").string();
    const std::string h = (root / "h").string();
    EXPECT_EQ(userDatabasePath(d.c_str(), h.c_str()), root / "d" / "zeb" / "zeb.sqlite");
    EXPECT_EQ(userDatabasePath(nullptr, h.c_str()),
              root / "h" / ".local" / "share" / "zeb" / "zeb.sqlite");
    EXPECT_EQ(userDatabasePath("d", h.c_str()),
              root / "h" / ".local" / "share" / "zeb" / "zeb.sqlite");
    EXPECT_EQ(userDatabasePath(nullptr, nullptr), std::nullopt);
}

std::vector<std::string> codesOf(const UserStations& stations) {
    std::vector<std::string> codes;
    for (const StationRow& row : valueOf(stations.stations())) {
        codes.push_back(row.code.value_or(""));
    }
    return codes;
}

StationTexts station(std::string code, std::string a = "0.3") {
    return {std::move(code),
            "Posto " + code,
            "MG",
            {a, "30", "10", "-0.04", "0.08", "0.08", "0.1"},
            {},
            {}};
}

StationTexts idfStation(std::string code, std::string n = "0.758") {
    return {std::move(code), "Posto " + code, "SP", {}, {"897.79", "0.1463", "11.83", n}, "DAEE"};
}

// The shipped database, of one station, built in the folder.
std::filesystem::path shippedDatabase(const TemporaryFolder& folder) {
    const auto current = folder / "zeb.sqlite";
    EXPECT_EQ(buildDatabaseFromCsv(current, ZEB_SHIPPED_DATA_DIR "/stations.csv",
                                   ZEB_SHIPPED_DATA_DIR "/curve_numbers.csv"),
              std::nullopt);
    return current;
}

TEST(UserStations, ChangesGoToTheUsersDatabaseOnly) {
    TemporaryFolder folder;
    const auto current = shippedDatabase(folder);
    const std::string shipped = readFile(current);
    UserStations user(folder / "home" / "zeb" / "zeb.sqlite", current);

    ASSERT_EQ(user.add(station("20")), std::nullopt);
    EXPECT_EQ(codesOf(user), (std::vector<std::string>{"1", "20"}));
    EXPECT_EQ(readFile(current), shipped);
    EXPECT_EQ(valueOf(user.stations())[1].coefficients.a, 0.3);

    // Refused changes say why, with the importer's words, and leave the file as it was.
    const std::string before = readFile(user.userPath());
    EXPECT_EQ(messageOf(user.add(station("21", "0,3"))),
              "Posto recusado: o valor de \"a\" não é um número: \"0,3\" (use ponto como "
              "separador decimal).");
    EXPECT_EQ(messageOf(user.add(station(" "))), "Posto recusado: o código do posto está vazio.");
    EXPECT_EQ(messageOf(user.add(idfStation("21", "-1"))),
              "Posto recusado: n deve ser um número finito maior que 0.");
    StationTexts mixed = idfStation("21");
    mixed.constants[6] = "0.1";
    EXPECT_EQ(messageOf(user.add(mixed)),
              "Posto recusado: o posto tem as constantes de "
              "Pfafstetter e uma equação IDF; um posto tem uma ou outra.");
    EXPECT_EQ(messageOf(user.edit(0, "1", station("20"))),
              "Posto recusado: o código \"20\" já é de outro posto.");
    // A station another program moved or deleted since it was listed is not the one changed.
    for (const auto& [index, code] : {std::pair{2, "20"}, std::pair{0, "20"}}) {
        EXPECT_EQ(messageOf(user.remove(index, code)),
                  "O posto escolhido não existe mais no banco de dados.");
    }
    EXPECT_EQ(readFile(user.userPath()), before);

    ASSERT_EQ(user.edit(1, "20", station("22", "0.5")), std::nullopt);
    ASSERT_EQ(user.remove(0, "1"), std::nullopt);
    ASSERT_EQ(user.add(idfStation("23")), std::nullopt);
    EXPECT_EQ(codesOf(user), (std::vector<std::string>{"22", "23"}));

    // Exported and imported again elsewhere: the same stations, merged by code.
    const auto csv = folder / "postos.csv";
    ASSERT_EQ(user.exportCsv(csv), std::nullopt);
    UserStations other(folder / "other.sqlite", current);
    ASSERT_TRUE(other.importCsv(csv));
    ASSERT_TRUE(other.importCsv(csv));
    EXPECT_EQ(codesOf(other), (std::vector<std::string>{"1", "22", "23"}));
    for (std::size_t i = 0; i < 2; ++i) {
        const StationRow mine = valueOf(user.stations())[i];
        const StationRow theirs = valueOf(other.stations())[i + 1];
        EXPECT_EQ(std::tie(theirs.coefficients, theirs.idf, theirs.idfSource),
                  std::tie(mine.coefficients, mine.idf, mine.idfSource));
    }
    EXPECT_EQ(valueOf(other.stations())[2].idf[0], 897.79);
    EXPECT_EQ(messageOf(other.importAccess(folder / "none.mdb")).rfind("Banco de dados ", 0), 0u);
    // Of an Access file, the stations a stations file would refuse are left out, with why.
    const ImportNotes notes = valueOf(other.importAccess(test::fixture("null-values.mdb")));
    EXPECT_EQ(notes.leftOut,
              (std::vector<std::string>{R"(posto "202": o valor de "b" está vazio)",
                                        R"(posto "204": o valor de "Bm" está vazio)"}));
    EXPECT_EQ(codesOf(other), (std::vector<std::string>{"1", "22", "23", "201", "203"}));
    // A database made before stations held an IDF equation is changed as any other.
    UserStations old(folder / "old" / "zeb.sqlite", test::fixture("stations-without-idf.sqlite"));
    ASSERT_EQ(old.add(idfStation("3")), std::nullopt);
    EXPECT_EQ(codesOf(old), (std::vector<std::string>{"101", "102", "3"}));
    // A station kept although its rainfall is unusual comes back with its warning.
    writeFile(folder / "alta.csv", "codigo,nome,estado,a,b,c,B5,B15,B30,Bm\n"
                                   "30,Alta,MG,15,25,20,-0.04,0.08,0.08,0.08\n");
    EXPECT_EQ(valueOf(other.importCsv(folder / "alta.csv")).warnings,
              std::vector<std::string>{"posto \"Alta\" (código 30): a chuva de 24 h e TR 100 anos "
                                       "é 1049,7 mm, fora do usual (30 a 600 mm)"});
}

// Two programs adding stations at once (two threads here, each change with its own handle of the
// lock file) keep every one; a change that cannot have its turn says so and changes nothing.
TEST(UserStations, ChangesOfTwoProgramsAtOnceAreAllKept) {
    TemporaryFolder folder;
    const auto current = shippedDatabase(folder);
    const auto user = folder / "zeb" / "zeb.sqlite";
    // Each change waits as long as it takes: the system does not hand the lock out in turn, and
    // on a loaded machine (Wine above all) one thread may keep it past the usual patience.
    const auto patience = std::chrono::minutes(2);
    const auto addForty = [&](const std::string& prefix, std::string& refusals) {
        for (int i = 0; i < 40; ++i) {
            if (auto failure = UserStations(user, current, patience)
                                   .add(station(prefix + std::to_string(i)))) {
                refusals += failure->message + "\n";
            }
        }
    };
    std::string aRefusals;
    std::string bRefusals;
    {
        std::jthread a(addForty, "a", std::ref(aRefusals));
        std::jthread b(addForty, "b", std::ref(bRefusals));
    }
    EXPECT_EQ(aRefusals + bRefusals, "") << "every change reported done";
    EXPECT_EQ(codesOf(UserStations(user, current)).size(), 81u);

    std::string reason;
    const auto held = openLockFile(user.string() + ".lock", reason);
    ASSERT_TRUE(held && !waitForLock(*held)) << reason;
    const std::string before = readFile(user);
    EXPECT_EQ(
        messageOf(UserStations(user, current, std::chrono::milliseconds(50)).add(station("c"))),
        "Banco de dados " + user.string() +
            ": outro programa está alterando este banco; nada foi alterado, tente de novo "
            "em instantes.");
    EXPECT_EQ(readFile(user), before);
    closeLockFile(*held);
}

} // namespace
} // namespace refdata
