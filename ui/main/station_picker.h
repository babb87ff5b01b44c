#pragma once

#include "refdata/reference_database.h"
#include "report/study_file.h"

#include <optional>
#include <string>
#include <vector>

#include <QString>

class QWidget;

namespace Ui {
class frmZEB;
}

namespace ui {

class DialogService;

// The main window's station lists: the code and name lists kept in step, the lookup of the
// station chosen, an open study's copy of its station, and the lists refilled when the
// stations change.
class StationPicker {
public:
    StationPicker(Ui::frmZEB& form, DialogService& dialogs, QWidget& window);

    // The station of the last lookup, none before the first or after a failed one. Its rainfall
    // is the seven constants or an IDF equation (idf(): what the "Equação IDF" fields take when
    // such a station is chosen).
    const std::optional<calc::Station>& current() const { return m_current; }
    // The station chosen as a study keeps it, none when no name is chosen.
    std::optional<calc::Station> chosen() const;

    // Both lists filled without running a handler, and nothing selected.
    void fill(const std::vector<calc::Station>& stations);
    // After the stations changed: the code shown stays chosen, and is looked up again, where it
    // still exists; a study's copy of its station stays chosen.
    void refill(const std::vector<calc::Station>& stations);
    // A name chosen: its station looked up and the code list set to its row.
    void nameChosen(refdata::ReferenceDatabase& database);
    // A code chosen: the name list follows, which looks the station up.
    void codeChosen();
    // The database's station when it is the study's, code, name and constants alike;
    // otherwise the study's copy, listed last, so that the study gives the report it was
    // saved with.
    void chooseStudyStation(const calc::Station& station);
    // Nothing chosen and the study's copy gone, without running a handler.
    void clear();

private:
    // The study's copy, when that item is chosen; true when it was.
    bool studyCopyChosen();
    void dropStudyCopy();
    void selectCode(const std::string& code);
    void lookUp(refdata::ReferenceDatabase& database, const QString& name);

    Ui::frmZEB& m_form;
    DialogService& m_dialogs;
    QWidget& m_window;
    // The codes as listed, to select one by its text without searching the list widget.
    std::vector<std::string> m_codes;
    std::optional<calc::Station> m_current;
    // The study's copy of a station the database lacks or holds with other constants, listed
    // last in the code and name lists while the study is open.
    std::optional<calc::Station> m_studyCopy;
    int m_studyCopyIndex = -1;
};

} // namespace ui
