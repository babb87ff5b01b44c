#include "ui/common/print_system.h"

#ifdef ZEB_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace ui {

#ifdef ZEB_HAVE_CUPS

std::optional<QString> printerRefusal(const QString& printerName) {
    // A printer's name may carry an instance after a slash; the service knows the queue.
    const QByteArray queue = printerName.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    cups_dest_t* destination = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
    if (destination == nullptr) {
        return QStringLiteral("o sistema de impressão não conhece a impressora (%1)")
            .arg(QString::fromLocal8Bit(cupsLastErrorString()));
    }
    const char* accepting =
        cupsGetOption("printer-is-accepting-jobs", destination->num_options, destination->options);
    const bool refuses = accepting != nullptr && QByteArray(accepting) == "false";
    cupsFreeDests(1, destination);
    if (refuses) {
        return QStringLiteral("a impressora não está aceitando trabalhos");
    }
    return std::nullopt;
}

std::optional<QString> jobFailure() {
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) {
        return std::nullopt;
    }
    return QStringLiteral("o sistema de impressão recusou o trabalho (%1)")
        .arg(QString::fromLocal8Bit(cupsLastErrorString()));
}

#else

std::optional<QString> printerRefusal(const QString&) {
    return std::nullopt;
}

std::optional<QString> jobFailure() {
    return std::nullopt;
}

#endif

} // namespace ui
