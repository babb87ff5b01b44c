#pragma once

#include "calc/record.h"
#include "calc/run_request.h"
#include "calc/study.h"
#include "rainfit/annual_maxima.h"
#include "report/csv_style.h"
#include "report/study_file.h"

#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace cli {

// Report, json and csv are text; png, svg and pdf draw the hydrograph chart and need --output;
// text is --fit-idf's analysis for a person.
enum class OutputFormat { Report, Json, Csv, Png, Svg, Pdf, Text };

// Where the rainfall relation's constants come from.
enum class ConstantsSource {
    StationConstants, // --station-constants a,b,c,B5,B15,B30,Bm, or a study's copy (Automatic)
    Own,              // --own K,a,b,c (mode Own)
    Idf,              // --idf K,m,t0,n (mode Idf)
    StationName,      // --station NAME, from the reference database
    StationCode,      // --code CODE, from the reference database
};

// One zeb-calc invocation, every value already checked and converted.
struct CommandOptions {
    // The basin, the duration and return period, the mode and --own's or --idf's constants;
    // the station is chosen once the options are read, from constantsSource.
    calc::RunRequest run;

    ConstantsSource constantsSource = ConstantsSource::StationConstants;
    calc::StationCoefficients stationConstants; // empty only when a study's copy has a null
    std::string stationName;                    // --station
    std::string stationCode;                    // --code
    std::optional<std::string> databasePath;    // --database

    std::string riverText;
    std::optional<std::string> stationText; // none: the database station's name, if any
    OutputFormat format = OutputFormat::Report;
    report::CsvStyle csvStyle;             // --csv-style: padrao (this default) or planilha
    std::optional<std::string> localeName; // none: the system's
    std::optional<std::string> outputPath; // none: standard output
    std::optional<std::string> inputPath;  // --input: the study file the inputs came from

    // --study: every duration and return period of these lists instead of one run.
    bool study = false;
    std::vector<int> studyDurations;
    std::vector<double> studyReturnPeriods;
};

// The most cells (durations × return periods) one --study computes: far more than a table an
// engineer reads, few enough to run in seconds.
inline constexpr std::size_t kMaxStudyCells = 10000;

// The study's lists when --durations and --return-periods are not given.
using calc::kDefaultStudyReturnPeriods;

// --batch FILE [--database FILE] [--output FILE] [--jobs N]
struct BatchRequest {
    std::string inputPath;
    std::optional<std::string> databasePath;
    std::optional<std::string> outputPath; // none: standard output
    int jobs = 1;
};

// --fit-idf SERIES [--year-start MONTH] [--max-missing PERCENT] [--ratios FILE]
// [--format text|json|csv] [--locale NAME] [--output FILE]
struct FitIdfRequest {
    std::string seriesPath;
    rainfit::YearRule years;
    std::optional<std::string> ratiosPath; // none: the CETESB ratios
    OutputFormat format = OutputFormat::Text;
    std::optional<std::string> localeName; // none: the system's
    std::optional<std::string> outputPath; // none: standard output
};

struct HelpRequest {};

enum class ListKind { Stations, LandClasses };

// --list stations|land-classes [--zone Rural|Urbana] [--database FILE]
struct ListRequest {
    ListKind kind = ListKind::Stations;
    std::optional<std::string> zone; // land classes of this zone only
    std::optional<std::string> databasePath;
};

// --build-database OUT (--stations FILE --curve-numbers FILE | --from-access FILE)
struct BuildDatabaseRequest {
    std::string outputPath;
    std::string stationsCsv; // with curveNumbersCsv, when accessPath is none
    std::string curveNumbersCsv;
    std::optional<std::string> accessPath;
};

// What is wrong with the command line, in Portuguese, ready for stderr.
struct UsageError {
    std::string message;
};

using ParseResult = std::variant<CommandOptions, HelpRequest, UsageError, ListRequest,
                                 BuildDatabaseRequest, BatchRequest, FitIdfRequest>;

// Reads a study file by name for --input; on failure, the message naming the file.
using StudyLoader = std::function<util::Result<report::StudyInputs>(const std::string& path)>;

// Reads the arguments after the program name. --input's study gives every input that no option
// gives: the options override single inputs of the study, and a source of the constants
// replaces the study's station or own constants. Reads nothing but its arguments and the study
// through `loadStudy` (without it --input is refused), and never throws.
ParseResult parseArguments(const std::vector<std::string>& arguments,
                           const StudyLoader& loadStudy = {});

// A duration as the command line takes it: its label ("1 h") or its list position, 0..12.
std::optional<int> parseDuration(const std::string& text);

} // namespace cli
