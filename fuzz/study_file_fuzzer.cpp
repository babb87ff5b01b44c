// The study-file reader: any bytes give a study or a reason, never an exception; a reason is one
// line without control characters; a study read has no control character in its texts and
// reads back the same from the bytes the program writes for it.
#include "fuzz/harness.h"
#include "report/study_file.h"

#include <algorithm>
#include <cstdint>

namespace {

bool hasControlCharacter(std::string_view text) {
    return std::ranges::any_of(
        text, [](char ch) { return static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto read =
        report::parseStudyFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read) {
        const std::string& reason = read.failure().message;
        FUZZ_CHECK(!reason.empty() && !hasControlCharacter(reason),
                   "a refusal says why on one line, without control characters");
        return 0;
    }
    const report::StudyInputs& study = *read;
    // Copies: a view of value_or's temporary would outlive it.
    for (const std::string& text :
         {study.river, study.zone.value_or(""), study.landClass.value_or(""),
          study.station ? study.station->code : std::string(),
          study.station ? study.station->name : std::string()}) {
        FUZZ_CHECK(!hasControlCharacter(text), "a study's texts hold no control character");
    }
    const auto again = report::parseStudyFile(report::studyFileBytes(study));
    FUZZ_CHECK(again && *again == study,
               "a study read back from the bytes written for it is the same study");
    return 0;
}
