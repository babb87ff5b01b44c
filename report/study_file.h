#pragma once

#include "calc/record.h"
#include "calc/run_inputs.h"
#include "util/failure.h"
#include "calc/station.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace report {

// Every input of the window's form. An empty optional is a field left empty (or a list with
// nothing chosen); numbers are the values the fields were read as.
struct StudyInputs {
    std::string river;
    calc::EquationMode mode = calc::EquationMode::Automatic;
    // The station the study was made with: its code and name as the lists showed them, and a
    // copy of its constants, so that the study reproduces its report without the database it
    // came from. Its state is not kept.
    std::optional<calc::Station> station;
    std::optional<std::string> zone;
    std::optional<std::string> landClass;
    std::optional<double> curveNumber;
    std::optional<double> drainageAreaKm2;
    std::optional<double> channelLengthKm;
    std::optional<double> elevationDropM;
    std::optional<int> durationIndex; // position in the duration list
    std::optional<double> returnPeriodYears;
    std::array<std::optional<double>, 4> ownConstants; // K, a, b, c as typed in mode Own
    std::array<std::optional<double>, 4> idfConstants; // K, m, t0, n as typed in mode Idf

    bool operator==(const StudyInputs&) const = default;
};

// The study's value of one of the run's inputs (the duration as its list position); none for a
// field left empty, and for tc, which a study does not keep (the window computes it).
std::optional<double> studyInputValue(const StudyInputs& study, calc::RunInputId id);

// An equation's four typed constants when all four are given; none otherwise.
std::optional<std::array<double, 4>>
allConstantsGiven(const std::array<std::optional<double>, 4>& typed);

inline constexpr const char* kStudyFormatName = "zeb-estudo";
// The newest format this program reads and writes: 2 holds an IDF equation. A study without one
// is written as format 1, which the programs before it open too.
inline constexpr int kStudyFormatVersion = 2;

// The study as the bytes of a .zeb file: JSON in UTF-8, numbers as JSON numbers.
std::string studyFileBytes(const StudyInputs& study);

// A study from a file's bytes. Unknown keys are ignored, so that an older program still opens
// what a newer one adds; a newer format version, or anything that is not a whole, well-formed
// study, is refused with the reason in Portuguese.
util::Result<StudyInputs> parseStudyFile(std::string_view bytes);

// Reads and parses a study file; on failure (an invalid input) a message naming the file.
util::Result<StudyInputs> loadStudyFile(const std::filesystem::path& path);

// Writes a study file whole or not at all; on failure a message naming the file.
std::optional<util::Failure> saveStudyFile(const std::filesystem::path& path,
                                           const StudyInputs& study);

} // namespace report
