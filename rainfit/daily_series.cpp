#include "rainfit/daily_series.h"

#include "rainfit/series_layouts.h"

namespace rainfit {

namespace {

constexpr std::string_view kHidroWebHeader = "EstacaoCodigo;NivelConsistencia;Data;";

} // namespace

util::Failure unknownLayout() {
    return refused("o arquivo não está num formato conhecido: nem a exportação do HidroWeb "
                   "(linha de cabeçalho \"EstacaoCodigo;NivelConsistencia;Data;…\") nem um CSV "
                   "de duas colunas, data e total diário em mm, com cabeçalho");
}

util::Result<DailySeries> readDailySeries(std::string_view bytes) {
    // The export's notes come before its header, which starts a line of its own.
    std::size_t at = 0;
    for (std::size_t line = 1; at < bytes.size(); ++line) {
        if (bytes.substr(at).starts_with(kHidroWebHeader)) {
            return readHidroWebSeries(bytes.substr(at), line);
        }
        at = bytes.find('\n', at);
        at = at == std::string_view::npos ? bytes.size() : at + 1;
    }
    return readPlainCsvSeries(bytes);
}

} // namespace rainfit
