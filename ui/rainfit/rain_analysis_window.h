#pragma once

#include "calc/record.h"
#include "numbers/number_style.h"
#include "rainfit/rain_analysis.h"
#include "refdata/reference_tables.h"

#include <functional>
#include <optional>
#include <string>

#include <QWidget>

class QChartView;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTabWidget;

namespace ui {

class DialogService;

// What the window hands on to the rest of the program.
struct RainAnalysisHooks {
    // Puts the equation in the main window's "Equação IDF" mode.
    std::function<void(const calc::IdfEquation&)> useEquation;
    // Proposes a new user station holding the equation and its source, for the user to name.
    std::function<void(const refdata::StationRow&)> saveAsStation;
};

// "Chuvas intensas a partir de uma série": a rain gauge's daily series read from its file, the
// IDF equation fitted to it and every figure the fit comes from (the years counted and left
// out, the annual maxima, the Gumbel fit and its test, the 72 intensities, a chart), with the
// equation handed to the main window and the analysis exported. Modeless beside the main
// window.
class RainAnalysisWindow : public QWidget {
    Q_OBJECT
public:
    // `dialogs` must outlive the window. Numbers are shown and read in `style`.
    RainAnalysisWindow(DialogService& dialogs, report::NumberStyle style, RainAnalysisHooks hooks,
                       QWidget* parent = nullptr);
    ~RainAnalysisWindow() override;

    // Reads the series file and analyses it with the options shown. A file that cannot be read
    // or is refused is said in a box, and the window keeps what it showed. True when analysed.
    bool openSeries(const QString& path);

    // The analysis shown; none before the first.
    const std::optional<rainfit::RainAnalysis>& analysis() const { return m_analysis; }

private:
    // The controls, made in the order Tab visits them.
    QWidget* buildOptions();
    QWidget* buildYears();
    QTabWidget* buildResults();
    QHBoxLayout* buildCommands();
    void arrangeParts(QWidget* options, QWidget* years, QTabWidget* results, QHBoxLayout* commands);
    void showOptions(const rainfit::AnalysisOptions& options);
    // The options as typed, or none with the reason shown.
    std::optional<rainfit::AnalysisOptions> typedOptions();

    void chooseSeries();
    void analyseAgain();
    // Analyses the bytes and shows the result; a refusal is shown and changes nothing.
    bool analyse(const std::string& bytes, const QString& fileName,
                 const rainfit::AnalysisOptions& options);
    void showAnalysis();
    void fillYears();
    void fillPoints();
    QString headingText() const;

    void useEquation();
    void saveAsStation();
    void exportCsv();
    void exportPdf();

    DialogService& m_dialogs;
    report::NumberStyle m_style;
    RainAnalysisHooks m_hooks;
    // The series shown: its file's name and bytes, the options it was analysed with and the
    // analysis.
    QString m_fileName;
    std::string m_bytes;
    rainfit::AnalysisOptions m_options;
    std::optional<rainfit::RainAnalysis> m_analysis;

    QComboBox* m_firstMonth = nullptr;
    QLineEdit* m_maxMissing = nullptr;
    QTableWidget* m_ratios = nullptr;
    QPushButton* m_analyse = nullptr;
    QLabel* m_heading = nullptr;
    QLabel* m_yearsSummary = nullptr;
    QTableWidget* m_years = nullptr;
    QLabel* m_gumbel = nullptr;
    QLabel* m_equation = nullptr;
    QTableWidget* m_points = nullptr;
    QChartView* m_chart = nullptr;
    std::vector<QPushButton*> m_resultCommands; // enabled once there is an analysis
};

} // namespace ui
