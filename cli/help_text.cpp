#include "cli/help_text.h"

#include "cli/option_table.h"
#include "util/utf8.h"

namespace cli {

std::string usageSynopsis() {
    return R"(Uso: zeb-calc --duration D --cn CN --area KM2 (--length KM --drop M | --tc HORAS)
                --return-period TR
                (--station-constants a,b,c,B5,B15,B30,Bm | --own K,a,b,c |
                 --idf K,m,t0,n | --station NOME |
                 --code CÓDIGO [--database ARQUIVO])
                [--river TEXTO] [--station-name TEXTO]
                [--format report|json|csv|png|svg|pdf] [--csv-style ESTILO]
                [--locale NOME] [--output ARQUIVO]
     zeb-calc --input ESTUDO.zeb [opções do cálculo acima, que mudam o estudo]
     zeb-calc --study --cn CN --area KM2 (--length KM --drop M | --tc HORAS)
                (--station-constants ... | --own ... | --idf ... |
                 --station NOME | --code CÓDIGO [--database ARQUIVO])
                [--durations LISTA] [--return-periods LISTA]
                [--format csv|json] [--csv-style ESTILO] [--output ARQUIVO]
     zeb-calc --batch BACIAS.csv [--database ARQUIVO] [--output ARQUIVO]
                [--jobs N]
     zeb-calc --list stations|land-classes [--zone Rural|Urbana]
                [--database ARQUIVO]
     zeb-calc --build-database SAÍDA.sqlite
                (--stations POSTOS.csv --curve-numbers CN.csv |
                 --from-access ARQUIVO.mdb)
     zeb-calc --help
)";
}

std::string helpText() {
    // An entry's description starts in this column; a longer heading stands on its own line.
    constexpr std::size_t kDescriptionColumn = 25;
    const std::string indent(kDescriptionColumn, ' ');
    std::string text = usageSynopsis();
    for (const HelpBlock& block : helpBlocks()) {
        if (block.kind != HelpKind::Entry) {
            text += block.text;
            continue;
        }
        text += "  " + std::string(block.heading);
        const std::size_t width = 2 + util::characterCount(block.heading);
        text += width < kDescriptionColumn ? std::string(kDescriptionColumn - width, ' ')
                                           : "\n" + indent;
        for (const char ch : block.text) {
            text += ch;
            if (ch == '\n') {
                text += indent;
            }
        }
        text += '\n';
    }
    return text;
}

} // namespace cli
