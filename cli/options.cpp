#include "cli/options.h"

#include "calc/durations.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace cli {

namespace {

UsageError usage(std::string message) {
    return UsageError{std::move(message)};
}

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
        const auto value = parseCommandLineNumber(text.substr(start, end - start));
        if (!value) {
            return std::nullopt;
        }
        values[i] = *value;
        start = end + 1;
    }
    return values;
}

// The options that take a value; every one of them may be given once.
constexpr std::string_view kValueOptions[] = {
    "--duration", "--cn",           "--area",          "--length",
    "--drop",     "--tc",           "--return-period", "--station-constants",
    "--own",      "--station",      "--code",          "--database",
    "--river",    "--station-name", "--format",        "--locale",
    "--output",
};

bool isValueOption(std::string_view name) {
    for (const std::string_view option : kValueOptions) {
        if (option == name) {
            return true;
        }
    }
    return false;
}

// Turns the option/value pairs, already checked for syntax, into options.
class OptionReader {
public:
    std::optional<UsageError> take(const std::string& name, const std::string& value) {
        if (name == "--duration") {
            const auto index = parseDuration(value);
            if (!index) {
                return usage("duração desconhecida: \"" + value +
                             "\" (use \"5 min\", \"15 min\", \"30 min\", \"1 h\", \"2 h\", "
                             "\"4 h\", \"8 h\", \"14 h\", \"24 h\", \"48 h\", \"3 d\", \"4 d\", "
                             "\"6 d\" ou a posição 0 a 12).");
            }
            m_options.durationIndex = *index;
            return std::nullopt;
        }
        if (name == "--cn") {
            return number(name, value, m_options.curveNumber);
        }
        if (name == "--area") {
            return number(name, value, m_options.drainageAreaKm2);
        }
        if (name == "--return-period") {
            return number(name, value, m_options.returnPeriodYears);
        }
        if (name == "--length") {
            return optionalNumber(name, value, m_options.channelLengthKm);
        }
        if (name == "--drop") {
            return optionalNumber(name, value, m_options.elevationDropM);
        }
        if (name == "--tc") {
            return optionalNumber(name, value, m_options.concentrationTimeH);
        }
        if (name == "--station-constants") {
            const auto values = parseNumberList<7>(value);
            if (!values) {
                return usage("--station-constants espera sete números separados por vírgula "
                             "(a,b,c,B5,B15,B30,Bm), não \"" +
                             value + "\".");
            }
            m_options.stationConstants = *values;
            return source(ConstantsSource::StationConstants);
        }
        if (name == "--own") {
            const auto values = parseNumberList<4>(value);
            if (!values) {
                return usage("--own espera quatro números separados por vírgula (K,a,b,c), "
                             "não \"" +
                             value + "\".");
            }
            m_options.ownConstants = *values;
            return source(ConstantsSource::Own);
        }
        if (name == "--station") {
            m_options.stationName = value;
            return source(ConstantsSource::StationName);
        }
        if (name == "--code") {
            m_options.stationCode = value;
            return source(ConstantsSource::StationCode);
        }
        if (name == "--database") {
            m_options.databasePath = value;
            return std::nullopt;
        }
        if (name == "--river") {
            m_options.riverText = value;
            return std::nullopt;
        }
        if (name == "--station-name") {
            m_options.stationText = value;
            return std::nullopt;
        }
        if (name == "--format") {
            if (value == "report") {
                m_options.format = OutputFormat::Report;
            } else if (value == "json") {
                m_options.format = OutputFormat::Json;
            } else if (value == "csv") {
                m_options.format = OutputFormat::Csv;
            } else {
                return usage("formato desconhecido: \"" + value + "\" (use report, json ou csv).");
            }
            return std::nullopt;
        }
        if (name == "--locale") {
            m_options.localeName = value;
            return std::nullopt;
        }
        if (name == "--output") {
            if (value.empty()) {
                return usage("--output espera o nome de um arquivo.");
            }
            m_options.outputPath = value;
            return std::nullopt;
        }
        return usage("opção desconhecida: " + name + ".");
    }

    // The combinations the command needs, checked once every option is read.
    std::optional<UsageError> checkComplete(const std::vector<std::string>& given) const {
        const auto has = [&given](std::string_view name) {
            for (const std::string& option : given) {
                if (option == name) {
                    return true;
                }
            }
            return false;
        };
        for (const std::string_view required :
             {"--duration", "--cn", "--area", "--return-period"}) {
            if (!has(required)) {
                return usage("falta a opção " + std::string(required) + ".");
            }
        }
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
        if (m_sourceCount == 0) {
            return usage("faltam as constantes da equação: dê --station-constants, --own, "
                         "--station ou --code.");
        }
        if (has("--database") && m_options.constantsSource != ConstantsSource::StationName &&
            m_options.constantsSource != ConstantsSource::StationCode) {
            return usage("--database só vale com --station ou --code.");
        }
        return std::nullopt;
    }

    const CommandOptions& options() const { return m_options; }

private:
    std::optional<UsageError> number(const std::string& name, const std::string& value,
                                     double& target) {
        const auto parsed = parseCommandLineNumber(value);
        if (!parsed) {
            return usage(name + " espera um número com ponto decimal, não \"" + value + "\".");
        }
        target = *parsed;
        return std::nullopt;
    }

    std::optional<UsageError> optionalNumber(const std::string& name, const std::string& value,
                                             std::optional<double>& target) {
        double parsed = 0;
        if (auto error = number(name, value, parsed)) {
            return error;
        }
        target = parsed;
        return std::nullopt;
    }

    std::optional<UsageError> source(ConstantsSource chosen) {
        if (++m_sourceCount > 1) {
            return usage("dê uma só origem das constantes: --station-constants, --own, "
                         "--station ou --code.");
        }
        m_options.constantsSource = chosen;
        return std::nullopt;
    }

