#include "cli/options.h"

#include "calc/durations.h"
#include "calc/rainfall_check.h"
#include "calc/run_inputs.h"
#include "cli/option_table.h"
#include "numbers/number_reading.h"
#include "util/text.h"

#include <algorithm>
#include <array>
#include <set>
#include <string_view>

namespace cli {

namespace {

UsageError usage(std::string message) {
    return UsageError{std::move(message)};
}

} // namespace

std::optional<int> parseDuration(const std::string& text) {
    if (const auto index = calc::durationIndexOfLabel(text)) {
        return index;
    }
    // Or the list position, 0..12, as plain digits.
    if (text.empty() || text.size() > 2) {
        return std::nullopt;
    }
    int index = 0;
    for (const char ch : text) {
        if (ch < '0' || ch > '9') {
            return std::nullopt;
        }
        index = index * 10 + (ch - '0');
    }
    if (index >= calc::kDurationCount) {
        return std::nullopt;
    }
    return index;
}

namespace {

// A list of exactly N comma-separated numbers.
template <std::size_t N>
std::optional<std::array<double, N>> parseNumberList(const std::string& text) {
    std::array<double, N> values{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < N; ++i) {
        const std::size_t comma = text.find(',', start);
        const bool last = i + 1 == N;
        if (last != (comma == std::string::npos)) {
            return std::nullopt;
        }
        const std::size_t end = last ? text.size() : comma;
        const auto value = calc::parseCompleteNumber(text.substr(start, end - start));
        if (!value) {
            return std::nullopt;
        }
        values[i] = *value;
        start = end + 1;
    }
    return values;
}

// An option's list of constants, or its refusal naming how many and which it expects.
template <std::size_t N>
std::variant<std::array<double, N>, UsageError>
constantList(const std::string& option, const std::string& value,
             const std::array<std::string_view, N>& names, const char* count) {
    if (const auto values = parseNumberList<N>(value)) {
        return *values;
    }
    std::string list;
    for (const std::string_view constant : names) {
        list += (list.empty() ? "" : ",") + std::string(constant);
    }
    return usage(option + " espera " + count + " números separados por vírgula (" + list +
                 "), não " + util::inQuotes(value) + ".");
}

// Whether the option belongs to the use; an unknown option belongs to none.
bool isFor(std::string_view name, unsigned use) {
    const CommandOption* option = findCommandOption(name);
    return option != nullptr && (option->uses & use) != 0;
}

// The options that take a value; every one of them may be given once.
bool isValueOption(std::string_view name) {
    const CommandOption* option = findCommandOption(name);
    return option != nullptr && option->takesValue;
}

// Turns the option/value pairs, already checked for syntax, into options.
class OptionReader {
public:
    std::optional<UsageError> take(const std::string& name, const std::string& value) {
        for (const calc::RunInput& input : calc::kRunInputs) {
            if (name == input.option) {
                return runInput(input, value);
            }
        }
        const auto isOneOf = [&name](std::initializer_list<std::string_view> names) {
            return std::ranges::find(names, name) != names.end();
        };
        if (isOneOf({"--station-constants", "--own", "--idf", "--station", "--code"})) {
            return takeRainfall(name, value);
        }
        if (isOneOf({"--database", "--list", "--zone", "--build-database", "--stations",
                     "--curve-numbers", "--from-access"})) {
            return takeReferenceData(name, value);
        }
        if (isOneOf({"--durations", "--return-periods", "--batch", "--jobs", "--input"})) {
            return takeRunSet(name, value);
        }
        if (isOneOf({"--fit-idf", "--year-start", "--max-missing", "--ratios"})) {
            return takeFitIdf(name, value);
        }
        return takeOutput(name, value);
    }

