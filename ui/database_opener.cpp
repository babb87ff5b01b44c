#include "ui/database_opener.h"

#include "refdata/open_database.h"

namespace ui {

DatabaseOpener programDatabaseOpener(const std::filesystem::path& programDir) {
    return [programDir] {
        const std::filesystem::path file =
            refdata::locateDatabase(programDir, refdata::installedDataDir(programDir));
        return refdata::openReferenceDatabase(file);
    };
}

} // namespace ui