    CommandOptions m_options;
    int m_sourceCount = 0;
};

} // namespace

std::optional<double> parseCommandLineNumber(const std::string& text) {
    std::string_view digits = text;
    // from_chars takes a minus sign but not a plus.
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
        if (!digits.empty() && digits.front() == '-') {
            return std::nullopt;
        }
    }
    if (digits.empty()) {
        return std::nullopt;
    }
    // Only digits, a period, an exponent and signs: from_chars also reads "inf" and "nan".
    for (const char ch : digits) {
        const bool allowed = (ch >= '0' && ch <= '9') || ch == '.' || ch == 'e' || ch == 'E' ||
                             ch == '-' || ch == '+';
        if (!allowed) {
            return std::nullopt;
        }
    }
    double value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] =
        std::from_chars(digits.data(), end, value, std::chars_format::general);
    if (error != std::errc() || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

ParseResult parseArguments(const std::vector<std::string>& arguments) {
    OptionReader reader;
    std::vector<std::string> given;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            return HelpRequest{};
        }
        // "--name value" or "--name=value".
        std::string name = argument;
        std::optional<std::string> value;
        if (const std::size_t equals = argument.find('=');
            argument.rfind("--", 0) == 0 && equals != std::string::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
        }
        if (!isValueOption(name)) {
            if (argument.rfind("-", 0) == 0) {
                return usage("opção desconhecida: " + name + ".");
            }
            return usage("argumento inesperado: \"" + argument + "\".");
        }
        if (!value) {
            if (i + 1 >= arguments.size()) {
                return usage("a opção " + name + " espera um valor.");
            }
            value = arguments[++i];
        }
        for (const std::string& earlier : given) {
            if (earlier == name) {
                return usage("a opção " + name + " foi dada mais de uma vez.");
            }
        }
        given.push_back(name);
        if (auto error = reader.take(name, *value)) {
            return *error;
        }
    }
    if (auto error = reader.checkComplete(given)) {
        return *error;
    }
    return reader.options();
}

std::string usageSynopsis() {
    return "Uso: zeb-calc --duration D --cn CN --area KM2 (--length KM --drop M | --tc HORAS)\n"
           "                --return-period TR\n"
           "                (--station-constants a,b,c,B5,B15,B30,Bm | --own K,a,b,c |\n"
           "                 --station NOME | --code CÓDIGO [--database ARQUIVO])\n"
           "                [--river TEXTO] [--station-name TEXTO] [--format report|json|csv]\n"
           "                [--locale NOME] [--output ARQUIVO]\n"
           "     zeb-calc --help\n";
}

std::string helpText() {
    return usageSynopsis() +
           "\n"
           "Calcula o hidrograma de cheia de projeto de uma pequena bacia pelo hidrograma\n"
           "unitário triangular sintético, como o comando \"Calcular\" da janela.\n"
           "\n"
           "Opções:\n"
           "  --duration D           duração da chuva unitária: \"5 min\", \"15 min\", \"30 "
           "min\",\n"
           "                         \"1 h\", \"2 h\", \"4 h\", \"8 h\", \"14 h\", \"24 h\", \"48 "
           "h\",\n"
           "                         \"3 d\", \"4 d\", \"6 d\", ou a sua posição de 0 a 12\n"
           "  --cn CN                número da curva (CN)\n"
           "  --area KM2             área de drenagem, km²\n"
           "  --length KM            comprimento do talvegue, km; com --drop, o tempo de\n"
           "  --drop M               concentração é calculado como na janela (desnível em m)\n"
           "  --tc HORAS             tempo de concentração, h, em vez de --length e --drop\n"
           "  --return-period TR     tempo de recorrência, anos\n"
           "  --station-constants a,b,c,B5,B15,B30,Bm\n"
           "                         constantes do posto (equação \"Automática\")\n"
           "  --own K,a,b,c          constantes próprias (equação \"Própria\")\n"
           "  --station NOME, --code CÓDIGO, --database ARQUIVO\n"
           "                         posto do banco de referência (ainda não disponível)\n"
           "  --river TEXTO          nome do rio, impresso no relatório\n"
           "  --station-name TEXTO   nome do posto, impresso no relatório\n"
           "  --format FORMATO       report (padrão): as 47 linhas do relatório exportado,\n"
           "                         em Windows-1252 com CR LF; json: o registro completo do\n"
           "                         cálculo; csv: os 15 passos com o tempo e cada série\n"
           "  --locale NOME          separadores dos números do relatório: C, POSIX ou en_*\n"
           "                         (1,234.50), pt_BR (1.234,50); padrão: o do sistema\n"
           "                         (LC_ALL, LC_NUMERIC ou LANG)\n"
           "  --output ARQUIVO       grava em ARQUIVO em vez da saída padrão; o arquivo é\n"
           "                         substituído por inteiro ou deixado como estava\n"
           "  --help                 mostra esta ajuda\n"
           "\n"
           "Os números usam ponto como separador decimal e são lidos por inteiro (\"2.5\",\n"
           "\"-0.04\", \"1e3\"); um número mal escrito é erro de uso.\n"
           "\n"
           "Ambiente:\n"
           "  ZEB_REPORT_TIMESTAMP   data e hora da primeira linha do relatório\n"
           "                         (\"aaaa-mm-dd hh:mm:ss\"), em vez da hora local atual\n"
           "\n"
           "Códigos de saída:\n"
           "  0  sucesso\n"
           "  1  a saída não pôde ser gravada\n"
           "  2  uso incorreto\n"
           "  3  o cálculo não tem valor para estes dados\n"
           "  4  erro do banco de referência\n";
}

} // namespace cli
