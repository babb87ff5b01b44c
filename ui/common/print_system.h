#pragma once

#include <optional>

#include <QString>

namespace ui {

// What the system's print service (CUPS) says of a printer and of the last job handed to it.
// Qt submits a printer's document without looking at the answer, so a printer that takes no
// jobs would swallow the report silently; these two questions make such a failure visible.
// Where the program is built without CUPS both answer nothing.

// Why the named printer will not take a job now (it refuses new jobs), or nothing. Asking also
// leaves the service's last answer on this thread as a success, so jobFailure() below reports
// only what the job's own submission met.
std::optional<QString> printerRefusal(const QString& printerName);

// The service's reason when the last request made on this thread, the job's submission right
// after its document was ended, failed; nothing when it succeeded.
std::optional<QString> jobFailure();

} // namespace ui
