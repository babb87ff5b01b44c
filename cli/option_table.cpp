#include "cli/option_table.h"

#include "calc/run_inputs.h"

#include <array>

namespace cli {

namespace {

using calc::RunInputId;

constexpr std::string_view option(RunInputId id) {
    return calc::kRunInputs[static_cast<std::size_t>(id)].option;
}

constexpr unsigned kEveryUse = kUseRun | kUseList | kUseBuild | kUseBatch | kUseFitIdf;

constexpr std::array kOptions = {
    CommandOption{option(RunInputId::Duration), true, kUseRun},
    CommandOption{option(RunInputId::CurveNumber), true, kUseRun},
    CommandOption{option(RunInputId::DrainageArea), true, kUseRun},
    CommandOption{option(RunInputId::ChannelLength), true, kUseRun},
    CommandOption{option(RunInputId::ElevationDrop), true, kUseRun},
    CommandOption{option(RunInputId::ConcentrationTime), true, kUseRun},
    CommandOption{option(RunInputId::ReturnPeriod), true, kUseRun},
    CommandOption{"--station-constants", true, kUseRun},
    CommandOption{"--own", true, kUseRun},
    CommandOption{"--idf", true, kUseRun},
    CommandOption{"--station", true, kUseRun},
    CommandOption{"--code", true, kUseRun},
    CommandOption{"--database", true, kUseRun | kUseList | kUseBatch},
    CommandOption{"--river", true, kUseRun},
    CommandOption{"--station-name", true, kUseRun},
    CommandOption{"--format", true, kUseRun | kUseFitIdf},
    CommandOption{"--csv-style", true, kUseRun},
    CommandOption{"--locale", true, kUseRun | kUseFitIdf},
    CommandOption{"--output", true, kUseRun | kUseBatch | kUseFitIdf},
    CommandOption{"--list", true, kUseList},
    CommandOption{"--zone", true, kUseList},
    CommandOption{"--build-database", true, kUseBuild},
    CommandOption{"--stations", true, kUseBuild},
    CommandOption{"--curve-numbers", true, kUseBuild},
    CommandOption{"--from-access", true, kUseBuild},
    CommandOption{"--study", false, kUseRun},
    CommandOption{"--durations", true, kUseStudyOnly},
    CommandOption{"--return-periods", true, kUseStudyOnly},
    CommandOption{"--batch", true, kUseBatch},
    CommandOption{"--jobs", true, kUseBatch},
    CommandOption{"--input", true, kUseRun},
    CommandOption{"--fit-idf", true, kUseFitIdf},
    CommandOption{"--year-start", true, kUseFitIdf},
    CommandOption{"--max-missing", true, kUseFitIdf},
    CommandOption{"--ratios", true, kUseFitIdf},
    CommandOption{"--help", false, kEveryUse},
};

constexpr std::array kHelp = {
    HelpBlock{
        HelpKind::Intro, "",
        "\n"
        "Calcula o hidrograma de cheia de projeto de uma pequena bacia pelo hidrograma\n"
        "unitário triangular sintético, como o comando \"Calcular\" da janela. Também lista e\n"
        "cria o banco de referência (postos e números da curva).\n"},
    HelpBlock{HelpKind::Section, "",
              "\n"
              "Cálculo:\n"},
    HelpBlock{HelpKind::Entry, "--duration D",
              "duração da chuva unitária: \"5 min\", \"15 min\", \"30 min\",\n"
              "\"1 h\", \"2 h\", \"4 h\", \"8 h\", \"14 h\", \"24 h\", \"48 h\",\n"
              "\"3 d\", \"4 d\", \"6 d\", ou a sua posição de 0 a 12"},
    HelpBlock{HelpKind::Entry, "--cn CN", "número da curva (CN)"},
    HelpBlock{HelpKind::Entry, "--area KM2", "área de drenagem, km²"},
    HelpBlock{HelpKind::Entry, "--length KM",
              "comprimento do talvegue, km; com --drop, o tempo de"},
    HelpBlock{HelpKind::Entry, "--drop M",
              "concentração é calculado como na janela (desnível em m)", true},
    HelpBlock{HelpKind::Entry, "--tc HORAS",
              "tempo de concentração, h, em vez de --length e --drop"},
    HelpBlock{HelpKind::Entry, "--return-period TR",
              "tempo de recorrência, anos (dispensável com --own, que não\n"
              "o usa)"},
    HelpBlock{HelpKind::Entry, "--station-constants a,b,c,B5,B15,B30,Bm",
              "constantes do posto (equação \"Automática\")"},
    HelpBlock{HelpKind::Entry, "--own K,a,b,c", "constantes próprias (equação \"Própria\")"},
    HelpBlock{HelpKind::Entry, "--idf K,m,t0,n",
              "equação de intensidade, duração e frequência\n"
              "i = K·TR^m/(t+t0)^n (equação \"Equação IDF\"), com i em\n"
              "mm/h, t e t0 em min e TR em anos"},
    HelpBlock{HelpKind::Entry, "--station NOME",
              "constantes do posto com este nome no banco de referência\n"
              "(equação \"Automática\"); havendo dois postos com o mesmo\n"
              "nome, vale o primeiro, como na janela"},
    HelpBlock{HelpKind::Entry, "--code CÓDIGO",
              "o posto deste código (escrito como --list stations o\n"
              "mostra), escolhido como na janela: vale o primeiro\n"
              "posto com o nome deste código; se ele for de outro\n"
              "código, um aviso sai na saída de erros"},
    HelpBlock{HelpKind::Entry, "--database ARQUIVO",
              "banco de referência a usar (SQLite ou Access .mdb/.accdb,\n"
              "reconhecido pelo conteúdo); sem ele, o primeiro que existir\n"
              "de zeb.mdb e zeb.sqlite na pasta do programa e depois em\n"
              "<prefixo>/share/zeb"},
    HelpBlock{HelpKind::Entry, "--river TEXTO", "nome do rio, impresso no relatório"},
    HelpBlock{HelpKind::Entry, "--station-name TEXTO",
              "nome do posto impresso no relatório; com --station ou\n"
              "--code, o padrão é o nome do posto no banco; com --own,\n"
              "o relatório mostra no lugar dele as constantes K, a, b, c,\n"
              "e com --idf a equação IDF, se este nome não for dado"},
    HelpBlock{HelpKind::Entry, "--format FORMATO",
              "report (padrão): o relatório exportado, em Windows-1252\n"
              "com CR LF: as 47 linhas e, quando valem, as observações\n"
              "dos limites do cálculo; json: o registro completo do\n"
              "cálculo; csv: os 15 passos com o tempo e cada série;\n"
              "png, svg, pdf: o gráfico do hidrograma de cheia com o\n"
              "hietograma, desenhado sem tela (exigem --output)"},
    HelpBlock{HelpKind::Entry, "--csv-style ESTILO",
              "padrao (padrão): vírgula entre campos e ponto decimal;\n"
              "planilha: ponto e vírgula entre campos, vírgula decimal\n"
              "e UTF-8 com BOM, que uma planilha em português abre\n"
              "como números (só com o formato csv)"},
    HelpBlock{HelpKind::Entry, "--locale NOME",
              "separadores dos números do relatório: C, POSIX ou en_*\n"
              "(1,234.50), pt_BR (1.234,50); padrão: o do sistema\n"
              "(LC_ALL, LC_NUMERIC ou LANG)"},
    HelpBlock{HelpKind::Entry, "--output ARQUIVO",
              "grava em ARQUIVO em vez da saída padrão; o arquivo é\n"
              "substituído por inteiro ou deixado como estava"},
    HelpBlock{HelpKind::Note, "", "\n"},
    HelpBlock{HelpKind::Entry, "--input ESTUDO.zeb",
              "os dados de um estudo salvo pela janela (rio, posto com a\n"
              "cópia das suas constantes, CN, área, comprimento,\n"
              "desnível, duração, recorrência, constantes próprias,\n"
              "equação IDF); cada opção dada muda só o seu dado, e\n"
              "--own, --idf, --station, --code ou --station-constants\n"
              "substituem as constantes do estudo. A saída é a da\n"
              "exportação da janela."},
    HelpBlock{HelpKind::Note, "",
              "\n"
              "  O cálculo tem sempre 15 passos e 8 ordenadas do hidrograma unitário. Quando\n"
              "  a cheia não terminou no passo 15 ou o hidrograma unitário passa da 8ª\n"
              "  ordenada, um aviso sai na saída de erros, sem mudar o código de saída, e o\n"
              "  relatório termina com a mesma observação.\n"},
    HelpBlock{HelpKind::Section, "",
              "\n"
              "Estudo de recorrências e durações (--study):\n"},
    HelpBlock{HelpKind::Entry, "--study",
              "um cálculo para cada duração e cada tempo de recorrência\n"
              "das listas, com as opções da bacia e do posto acima (sem\n"
              "--duration nem --return-period); uma linha por duração\n"
              "(na ordem da lista) e recorrência (na ordem dada):\n"
              "duration,returnPeriodYears,peakFlowM3s,peakTimeH,\n"
              "effectiveRainfallMm,floodNotReceded,unitHydrographCut\n"
              "(vazão de pico, tempo do primeiro pico, chuva efetiva\n"
              "acumulada no passo 15, e 1 onde vale o aviso da cheia\n"
              "que não terminou ou do hidrograma unitário cortado)"},
    HelpBlock{HelpKind::Entry, "--durations LISTA",
              "durações separadas por vírgula (\"1 h,2 h,4 h\") ou all\n"
              "(padrão: as 13), cada uma uma vez só"},
    HelpBlock{HelpKind::Entry, "--return-periods LISTA",
              "tempos de recorrência em anos, maiores que 0, separados\n"
              "por vírgula, cada um uma vez só (padrão:\n"
              "2,5,10,25,50,100,500,1000,10000)"},
    HelpBlock{HelpKind::Note, "",
              "  Com --study, --format é csv (padrão) ou json. Os números saem na forma exata\n"
              "  mais curta, com ponto (vírgula com --csv-style planilha): cada linha é a do\n"
              "  cálculo isolado, até o último bit. Um estudo calcula no máximo 10000\n"
              "  combinações (durações × recorrências).\n"},
    HelpBlock{HelpKind::Section, "",
              "\n"
              "Lote de bacias (--batch):\n"},
    HelpBlock{HelpKind::Entry, "--batch BACIAS.csv",
              "uma bacia por linha (UTF-8, vírgulas, RFC 4180), com\n"
              "cabeçalho; colunas em qualquer ordem: id; duration\n"
              "(rótulo ou posição); cn; area; tc, ou length e drop;\n"
              "return-period; e a chuva por station (nome) ou code, pelas\n"
              "sete colunas a,b,c,B5,B15,B30,Bm, por K,a,b,c (equação\n"
              "\"Própria\") ou pelas quatro idf-K,idf-m,idf-t0,idf-n\n"
              "(\"Equação IDF\", como --idf). Uma coluna desconhecida ou\n"
              "repetida recusa o arquivo.\n"
              "Sai uma linha por bacia, na ordem da entrada:\n"
              "id,peakFlowM3s,peakTimeH,effectiveRainfallMm,\n"
              "floodNotReceded,unitHydrographCut,error; error traz a\n"
              "mensagem da linha (com o seu número) quando ela não pôde\n"
              "ser calculada, e uma linha ruim não para as outras.\n"
              "Uma linha (com as quebras entre aspas) tem no máximo\n"
              "64 KiB; uma mais longa é uma linha ruim. Caracteres de\n"
              "controle do id saem como código (\\x1b)."},
    HelpBlock{HelpKind::Entry, "--jobs N",
              "calcula com N linhas de execução (padrão 1); a ordem\n"
              "da saída é sempre a da entrada"},
    HelpBlock{HelpKind::Entry, "--database, --output",
              "como acima; com --output o arquivo só é gravado quando\n"
              "o lote chega ao fim, e nunca sobre o arquivo de bacias\n"
              "nem sobre o banco lido"},
    HelpBlock{HelpKind::Note, "",
              "  Código de saída 0 quando todas as linhas foram calculadas, 3 quando alguma\n"
              "  falhou (todas saem), 2 para um cabeçalho ruim, 4 para uma falha do banco.\n"},
    HelpBlock{HelpKind::Section, "",
              "\n"
              "Equação IDF a partir de uma série de chuvas diárias (--fit-idf):\n"},
    HelpBlock{HelpKind::Entry, "--fit-idf SÉRIE",
              "ajusta i = K·TR^m/(t + t0)^n (i em mm/h, t e t0 em\n"
              "minutos, TR em anos) às chuvas diárias de um posto: a\n"
              "exportação do HidroWeb (notas, o cabeçalho\n"
              "EstacaoCodigo;NivelConsistencia;Data;... e uma linha por\n"
              "mês, com vírgula decimal; nível 2 no lugar do 1) ou um\n"
              "CSV data,mm com cabeçalho (datas aaaa-mm-dd ou\n"
              "dd/mm/aaaa, ponto decimal); um valor vazio é um dia em\n"
              "falta. Máximo diário de cada ano, Gumbel pelos momentos\n"
              "com o teste de Kolmogorov-Smirnov, as razões entre\n"
              "durações da CETESB, as intensidades de 5 min a 24 h\n"
              "para TR 2, 5, 10, 25, 50 e 100 anos, e o ajuste por\n"
              "mínimos quadrados de ln i, com t0 de 0 a 120 min"},
    HelpBlock{HelpKind::Entry, "--year-start MÊS",
              "mês (1 a 12) em que o ano começa (padrão 1: o ano civil;\n"
              "o ano hidrológico leva o número do ano em que começa)"},
    HelpBlock{HelpKind::Entry, "--max-missing PORCENTAGEM",
              "um ano conta quando lhe faltam no máximo esta\n"
              "porcentagem dos dias (padrão 5); são precisos 10 anos"},
    HelpBlock{HelpKind::Entry, "--ratios RAZÕES.csv",
              "troca razões entre durações: cabeçalho e linhas\n"
              "duração em minutos,razão; 24 h (1440) é razão do total\n"
              "de 1 dia, 12, 10, 8, 6 e 1 h (720 a 60) de 24 h, 30 min\n"
              "de 1 h, 25, 20, 15, 10 e 5 min de 30 min; as durações\n"
              "não dadas ficam com a razão da CETESB"},
    HelpBlock{HelpKind::Entry, "--format, --output, --locale",
              "text (padrão): a análise em português, números com os\n"
              "separadores de --locale; json: anos, Gumbel, equação e\n"
              "pontos; csv: os 72 pontos, com o cabeçalho\n"
              "durationMin,returnPeriodYears,intensityMmH,fittedMmH"},
    HelpBlock{HelpKind::Note, "",
              "  Uma série ilegível (formato desconhecido, valor que não é número, total\n"
              "  negativo, data impossível, dia repetido no CSV, mês repetido no mesmo nível\n"
              "  no HidroWeb, menos de 10 anos contados) é recusada com a linha e o motivo,\n"
              "  código de saída 2. Um ajuste de Gumbel que o teste rejeita a 5 % sai com um\n"
              "  aviso na saída de erros.\n"},
    HelpBlock{HelpKind::Section, "",
              "\n"
              "Listas do banco de referência (UTF-8, uma linha por item, na ordem do banco):\n"},
    HelpBlock{HelpKind::Entry, "--list stations",
              "uma linha por posto: código, nome e estado separados por\n"
              "tabulação"},
    HelpBlock{HelpKind::Entry, "--list land-classes",
              "uma classe de terreno por linha, de todas as linhas da\n"
              "tabela (uma classe das duas zonas sai duas vezes)"},
    HelpBlock{HelpKind::Entry, "--zone Rural|Urbana",
              "só as classes de terreno desta zona, como a janela as\n"
              "mostra ao escolher a zona"},
    HelpBlock{HelpKind::Entry, "--database ARQUIVO",
              "o banco a listar; sem ele, o mesmo procurado no cálculo"},
    HelpBlock{HelpKind::Section, "",
              "\n"
              "Criação de um banco de referência próprio (SQLite):\n"},
    HelpBlock{HelpKind::Entry, "--build-database SAÍDA.sqlite",
              "grava o banco em SAÍDA.sqlite; um arquivo existente só é\n"
              "substituído quando tudo deu certo"},
    HelpBlock{HelpKind::Entry, "--stations POSTOS.csv",
              "postos: cabeçalho codigo,nome,estado e depois as colunas\n"
              "a,b,c,B5,B15,B30,Bm em qualquer ordem, e talvez\n"
              "idf-K,idf-m,idf-t0,idf-n e idf-fonte; um posto por\n"
              "linha, com as sete constantes ou uma equação IDF,\n"
              "números com ponto decimal"},
    HelpBlock{HelpKind::Entry, "--curve-numbers CN.csv",
              "números da curva: cabeçalho com uma primeira coluna\n"
              "qualquer (id), terreno em segundo, e zona e cn em qualquer\n"
              "ordem; zona Rural ou Urbana, cn maior que 0 e até 100"},
    HelpBlock{HelpKind::Entry, "--from-access ARQUIVO.mdb",
              "converte as tabelas zeb e cn de um banco Access"},
    HelpBlock{HelpKind::Note, "",
              "  Um erro num arquivo CSV é informado com o arquivo, a linha e o motivo.\n"
              "  Para usar o banco criado, dê --database ou copie-o como zeb.sqlite para a\n"
              "  pasta do programa ou para <prefixo>/share/zeb (um zeb.mdb ali tem preferência).\n"
              "\n"},
    HelpBlock{HelpKind::Entry, "--help", "mostra esta ajuda"},
    HelpBlock{HelpKind::Outro, "",
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
              "  2  uso incorreto, ou um valor sem sentido físico: CN fora de (0, 100], área,\n"
              "     comprimento, desnível ou tempo de concentração não positivos, tempo de\n"
              "     recorrência não positivo com as constantes do posto ou a equação IDF, ou\n"
              "     acima de 100000 anos, equação IDF com K ou n não positivo, t0 negativo ou\n"
              "     constante não finita, constantes (do posto, próprias ou IDF) cuja\n"
              "     precipitação pontual não é finita, positiva e crescente com a duração de\n"
              "     5 min a 6 d, TR 2 a 10000\n"
              "  3  o cálculo não tem valor para estes dados (também quando falta ao posto\n"
              "     uma constante de que o cálculo precisa)\n"
              "  4  erro do banco de referência: arquivo ausente, ilegível ou corrompido,\n"
              "     posto ou código que não está no banco, CSV ou banco Access recusado\n"},
};

} // namespace

std::span<const CommandOption> commandOptions() {
    return kOptions;
}

const CommandOption* findCommandOption(std::string_view name) {
    for (const CommandOption& option : kOptions) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

std::span<const HelpBlock> helpBlocks() {
    return kHelp;
}

} // namespace cli
