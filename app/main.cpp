#include "ui/database_opener.h"
#include "ui/dialog_service.h"
#include "ui/frmzeb.h"
#include "ui/number_style_source.h"

#include <cstdlib>

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZEB"));

    ui::QtDialogService dialogs;
    ui::MainWindowServices services;
    services.openDatabase =
        ui::programDatabaseOpener(QCoreApplication::applicationDirPath().toStdString());
    services.dialogs = &dialogs;
    services.numberStyle = ui::systemNumberStyle();

    auto* window = new ui::frmZEB(std::move(services));
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (!window->Form_Load()) {
        delete window;
        return EXIT_FAILURE;
    }
    window->show();
    return QApplication::exec();
}
