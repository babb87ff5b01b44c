#include "ui/shell/program.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include <QApplication>
#include <QDebug>

namespace {

constexpr const char* kUsage =
    "Uso: zeb [ESTUDO.zeb]\n"
    "Abre a janela do ZEB (hidrograma de projeto pelo método do hidrograma unitário\n"
    "sintético triangular); com ESTUDO.zeb, abre esse estudo.\n"
    "\n"
    "  --help     mostra esta ajuda e sai\n"
    "  --version  mostra a versão e sai\n"
    "\n"
    "O zeb precisa de uma tela gráfica. Para calcular sem ela, use o zeb-calc\n"
    "(zeb-calc --help).\n";

constexpr const char* kNoDisplay =
    "zeb: o ZEB precisa de uma tela gráfica e não encontrou nenhuma (confira a variável "
    "DISPLAY ou WAYLAND_DISPLAY).\nPara calcular sem tela, use o zeb-calc (zeb-calc --help).\n";

QList<std::pair<QtMsgType, QString>> startMessages;

// While the application starts, Qt's messages wait: when it finds no display it ends the
// process with a fatal message in English, and the user reads why in Portuguese instead.
void startingHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs(kNoDisplay, stderr);
        std::_Exit(EXIT_FAILURE);
    }
    startMessages.append({type, message});
    (void)context;
}

} // namespace

// zeb [ESTUDO.zeb]: the study named on the command line is opened at the start.
int main(int argc, char* argv[]) {
    if (argc > 1) {
        const std::string_view first = argv[1];
        if (first == "--help" || first == "-h") {
            std::fputs(kUsage, stdout);
            return EXIT_SUCCESS;
        }
        if (first == "--version") {
            std::printf("zeb %s\n", ZEB_VERSION);
            return EXIT_SUCCESS;
        }
    }
    const QtMessageHandler qtHandler = qInstallMessageHandler(startingHandler);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    for (const auto& [type, message] : startMessages) {
        if (type == QtWarningMsg || type == QtCriticalMsg) {
            qWarning().noquote() << message;
        }
    }

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1 && arguments.at(1).startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "zeb: opção desconhecida: %s (veja zeb --help)\n",
                     arguments.at(1).toLocal8Bit().constData());
        return 2;
    }
    return ui::runProgram({}, arguments.size() > 1 ? arguments.at(1) : QString());
}