    // The series an IDF equation is fitted from, and how.
    std::optional<UsageError> takeFitIdf(const std::string& name, const std::string& value) {
        if (name == "--fit-idf") {
            return fileName(name, value, m_fit.seriesPath);
        }
        if (name == "--year-start") {
            const auto month = calc::parseCompleteNumber(value);
            if (!month || *month < 1 || *month > 12 || *month != static_cast<int>(*month)) {
                return usage("--year-start espera o mês em que o ano começa, de 1 a 12, não " +
                             util::inQuotes(value) + ".");
            }
            m_fit.years.firstMonth = static_cast<int>(*month);
            return std::nullopt;
        }
        if (name == "--max-missing") {
            const auto percent = calc::parseCompleteNumber(value);
            if (!percent || *percent < 0 || *percent > 100) {
                return usage("--max-missing espera uma porcentagem de 0 a 100, não " +
                             util::inQuotes(value) + ".");
            }
            m_fit.years.maxMissingPercent = *percent;
            return std::nullopt;
        }
        return fileName(name, value, m_fit.ratiosPath);
    }

    // The rainfall's source: a station's constants, the own equation's, an IDF equation, or a
    // station to look up.
    std::optional<UsageError> takeRainfall(const std::string& name, const std::string& value) {
        if (name == "--station" || name == "--code") {
            return takeStation(name, value);
        }
        if (name == "--station-constants") {
            const auto values = constantList(name, value, calc::kStationConstantNames, "sete");
            if (const auto* refusal = std::get_if<UsageError>(&values)) {
                return *refusal;
            }
            const auto& v = std::get<0>(values);
            m_options.stationConstants = {v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
            return source(ConstantsSource::StationConstants);
        }
        const bool own = name == "--own";
        const auto values = constantList(
            name, value, own ? calc::kOwnConstantNames : calc::kIdfConstantNames, "quatro");
        if (const auto* refusal = std::get_if<UsageError>(&values)) {
            return *refusal;
        }
        if (own) {
            m_options.run.ownConstants = std::get<0>(values);
        } else {
            m_options.run.idfEquation = calc::idfEquationOf(std::get<0>(values));
        }
        return source(own ? ConstantsSource::Own : ConstantsSource::Idf);
    }

    // A station to look up by its name or its code.
    std::optional<UsageError> takeStation(const std::string& name, const std::string& value) {
        if (name == "--station") {
            // The window looks up no station by an empty name.
            if (value.empty()) {
                return usage("--station espera o nome de um posto.");
            }
            m_options.stationName = value;
            return source(ConstantsSource::StationName);
        }
        if (value.empty()) {
            return usage("--code espera o código de um posto.");
        }
        m_options.stationCode = value;
        return source(ConstantsSource::StationCode);
    }

    // stations or land-classes.
    std::optional<UsageError> listKind(const std::string& value) {
        if (value == "stations") {
            m_list.kind = ListKind::Stations;
        } else if (value == "land-classes") {
            m_list.kind = ListKind::LandClasses;
        } else {
            return usage("--list espera stations ou land-classes, não " + util::inQuotes(value) +
                         ".");
        }
        return std::nullopt;
    }

    // The database to read, and what --list and --build-database read and write.
    std::optional<UsageError> takeReferenceData(const std::string& name, const std::string& value) {
        if (name == "--database") {
            if (value.empty()) {
                return usage("--database espera o nome de um arquivo.");
            }
            m_options.databasePath = value;
            m_list.databasePath = value;
            m_batch.databasePath = value;
            return std::nullopt;
        }
        if (name == "--list") {
            return listKind(value);
        }
        if (name == "--zone") {
            // The window's zone list holds exactly these two texts.
            if (value != "Rural" && value != "Urbana") {
                return usage("--zone espera Rural ou Urbana, não " + util::inQuotes(value) + ".");
            }
            m_list.zone = value;
            return std::nullopt;
        }
        if (name == "--build-database") {
            return fileName(name, value, m_build.outputPath);
        }
        if (name == "--stations") {
            return fileName(name, value, m_build.stationsCsv);
        }
        if (name == "--curve-numbers") {
            return fileName(name, value, m_build.curveNumbersCsv);
        }
        return fileName(name, value, m_build.accessPath);
    }

    // What a study, a batch or a study file runs over.
    std::optional<UsageError> takeRunSet(const std::string& name, const std::string& value) {
        if (name == "--durations") {
            return durations(value);
        }
        if (name == "--return-periods") {
            return returnPeriods(value);
        }
        if (name == "--batch") {
            return fileName(name, value, m_batch.inputPath);
        }
        if (name == "--jobs") {
            if (value.empty() || value.size() > 3 ||
                value.find_first_not_of("0123456789") != std::string::npos ||
                std::stoi(value) < 1 || std::stoi(value) > 256) {
                return usage("--jobs espera um número inteiro de 1 a 256, não " +
                             util::inQuotes(value) + ".");
            }
            m_batch.jobs = std::stoi(value);
            return std::nullopt;
        }
        return fileName(name, value, m_options.inputPath);
    }

    // report, json, csv, png, svg or pdf.
    std::optional<UsageError> format(const std::string& value) {
        m_formatGiven = true;
        if (value == "report") {
            m_options.format = OutputFormat::Report;
        } else if (value == "json") {
            m_options.format = OutputFormat::Json;
        } else if (value == "csv") {
            m_options.format = OutputFormat::Csv;
        } else if (value == "png") {
            m_options.format = OutputFormat::Png;
        } else if (value == "svg") {
            m_options.format = OutputFormat::Svg;
        } else if (value == "pdf") {
            m_options.format = OutputFormat::Pdf;
        } else if (value == "text") {
            m_options.format = OutputFormat::Text;
        } else {
            return usage("formato desconhecido: " + util::inQuotes(value) +
                         " (use report, json, csv, png, svg ou pdf; com --fit-idf, text, json "
                         "ou csv).");
        }
        return std::nullopt;
    }

    // What a run writes, and where.
    std::optional<UsageError> takeOutput(const std::string& name, const std::string& value) {
        if (name == "--river") {
            m_options.riverText = value;
            return std::nullopt;
        }
        if (name == "--station-name") {
            m_options.stationText = value;
            return std::nullopt;
        }
        if (name == "--format") {
            return format(value);
        }
        if (name == "--csv-style") {
            if (value == "padrao") {
                m_options.csvStyle = report::CsvStyle::standard();
            } else if (value == "planilha") {
                m_options.csvStyle = report::CsvStyle::spreadsheet();
            } else {
                return usage("estilo de csv desconhecido: " + util::inQuotes(value) +
                             " (use padrao ou planilha).");
            }
            return std::nullopt;
        }
        if (name == "--locale") {
            m_options.localeName = value;
            return std::nullopt;
        }
        if (name == "--output") {
            std::string path;
            if (auto error = fileName(name, value, path)) {
                return error;
            }
            m_options.outputPath = path;
            m_batch.outputPath = path;
            return std::nullopt;
        }
        return usage("opção desconhecida: " + util::printable(name) + ".");
    }

    // --study: the study's lists start as the defaults, and its output as CSV.
    void takeStudy() {
        m_options.study = true;
        if (m_options.studyDurations.empty()) {
            for (int index = 0; index < calc::kDurationCount; ++index) {
                m_options.studyDurations.push_back(index);
            }
        }
        if (m_options.studyReturnPeriods.empty()) {
            m_options.studyReturnPeriods.assign(std::begin(kDefaultStudyReturnPeriods),
                                                std::end(kDefaultStudyReturnPeriods));
        }
        if (!m_formatGiven) {
            m_options.format = OutputFormat::Csv;
        }
    }

    // The study's inputs where no option gives them, each counted as given.
    void takeStudyFile(const report::StudyInputs& study, std::vector<std::string>& given) {
        if (!contains(given, "--river")) {
            m_options.riverText = study.river;
        }
        for (const calc::RunInput& input : calc::kRunInputs) {
            // A study runs its own lists of durations and return periods.
            const bool single = input.id == calc::RunInputId::Duration ||
                                input.id == calc::RunInputId::ReturnPeriod;
            const bool channel = input.id == calc::RunInputId::ChannelLength ||
                                 input.id == calc::RunInputId::ElevationDrop;
            const auto value = report::studyInputValue(study, input.id);
            if (!value || contains(given, input.option) || (m_options.study && single) ||
                (channel && contains(given, "--tc"))) {
                continue;
            }
            calc::setRunInput(m_options.run, input.id, *value);
            given.emplace_back(input.option);
        }
        if (m_sourceCount == 0) {
            takeStudyConstants(study);
        }
        // The station's name is line 5 of the report, unless an IDF equation fills it.
        if (!contains(given, "--station-name") && study.station &&
            m_options.run.mode != calc::EquationMode::Idf) {
            m_options.stationText = study.station->name;
        }
    }

    // The study's source of the rainfall, when all its constants are given.
    void takeStudyConstants(const report::StudyInputs& study) {
        const auto own = report::allConstantsGiven(study.ownConstants);
        const auto idf = report::allConstantsGiven(study.idfConstants);
        if (study.mode == calc::EquationMode::Own && own) {
            m_options.run.ownConstants = *own;
            (void)source(ConstantsSource::Own);
        } else if (study.mode == calc::EquationMode::Idf && idf) {
            m_options.run.idfEquation = calc::idfEquationOf(*idf);
            (void)source(ConstantsSource::Idf);
        } else if (study.mode == calc::EquationMode::Automatic && study.station &&
                   study.station->coefficients()) {
            m_options.stationConstants = *study.station->coefficients();
            (void)source(ConstantsSource::StationConstants);
        }
    }

    // What the command line asks for, once every option is read: a list, a database to
    // build, or a run, each with the options it needs and no option of another use.
    ParseResult finish(const std::vector<std::string>& given) const {
        const auto has = [&given](std::string_view name) { return contains(given, name); };
        if (has("--fit-idf")) {
            return finishFitIdf(given);
        }
        for (const std::string& option : given) {
            if (findCommandOption(option)->uses == kUseFitIdf) {
                return usage(option + " só vale com --fit-idf.");
            }
        }
        if (has("--list") && has("--build-database")) {
            return usage("dê --list ou --build-database, não ambos.");
        }
        if (has("--list")) {
            return finishList(given);
        }
        if (has("--build-database")) {
            return finishBuild(given);
        }
        if (has("--batch")) {
            return finishBatch(given);
        }
        if (has("--jobs")) {
            return usage("--jobs só vale com --batch.");
        }
        if (has("--zone")) {
            return usage("--zone só vale com --list land-classes.");
        }
        for (const std::string& option : given) {
            if (isFor(option, kUseBuild)) {
                return usage(option + " só vale com --build-database.");
            }
        }
        if (auto error = checkRun(given)) {
            return *error;
        }
        return m_options;
    }

    const std::optional<std::string>& inputPath() const { return m_options.inputPath; }

private:
    ParseResult finishList(const std::vector<std::string>& given) const {
        for (const std::string& option : given) {
            if (!isFor(option, kUseList)) {
                return usage("a opção " + option + " não vale com --list.");
            }
        }
        if (m_list.zone && m_list.kind != ListKind::LandClasses) {
            return usage("--zone só vale com --list land-classes.");
        }
        return m_list;
    }

    ParseResult finishBatch(const std::vector<std::string>& given) const {
        for (const std::string& option : given) {
            if (!isFor(option, kUseBatch)) {
                return usage("a opção " + option + " não vale com --batch.");
            }
        }
        return m_batch;
    }

    ParseResult finishFitIdf(const std::vector<std::string>& given) const {
        for (const std::string& option : given) {
            if (!isFor(option, kUseFitIdf)) {
                return usage("a opção " + option + " não vale com --fit-idf.");
            }
        }
        FitIdfRequest request = m_fit;
        if (m_formatGiven) {
            request.format = m_options.format;
        }
        if (request.format != OutputFormat::Text && request.format != OutputFormat::Json &&
            request.format != OutputFormat::Csv) {
            return usage("--fit-idf escreve text, json ou csv.");
        }
        request.localeName = m_options.localeName;
        request.outputPath = m_options.outputPath;
        return request;
    }

    ParseResult finishBuild(const std::vector<std::string>& given) const {
        for (const std::string& option : given) {
            if (!isFor(option, kUseBuild)) {
                return usage("a opção " + option + " não vale com --build-database.");
            }
        }
        const bool fromCsv = !m_build.stationsCsv.empty() || !m_build.curveNumbersCsv.empty();
        if (m_build.accessPath && fromCsv) {
            return usage("dê --from-access ou --stations e --curve-numbers, não ambos.");
        }
        if (!m_build.accessPath &&
            (m_build.stationsCsv.empty() || m_build.curveNumbersCsv.empty())) {
            return usage("--build-database espera --stations e --curve-numbers, ou "
                         "--from-access.");
        }
        return m_build;
    }

    static bool contains(const std::vector<std::string>& given, std::string_view name) {
        for (const std::string& option : given) {
            if (option == name) {
                return true;
            }
        }
        return false;
    }

    // The checks of a run's or a study's options, in the order their messages are given.
    std::optional<UsageError> checkRun(const std::vector<std::string>& given) const {
        using Check =
            std::optional<UsageError> (OptionReader::*)(const std::vector<std::string>&) const;
        for (const Check check :
             {&OptionReader::checkRunSet, &OptionReader::checkRequired,
              &OptionReader::checkConcentrationTime, &OptionReader::checkConstantsGiven,
              &OptionReader::checkOutput, &OptionReader::checkConstants}) {
            if (auto error = (this->*check)(given)) {
                return error;
            }
        }
        return std::nullopt;
    }

    // A study runs every duration and return period of its lists; a single run takes none of
    // the study's options.
    std::optional<UsageError> checkRunSet(const std::vector<std::string>& given) const {
        const auto has = [&given](std::string_view name) { return contains(given, name); };
        if (!m_options.study) {
            for (const CommandOption& option : commandOptions()) {
                if ((option.uses & kUseStudyOnly) != 0 && has(option.name)) {
                    return usage(std::string(option.name) + " só vale com --study.");
                }
            }
            return std::nullopt;
        }
        for (const std::string_view single : {"--duration", "--return-period"}) {
            if (has(single)) {
                return usage(std::string(single) + " não vale com --study: dê --durations "
                                                   "e --return-periods.");
            }
        }
        const bool text =
            m_options.format == OutputFormat::Csv || m_options.format == OutputFormat::Json;
        if (has("--format") && !text) {
            return usage("--study escreve csv ou json.");
        }
        const std::size_t cells =
            m_options.studyDurations.size() * m_options.studyReturnPeriods.size();
        if (cells > kMaxStudyCells) {
            return usage("--study calcula no máximo " + std::to_string(kMaxStudyCells) +
                         " combinações; estas listas dão " + std::to_string(cells) +
                         " (durações × tempos de recorrência).");
        }
        return std::nullopt;
    }

    // The return period plays no part with the typed K, a, b, c; a study has its own lists.
    std::optional<UsageError> checkRequired(const std::vector<std::string>& given) const {
        const bool own = m_options.constantsSource == ConstantsSource::Own;
        for (const std::string_view required :
             {"--duration", "--cn", "--area", "--return-period"}) {
            const bool single = required == "--duration" || required == "--return-period";
            if (!contains(given, required) && !(own && required == "--return-period") &&
                !(m_options.study && single)) {
                return usage("falta a opção " + std::string(required) + ".");
            }
        }
        return std::nullopt;
    }

    std::optional<UsageError> checkConcentrationTime(const std::vector<std::string>& given) const {
        const auto has = [&given](std::string_view name) { return contains(given, name); };
        const bool lengthAndDrop = has("--length") || has("--drop");
        if (lengthAndDrop && has("--tc")) {
            return usage("dê o comprimento e o desnível (--length e --drop) ou o tempo de "
                         "concentração (--tc), não ambos.");
        }
        if (lengthAndDrop && !(has("--length") && has("--drop"))) {
            return usage("--length e --drop são dados juntos.");
        }
        if (!lengthAndDrop && !has("--tc")) {
            return usage("falta o tempo de concentração: dê --length e --drop, ou --tc.");
        }
        return std::nullopt;
    }

    std::optional<UsageError> checkConstantsGiven(const std::vector<std::string>&) const {
        if (m_sourceCount == 0) {
            return usage("faltam as constantes da equação: dê --station-constants, --own, "
                         "--idf, --station ou --code.");
        }
        return std::nullopt;
    }

    std::optional<UsageError> checkOutput(const std::vector<std::string>& given) const {
        if (m_options.format == OutputFormat::Text) {
            return usage("o formato text só vale com --fit-idf.");
        }
        if (contains(given, "--csv-style") && m_options.format != OutputFormat::Csv) {
            return usage("--csv-style só vale com --format csv.");
        }
        // A picture or a PDF on a terminal or in a pipe is of no use and easily lost.
        const bool chart = m_options.format == OutputFormat::Png ||
                           m_options.format == OutputFormat::Svg ||
                           m_options.format == OutputFormat::Pdf;
        if (chart && !contains(given, "--output")) {
            return usage("os formatos png, svg e pdf gravam um arquivo: dê --output ARQUIVO.");
        }
        return std::nullopt;
    }

    // Constants that give no possible rainfall are refused as the values they are.
    std::optional<UsageError> checkConstants(const std::vector<std::string>& given) const {
        if (m_options.constantsSource == ConstantsSource::StationConstants) {
            if (auto refusal = calc::stationRainfallRefusal(m_options.stationConstants)) {
                return usage("as constantes de --station-constants foram recusadas: " + *refusal +
                             ".");
            }
        } else if (m_options.constantsSource == ConstantsSource::Own) {
            if (auto refusal = calc::ownRainfallRefusal(m_options.run.ownConstants)) {
                return usage("as constantes de --own foram recusadas: " + *refusal + ".");
            }
        } else if (m_options.constantsSource == ConstantsSource::Idf) {
            if (auto refusal = calc::idfRainfallRefusal(m_options.run.idfEquation)) {
                return usage("as constantes de --idf foram recusadas: " + *refusal + ".");
            }
        }
        if (contains(given, "--database") &&
            m_options.constantsSource != ConstantsSource::StationName &&
            m_options.constantsSource != ConstantsSource::StationCode) {
            return usage("--database só vale com --station, --code ou --list.");
        }
        return std::nullopt;
    }

    // "all" or comma-separated duration labels or positions, each once.
    std::optional<UsageError> durations(const std::string& value) {
        if (value == "all") {
            return std::nullopt; // the default list
        }
        std::vector<int> indexes;
        std::size_t start = 0;
        while (true) {
            const std::size_t comma = value.find(',', start);
            const std::string label = value.substr(start, comma - start);
            const auto index = parseDuration(std::string(util::trimmed(label)));
            if (!index) {
                return usage("--durations: duração desconhecida " + util::inQuotes(label) +
                             " (use os rótulos de --duration, separados por vírgula, ou all).");
            }
            if (std::ranges::find(indexes, *index) != indexes.end()) {
                return usage("--durations: a duração " + util::inQuotes(label) +
                             " aparece mais de uma vez.");
            }
            indexes.push_back(*index);
            if (comma == std::string::npos) {
                break;
            }
            start = comma + 1;
        }
        m_options.studyDurations = indexes;
        return std::nullopt;
    }

    std::optional<UsageError> returnPeriods(const std::string& value) {
        std::vector<double> years;
        std::set<double> distinct;
        std::size_t start = 0;
        while (true) {
            const std::size_t comma = value.find(',', start);
            const std::string text = value.substr(start, comma - start);
            const auto parsed = calc::parseCompleteNumber(text);
            if (!parsed || *parsed <= 0) {
                return usage("--return-periods espera tempos de recorrência maiores que 0, em "
                             "anos, separados por vírgula; " +
                             util::inQuotes(text) + " não é um deles.");
            }
            if (!distinct.insert(*parsed).second) {
                return usage("--return-periods: o tempo de recorrência " + util::inQuotes(text) +
                             " aparece mais de uma vez.");
            }
            years.push_back(*parsed);
            if (comma == std::string::npos) {
                break;
            }
            start = comma + 1;
        }
        m_options.studyReturnPeriods = years;
        return std::nullopt;
    }

    std::optional<UsageError> fileName(const std::string& name, const std::string& value,
                                       std::string& target) const {
        if (value.empty()) {
            return usage(name + " espera o nome de um arquivo.");
        }
        target = value;
        return std::nullopt;
    }

    std::optional<UsageError> fileName(const std::string& name, const std::string& value,
                                       std::optional<std::string>& target) const {
        std::string path;
        if (auto error = fileName(name, value, path)) {
            return error;
        }
        target = path;
        return std::nullopt;
    }

    std::optional<UsageError> number(const std::string& name, const std::string& value,
                                     double& target) {
        const auto parsed = calc::parseCompleteNumber(value);
        if (!parsed) {
            return usage(name + " espera um número com ponto decimal, não " +
                         util::inQuotes(value) + ".");
        }
        target = *parsed;
        return std::nullopt;
    }

    // One of the run's inputs, read by its rule.
    std::optional<UsageError> runInput(const calc::RunInput& input, const std::string& value) {
        double read = 0;
        if (input.reading == calc::InputReading::Duration) {
            const auto index = parseDuration(value);
            if (!index) {
                return usage("duração desconhecida: " + util::inQuotes(value) +
                             " (use \"5 min\", \"15 min\", \"30 min\", \"1 h\", \"2 h\", "
                             "\"4 h\", \"8 h\", \"14 h\", \"24 h\", \"48 h\", \"3 d\", \"4 d\", "
                             "\"6 d\" ou a posição 0 a 12).");
            }
            read = *index;
        } else if (auto error = number(std::string(input.option), value, read)) {
            return error;
        }
        calc::setRunInput(m_options.run, input.id, read);
        return std::nullopt;
    }

    std::optional<UsageError> source(ConstantsSource chosen) {
        if (++m_sourceCount > 1) {
            return usage("dê uma só origem das constantes: --station-constants, --own, --idf, "
                         "--station ou --code.");
        }
        m_options.constantsSource = chosen;
        m_options.run.mode = chosen == ConstantsSource::Own   ? calc::EquationMode::Own
                             : chosen == ConstantsSource::Idf ? calc::EquationMode::Idf
                                                              : calc::EquationMode::Automatic;
        return std::nullopt;
    }

    CommandOptions m_options;
    BatchRequest m_batch;
    bool m_formatGiven = false;
    ListRequest m_list;
    BuildDatabaseRequest m_build;
    FitIdfRequest m_fit;
    int m_sourceCount = 0;
};

// The option at `i` and its value: "--name value" (the value the next argument, and `i`
// moves to it) or "--name=value"; or why it cannot be read.
std::variant<std::pair<std::string, std::string>, UsageError>
optionAndValue(const std::vector<std::string>& arguments, std::size_t& i) {
    const std::string& argument = arguments[i];
    std::string name = argument;
    std::optional<std::string> value;
    if (const std::size_t equals = argument.find('=');
        argument.rfind("--", 0) == 0 && equals != std::string::npos) {
        name = argument.substr(0, equals);
        value = argument.substr(equals + 1);
    }
    if (!isValueOption(name)) {
        if (argument.rfind("-", 0) == 0) {
            return usage("opção desconhecida: " + util::printable(name) + ".");
        }
        return usage("argumento inesperado: " + util::inQuotes(argument) + ".");
    }
    if (!value) {
        if (i + 1 >= arguments.size()) {
            return usage("a opção " + name + " espera um valor.");
        }
        value = arguments[++i];
    }
    return std::pair{name, *value};
}

// The study file of --input, read into `reader`; or why it cannot be.
std::optional<UsageError> takeInputStudy(OptionReader& reader, const StudyLoader& loadStudy,
                                         std::vector<std::string>& given) {
    const auto& input = reader.inputPath();
    if (!input) {
        return std::nullopt;
    }
    if (!loadStudy) {
        return usage("aqui o zeb-calc não lê estudos (--input).");
    }
    const auto loaded = loadStudy(*input);
    if (!loaded) {
        return usage(loaded.failure().message);
    }
    reader.takeStudyFile(*loaded, given);
    return std::nullopt;
}

bool wasGiven(const std::vector<std::string>& given, const std::string& name) {
    return std::find(given.begin(), given.end(), name) != given.end();
}

} // namespace

ParseResult parseArguments(const std::vector<std::string>& arguments,
                           const StudyLoader& loadStudy) {
    OptionReader reader;
    std::vector<std::string> given;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            return HelpRequest{};
        }
        const auto option = argument == "--study" ? std::pair{argument, std::string()}
                                                  : optionAndValue(arguments, i);
        if (const auto* refusal = std::get_if<UsageError>(&option)) {
            return *refusal;
        }
        const auto& [name, value] = std::get<0>(option);
        if (wasGiven(given, name)) {
            return usage("a opção " + name + " foi dada mais de uma vez.");
        }
        given.push_back(name);
        if (name == "--study") {
            continue;
        }
        if (auto error = reader.take(name, value)) {
            return *error;
        }
    }
    if (wasGiven(given, "--study")) {
        reader.takeStudy();
    }
    if (auto error = takeInputStudy(reader, loadStudy, given)) {
        return *error;
    }
    return reader.finish(given);
}

} // namespace cli
