// zeb-calc's command line, read in process: what each option gives, and every refusal with
// its reason.
#include "cli/help_text.h"
#include "cli/locale_style.h"
#include "cli/option_table.h"
#include "cli/options.h"
#include "tests/worked_example.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace cli {
namespace {

using Arguments = std::vector<std::string>;

constexpr auto with = zebtest::workedExampleArguments;

// The worked example's arguments with one option's value replaced, or the option dropped when
// the value is nullopt; then more.
Arguments changed(const std::string& option, const std::optional<std::string>& value,
                  const Arguments& more = {}) {
    Arguments result;
    const Arguments base = with({});
    for (std::size_t i = 0; i < base.size(); i += 2) {
        if (base[i] != option) {
            result.insert(result.end(), {base[i], base[i + 1]});
        } else if (value) {
            result.insert(result.end(), {base[i], *value});
        }
    }
    result.insert(result.end(), more.begin(), more.end());
    return result;
}

template <typename T> T parsedAs(const Arguments& arguments) {
    const ParseResult result = parseArguments(arguments);
    if (const auto* error = std::get_if<UsageError>(&result)) {
        ADD_FAILURE() << "usage error: " << error->message;
    }
    return std::holds_alternative<T>(result) ? std::get<T>(result) : T{};
}

TEST(Options, EachOptionGivesItsValue) {
    // The worked example's values and defaults are checked by its golden report, run as a
    // process, at 1 h; seven different constants here, since B5 and B15 are read only below it.
    const CommandOptions o =
        parsedAs<CommandOptions>(changed("--station-constants", "0.2,25,20,-0.04,0.05,0.06,0.07"));
    EXPECT_EQ(o.stationConstants,
              (calc::StationCoefficients{0.2, 25, 20, -0.04, 0.05, 0.06, 0.07}));

    const Arguments own{
        "--own", "2.3,0.2,25,20", "--length=10", "--drop",         "1e2", "--format",
        "json",  "--river",       "Rio Doce",    "--station-name", "",    "--locale",
        "pt_BR", "--output",      "out.txt",     "--duration",     "12",  "--cn",
        "+75",   "--area",        "50",
    };
    const CommandOptions o2 = parsedAs<CommandOptions>(own);
    EXPECT_EQ(o2.constantsSource, ConstantsSource::Own);
    EXPECT_EQ(o2.run.ownConstants[3], 20);
    EXPECT_EQ(o2.run.channelLengthKm, 10.0);
    EXPECT_EQ(o2.run.elevationDropM, 100.0);
    EXPECT_EQ(o2.run.curveNumber, 75);
    EXPECT_EQ(o2.run.durationIndex, 12);
    EXPECT_EQ(o2.format, OutputFormat::Json);
    EXPECT_EQ(o2.riverText, "Rio Doce");
    EXPECT_EQ(o2.stationText, "");
    EXPECT_EQ(o2.localeName, "pt_BR");
    EXPECT_EQ(o2.outputPath, "out.txt");

    const CommandOptions byName = parsedAs<CommandOptions>(
        Arguments{"--station", "Pau d'Alho", "--database", "zeb.mdb", "--duration", "1 h", "--cn",
                  "75", "--area", "50", "--tc", "6", "--return-period", "100"});
    EXPECT_EQ(byName.constantsSource, ConstantsSource::StationName);
    EXPECT_EQ(byName.stationName, "Pau d'Alho");
    EXPECT_EQ(byName.databasePath, "zeb.mdb");

    // A study over an IDF equation needs no return period: it runs its list.
    const CommandOptions idf =
        parsedAs<CommandOptions>(Arguments{"--study", "--idf", "897.79,0.1463,11.83,0.758", "--cn",
                                           "75", "--area", "50", "--tc", "6"});
    EXPECT_EQ(idf.run.idfEquation, (calc::IdfEquation{897.79, 0.1463, 11.83, 0.758}));

    EXPECT_TRUE(std::holds_alternative<HelpRequest>(parseArguments(with({"-h"}))));

    const auto fit =
        parsedAs<FitIdfRequest>({"--fit-idf", "s.csv", "--year-start", "10", "--max-missing", "2.5",
                                 "--ratios", "r.csv", "--locale", "pt_BR", "--output", "o.txt"});
    EXPECT_EQ(fit.seriesPath, "s.csv");
    EXPECT_EQ(fit.years.firstMonth, 10);
    EXPECT_EQ(fit.years.maxMissingPercent, 2.5);
    EXPECT_EQ(fit.ratiosPath, "r.csv");
    EXPECT_EQ(fit.format, OutputFormat::Text);
    EXPECT_EQ(fit.localeName, "pt_BR");
    EXPECT_EQ(fit.outputPath, "o.txt");
    EXPECT_EQ(parsedAs<FitIdfRequest>({"--fit-idf", "s.csv", "--format", "csv"}).format,
              OutputFormat::Csv);
}

TEST(Options, RefusalsSayWhy) {
    std::string manyReturnPeriods = "1"; // 770 of them, by the 13 durations: 10,010 cells
    for (int years = 2; years <= 770; ++years) {
        manyReturnPeriods += "," + std::to_string(years);
    }
    // clang-format off
    const std::pair<Arguments, const char*> rows[] = {
        {{}, "falta a opção --duration"}, {changed("--cn", std::nullopt), "falta a opção --cn"},
        {changed("--tc", std::nullopt), "tempo de concentração"},
        {with({"--length", "10"}), "não ambos"},
        {changed("--tc", std::nullopt, {"--length", "10"}), "juntos"},
        {changed("--station-constants", std::nullopt), "constantes"},
        {with({"--own", "1,2,3,4"}), "uma só origem"},
        {with({"--idf", "900,0.15,11,0.76"}), "uma só origem"},
        {changed("--station-constants", std::nullopt, {"--idf", "900,0.15,11"}),
         "--idf espera quatro números separados por vírgula (K,m,t0,n)"},
        {changed("--station-constants", std::nullopt, {"--idf", "900,0.15,11,-0.76"}),
         "as constantes de --idf foram recusadas: n deve ser um número finito maior que 0."},
        {{"--idf", "900,0.15,11,0.76", "--duration", "1 h", "--cn", "75", "--area", "50", "--tc",
          "6"}, "falta a opção --return-period"},
        {with({"--database", "zeb.mdb"}), "--database só vale"},
        {changed("--cn", "abc"), "\"abc\""}, {changed("--cn", "1\n2"), "\"1\\x0a2\""},
        {changed("--cn", "1.2.3"), "\"1.2.3\""},
        {changed("--cn", "+-75"), "\"+-75\""}, {changed("--area", "2,5"), "\"2,5\""},
        {changed("--area", " 5"), "\" 5\""}, {changed("--area", ""), "--area"},
        {changed("--tc", "inf"), "\"inf\""}, {changed("--tc", "nan"), "\"nan\""},
        {changed("--tc", "1e999"), "\"1e999\""}, {changed("--tc", "0x10"), "\"0x10\""},
        {changed("--station-constants", "1,2,3,4,5,6"), "sete números"},
        {changed("--station-constants", "1,2,3,4,5,6,7,8"), "sete números"},
        {changed("--station-constants", "1,,3,4,5,6,7"), "sete números"},
        {changed("--station-constants", "0.2,-25,20,-0.04,0.08,0.08,0.08"),
         "as constantes de --station-constants foram recusadas: a precipitação pontual de 5 min "
         "para TR 2 anos não é maior que zero."},
        {changed("--station-constants", std::nullopt, {"--own", "-2.3,0.2,25,20"}),
         "as constantes de --own foram recusadas: a precipitação pontual de 5 min não"},
        {changed("--duration", "1h"), "duração desconhecida"},
        {changed("--duration", "13"), "duração desconhecida"},
        {with({"--return-periods", "5,0"}), "\"0\""},
        {with({"--durations", "1 h,3"}), "\"3\" aparece mais de uma vez"},
        {with({"--return-periods", "10,1e1"}), "\"1e1\" aparece mais de uma vez"},
        {{"--study", "--cn", "75", "--area", "50", "--tc", "6", "--own", "1,2,3,4",
          "--return-periods", manyReturnPeriods}, "no máximo 10000 combinações; estas listas dão 10010"},
        {with({"--format", "xml"}), "\"xml\""}, {with({"--format", "svg"}), "dê --output ARQUIVO"},
        {with({"--format", "csv", "--csv-style", "excel"}), "\"excel\""},
        {with({"--csv-style", "planilha"}), "--csv-style só vale com --format csv"},
        {with({"--verbose"}), "opção desconhecida: --verbose"}, {with({"extra"}), "\"extra\""},
        {with({"--river"}), "espera um valor"}, {with({"--cn", "80"}), "mais de uma vez"},
        {with({"--output", ""}), "--output"}, {{"--station", ""}, "--station espera"},
        {{"--list", "postos"}, "stations ou land-classes"},
        {{"--list", "stations", "--zone", "Rural"}, "--list land-classes"},
        {{"--list", "land-classes", "--zone", "Mista"}, "Rural ou Urbana"},
        {with({"--zone", "Rural"}), "--zone só vale"},
        {with({"--list", "stations"}), "não vale com --list"},
        {{"--list", "stations", "--build-database", "o"}, "não ambos"},
        {{"--build-database", "o"}, "--from-access"},
        {{"--build-database", "o", "--stations", "s"}, "--curve-numbers"},
        {{"--build-database", "o", "--from-access", "a", "--stations", "s"}, "não ambos"},
        {{"--build-database", "o", "--from-access", "a", "--river", "b"}, "não vale com"},
        {with({"--stations", "s.csv"}), "só vale com --build-database"},
        {{"--fit-idf", "s.csv", "--year-start", "1.5"}, "de 1 a 12, não \"1.5\""},
        {{"--fit-idf", "s.csv", "--max-missing", "101"}, "de 0 a 100, não \"101\""},
        {{"--fit-idf", "s.csv", "--cn", "75"}, "--cn não vale com --fit-idf"},
        {{"--fit-idf", "s.csv", "--format", "report"}, "text, json ou csv"},
        {with({"--ratios", "r.csv"}), "--ratios só vale com --fit-idf"},
        {with({"--format", "text"}), "text só vale com --fit-idf"}};
    // clang-format on
    for (const auto& [arguments, messagePart] : rows) {
        const ParseResult result = parseArguments(arguments);
        const auto* error = std::get_if<UsageError>(&result);
        ASSERT_NE(error, nullptr) << messagePart;
        EXPECT_NE(error->message.find(messagePart), std::string::npos) << error->message;
    }
}

// The worked example as a study file, K, a, b and c typed once, unused in mode Automatic.
report::StudyInputs workedStudy() {
    report::StudyInputs study = zebtest::workedExampleStudy();
    study.ownConstants = {1, 2, 3, 4};
    return study;
}

ParseResult parsedWithStudy(const Arguments& arguments, const report::StudyInputs& study) {
    return parseArguments(arguments, [&study](const std::string& path) {
        return path == "e.zeb" ? util::Result<report::StudyInputs>(study)
                               : util::Failure{util::Failure::Kind::InvalidInput, "sem " + path};
    });
}

TEST(Options, StudyGivesWhatNoOptionGives) {
    const auto overridden = std::get<CommandOptions>(parsedWithStudy(
        {"--input=e.zeb", "--cn", "80", "--tc", "6", "--station-name", "X", "--own", "5,6,7,8"},
        workedStudy()));
    EXPECT_EQ(overridden.run.curveNumber, 80);
    EXPECT_EQ(overridden.run.concentrationTimeH, 6.0);
    EXPECT_FALSE(overridden.run.channelLengthKm || overridden.run.elevationDropM);
    EXPECT_EQ(overridden.stationText, "X");
    EXPECT_EQ(overridden.constantsSource, ConstantsSource::Own);
    EXPECT_EQ(overridden.run.ownConstants[0], 5);

    // A study's own duration and return period give way to --study's lists.
    EXPECT_TRUE(
        std::get<CommandOptions>(parsedWithStudy({"--input", "e.zeb", "--study"}, workedStudy()))
            .study);

    report::StudyInputs own = workedStudy();
    own.mode = calc::EquationMode::Own;
    const auto typed = std::get<CommandOptions>(parsedWithStudy({"--input", "e.zeb"}, own));
    EXPECT_EQ(typed.constantsSource, ConstantsSource::Own);
    EXPECT_EQ(typed.run.ownConstants[3], 4);

    // An IDF equation's study: line 5 shows the equation, not the station the form still holds.
    report::StudyInputs idf = workedStudy();
    idf.mode = calc::EquationMode::Idf;
    idf.idfConstants = {897.79, 0.1463, 11.83, 0.758};
    const auto equation = std::get<CommandOptions>(parsedWithStudy({"--input", "e.zeb"}, idf));
    EXPECT_EQ(equation.constantsSource, ConstantsSource::Idf);
    EXPECT_EQ(equation.run.idfEquation.t0Min, 11.83);
    EXPECT_FALSE(equation.stationText);

    report::StudyInputs partial = workedStudy();
    partial.drainageAreaKm2.reset();
    EXPECT_EQ(std::get<UsageError>(parsedWithStudy({"--input", "e.zeb"}, partial)).message,
              "falta a opção --area.");
    EXPECT_EQ(std::get<UsageError>(parsedWithStudy({"--input", "x.zeb"}, partial)).message,
              "sem x.zeb");
}

// The help, the manual page and the completion are written from one table: every option has
// its entry there and every entry names an option; the entries line up in the help's columns.
TEST(Options, EveryOptionHasItsHelpEntryInColumns) {
    std::vector<std::string_view> named;
    for (const HelpBlock& block : helpBlocks()) {
        if (block.kind == HelpKind::Entry) {
            const std::string_view name =
                block.heading.substr(0, block.heading.find_first_of(" ,"));
            EXPECT_NE(findCommandOption(name), nullptr) << name;
            named.push_back(name);
        }
    }
    for (const CommandOption& option : commandOptions()) {
        EXPECT_NE(std::ranges::find(named, option.name), named.end()) << option.name;
    }
    const std::string help = helpText();
    for (const char* line : {"\n  --cn CN                número da curva (CN)\n",
                             "\n  --code CÓDIGO          o posto deste código (escrito como "
                             "--list stations o\n                         mostra), escolhido",
                             "\n  --return-periods LISTA tempos de",
                             "\n  --from-access ARQUIVO.mdb\n                         converte"}) {
        EXPECT_NE(help.find(line), std::string::npos) << line;
    }
}

TEST(Locale, NamesAndLocaleDataGiveTheirSeparators) {
    // clang-format off
    const std::pair<const char*, const char*> named[] = {
        {"C", "."}, {"POSIX", "."}, {"C.UTF-8", "."}, {"en_US.UTF-8", "."}, {"pt_BR", ","},
        {"pt_BR.utf8", ","}, {"pt_BR@euro", ","}, {"pt_PT", nullptr}, {"pt_BRA", nullptr},
        {"c", nullptr}, {"", nullptr}, {"pt-BR", ","}, {"en-US", "."}, {"pt-PT", nullptr}};
    // clang-format on
    for (const auto& [name, decimal] : named) {
        const auto style = numberStyleForLocaleName(name);
        ASSERT_EQ(style.has_value(), decimal != nullptr) << name;
        if (style) {
            EXPECT_EQ(style->decimalSeparator, decimal) << name;
            EXPECT_EQ(style->groupSeparator, std::string(decimal) == "," ? "." : ",") << name;
        }
    }
    EXPECT_EQ(numericLocaleName("pt_BR", "C", "C"), "pt_BR");
    EXPECT_EQ(numericLocaleName("", "pt_BR", "C"), "pt_BR");
    EXPECT_EQ(numericLocaleName("", "", "pt_BR"), "pt_BR");
    EXPECT_EQ(systemNumberStyle("xx_YY.UTF-8").decimalSeparator, ".");

    // Separators outside ASCII only from a locale that writes UTF-8.
    // clang-format off
    const std::tuple<const char*, const char*, const char*, const char*, const char*> data[] = {
        {"\u066B", "\u066C", "UTF-8", "\u066B", "\u066C"}, {",", "\xA0", "ISO-8859-1", ",", ""},
        {"\xB7", ".", "ISO-8859-1", ".", ","}, {"\x80", ".", "ISO-8859-1", ".", ","},
        {"", ".", "UTF-8", ".", ","}};
    // clang-format on
    for (const auto& [decimal, group, codeset, shownDecimal, shownGroup] : data) {
        const report::NumberStyle style = numberStyleFromLocaleData(decimal, group, codeset);
        EXPECT_EQ(style.decimalSeparator, shownDecimal) << codeset << " " << decimal;
        EXPECT_EQ(style.groupSeparator, shownGroup) << codeset << " " << decimal;
    }
}

} // namespace
} // namespace cli
