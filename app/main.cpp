#include "ui/program.h"

#include <QApplication>

// zeb [ESTUDO.zeb]: the study named on the command line is opened at the start.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    return ui::runProgram({}, arguments.size() > 1 ? arguments.at(1) : QString());
}
