#include "cli/help_text.h"

namespace cli {

std::string usageSynopsis() {
    return R"(Uso: zeb-calc --duration D --cn CN --area KM2 (--length KM --drop M | --tc HORAS)
                --return-period TR
                (--station-constants a,b,c,B5,B15,B30,Bm | --own K,a,b,c |
                 --station NOME | --code CÓDIGO [--database ARQUIVO])
                [--river TEXTO] [--station-name TEXTO]
                [--format report|json|csv|png|svg|pdf] [--csv-style ESTILO]
                [--locale NOME] [--output ARQUIVO]
     zeb-calc --input ESTUDO.zeb [opções do cálculo acima, que mudam o estudo]
     zeb-calc --study --cn CN --area KM2 (--length KM --drop M | --tc HORAS)
                (--station-constants ... | --own ... | --station NOME |
                 --code CÓDIGO [--database ARQUIVO])
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
    return usageSynopsis() + R"(
Calcula o hidrograma de cheia de projeto de uma pequena bacia pelo hidrograma
unitário triangular sintético, como o comando "Calcular" da janela. Também lista e
cria o banco de referência (postos e números da curva).

Cálculo:
  --duration D           duração da chuva unitária: "5 min", "15 min", "30 min",
                         "1 h", "2 h", "4 h", "8 h", "14 h", "24 h", "48 h",
                         "3 d", "4 d", "6 d", ou a sua posição de 0 a 12
  --cn CN                número da curva (CN)
  --area KM2             área de drenagem, km²
  --length KM            comprimento do talvegue, km; com --drop, o tempo de
  --drop M               concentração é calculado como na janela (desnível em m)
  --tc HORAS             tempo de concentração, h, em vez de --length e --drop
  --return-period TR     tempo de recorrência, anos (dispensável com --own, que não
                         o usa)
  --station-constants a,b,c,B5,B15,B30,Bm
                         constantes do posto (equação "Automática")
  --own K,a,b,c          constantes próprias (equação "Própria")
  --station NOME         constantes do posto com este nome no banco de referência
                         (equação "Automática"); havendo dois postos com o mesmo
                         nome, vale o primeiro, como na janela
  --code CÓDIGO          o posto deste código (escrito como --list stations o
                         mostra), escolhido como na janela: vale o primeiro
                         posto com o nome deste código; se ele for de outro
                         código, um aviso sai na saída de erros
  --database ARQUIVO     banco de referência a usar (SQLite ou Access .mdb/.accdb,
                         reconhecido pelo conteúdo); sem ele, o primeiro que existir
                         de zeb.mdb e zeb.sqlite na pasta do programa e depois em
                         <prefixo>/share/zeb
  --river TEXTO          nome do rio, impresso no relatório
  --station-name TEXTO   nome do posto impresso no relatório; com --station ou
                         --code, o padrão é o nome do posto no banco; com --own,
                         o relatório mostra no lugar dele as constantes K, a, b, c
  --format FORMATO       report (padrão): o relatório exportado, em Windows-1252
                         com CR LF: as 47 linhas e, quando valem, as observações
                         dos limites do cálculo; json: o registro completo do
                         cálculo; csv: os 15 passos com o tempo e cada série;
                         png, svg, pdf: o gráfico do hidrograma de cheia com o
                         hietograma, desenhado sem tela (exigem --output)
  --csv-style ESTILO     padrao (padrão): vírgula entre campos e ponto decimal;
                         planilha: ponto e vírgula entre campos, vírgula decimal
                         e UTF-8 com BOM, que uma planilha em português abre
                         como números (só com o formato csv)
  --locale NOME          separadores dos números do relatório: C, POSIX ou en_*
                         (1,234.50), pt_BR (1.234,50); padrão: o do sistema
                         (LC_ALL, LC_NUMERIC ou LANG)
  --output ARQUIVO       grava em ARQUIVO em vez da saída padrão; o arquivo é
                         substituído por inteiro ou deixado como estava

  --input ESTUDO.zeb     os dados de um estudo salvo pela janela (rio, posto com a
                         cópia das suas constantes, CN, área, comprimento,
                         desnível, duração, recorrência, constantes próprias);
                         cada opção dada muda só o seu dado, e --own, --station,
                         --code ou --station-constants substituem as constantes
                         do estudo. A saída é a da exportação da janela.

  O cálculo tem sempre 15 passos e 8 ordenadas do hidrograma unitário. Quando
  a cheia não terminou no passo 15 ou o hidrograma unitário passa da 8ª
  ordenada, um aviso sai na saída de erros, sem mudar o código de saída, e o
  relatório termina com a mesma observação.

Estudo de recorrências e durações (--study):
  --study                um cálculo para cada duração e cada tempo de recorrência
                         das listas, com as opções da bacia e do posto acima (sem
                         --duration nem --return-period); uma linha por duração
                         (na ordem da lista) e recorrência (na ordem dada):
                         duration,returnPeriodYears,peakFlowM3s,peakTimeH,
                         effectiveRainfallMm,floodNotReceded,unitHydrographCut
                         (vazão de pico, tempo do primeiro pico, chuva efetiva
                         acumulada no passo 15, e 1 onde vale o aviso da cheia
                         que não terminou ou do hidrograma unitário cortado)
  --durations LISTA      durações separadas por vírgula ("1 h,2 h,4 h") ou all
                         (padrão: as 13), cada uma uma vez só
  --return-periods LISTA tempos de recorrência em anos, maiores que 0, separados
                         por vírgula, cada um uma vez só (padrão:
                         2,5,10,25,50,100,500,1000,10000)
  Com --study, --format é csv (padrão) ou json. Os números saem na forma exata
  mais curta, com ponto (vírgula com --csv-style planilha): cada linha é a do
  cálculo isolado, até o último bit. Um estudo calcula no máximo 10000
  combinações (durações × recorrências).

Lote de bacias (--batch):
  --batch BACIAS.csv     uma bacia por linha (UTF-8, vírgulas, RFC 4180), com
                         cabeçalho; colunas em qualquer ordem: id; duration
                         (rótulo ou posição); cn; area; tc, ou length e drop;
                         return-period; e a chuva por station (nome) ou code, pelas
                         sete colunas a,b,c,B5,B15,B30,Bm, ou por K,a,b,c (equação
                         "Própria"). Uma coluna desconhecida ou repetida recusa o
                         arquivo.
                         Sai uma linha por bacia, na ordem da entrada:
                         id,peakFlowM3s,peakTimeH,effectiveRainfallMm,
                         floodNotReceded,unitHydrographCut,error; error traz a
                         mensagem da linha (com o seu número) quando ela não pôde
                         ser calculada, e uma linha ruim não para as outras.
                         Uma linha (com as quebras entre aspas) tem no máximo
                         64 KiB; uma mais longa é uma linha ruim. Caracteres de
                         controle do id saem como código (\x1b).
  --jobs N               calcula com N linhas de execução (padrão 1); a ordem
                         da saída é sempre a da entrada
  --database, --output   como acima; com --output o arquivo só é gravado quando
                         o lote chega ao fim, e nunca sobre o arquivo de bacias
                         nem sobre o banco lido
  Código de saída 0 quando todas as linhas foram calculadas, 3 quando alguma
  falhou (todas saem), 2 para um cabeçalho ruim, 4 para uma falha do banco.

Listas do banco de referência (UTF-8, uma linha por item, na ordem do banco):
  --list stations        uma linha por posto: código, nome e estado separados por
                         tabulação
  --list land-classes    uma classe de terreno por linha, de todas as linhas da
                         tabela (uma classe das duas zonas sai duas vezes)
  --zone Rural|Urbana    só as classes de terreno desta zona, como a janela as
                         mostra ao escolher a zona
  --database ARQUIVO     o banco a listar; sem ele, o mesmo procurado no cálculo

Criação de um banco de referência próprio (SQLite):
  --build-database SAÍDA.sqlite
                         grava o banco em SAÍDA.sqlite; um arquivo existente só é
                         substituído quando tudo deu certo
  --stations POSTOS.csv  postos: cabeçalho codigo,nome,estado e depois as colunas
                         a,b,c,B5,B15,B30,Bm em qualquer ordem; um posto por
                         linha, números com ponto decimal
  --curve-numbers CN.csv números da curva: cabeçalho com uma primeira coluna
                         qualquer (id), terreno em segundo, e zona e cn em qualquer
                         ordem; zona Rural ou Urbana, cn maior que 0 e até 100
  --from-access ARQUIVO.mdb
                         converte as tabelas zeb e cn de um banco Access
  Um erro num arquivo CSV é informado com o arquivo, a linha e o motivo.
  Para usar o banco criado, dê --database ou copie-o como zeb.sqlite para a
  pasta do programa ou para <prefixo>/share/zeb (um zeb.mdb ali tem preferência).

  --help                 mostra esta ajuda

Os números usam ponto como separador decimal e são lidos por inteiro ("2.5",
"-0.04", "1e3"); um número mal escrito é erro de uso.

Ambiente:
  ZEB_REPORT_TIMESTAMP   data e hora da primeira linha do relatório
                         ("aaaa-mm-dd hh:mm:ss"), em vez da hora local atual

Códigos de saída:
  0  sucesso
  1  a saída não pôde ser gravada
  2  uso incorreto, ou um valor sem sentido físico: CN fora de (0, 100], área,
     comprimento, desnível ou tempo de concentração não positivos, tempo de
     recorrência não positivo com as constantes do posto ou acima de 100000
     anos, constantes (do posto ou próprias) cuja precipitação pontual não é
     finita, positiva e crescente com a duração de 5 min a 6 d, TR 2 a 10000
  3  o cálculo não tem valor para estes dados (também quando falta ao posto
     uma constante de que o cálculo precisa)
  4  erro do banco de referência: arquivo ausente, ilegível ou corrompido,
     posto ou código que não está no banco, CSV ou banco Access recusado
)";
}

} // namespace cli
