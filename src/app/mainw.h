#pragma once

#include <QDate>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class QAction;
class QCalendarWidget;
class QLabel;
class QPushButton;
class Tdm;

namespace store {
struct ProgramState;
}

namespace ui {
class DataGrid;
class PageStack;
} // namespace ui

/// What the main window's menu entries and toolbar buttons open. A command without an opener
/// (its screen is not available) shows its entries disabled. A screen opened in a mode is one
/// command per mode, whose opener passes the mode to the screen's open function.
enum class MainCommand {
    Customers,
    Suppliers,
    Municipalities,
    DefaultSettings,
    MovementTypes,
    ContractTypes,
    Movements,     ///< the movement screen on its general list
    Sales,         ///< the movement screen on the sales list
    Repairs,       ///< the movement screen on the repairs list
    Interventions, ///< the movement screen on the interventions list
    DocumentSettings,
    DocumentTypes,
    Documents,
    ObligedSubject,
    Technicians,
    MeterModels,
    ExportToVerification,
    EmptyArchives,
    ImportFromVerification,
    Backup,
    FirstSteps,
    Articles,
    Contracts,
    AgencyFile, ///< reading the revenue agency's quarterly file; its entry is never visible
};

/// The main window: menu, toolbar, daily agenda and status bar. Closing it ends the program.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    /// `programFile` names the INI beside it; `today` starts the calendar.
    TMainForm(Tdm& data, store::ProgramState& state, const QString& programFile,
              const QDate& today = QDate::currentDate(), QWidget* parent = nullptr);
    ~TMainForm() override;

    /// Makes a command available: its menu entries and buttons become enabled.
    void setOpener(MainCommand command, std::function<void()> opener);
    /// Splash, then the choice of the year. False when the user chose "Annulla".
    bool startUp();
    /// The configuration file the window reads and writes.
    const QString& iniPath() const { return iniPath_; }

    // Agenda.
    QDate selectedDate() const;
    void selectDate(const QDate& date);
    QString dateCaption() const;
    QString agendaPage() const;
    ui::PageStack* agendaPages() const { return pages_; }
    ui::DataGrid* interventionsGrid() const { return gridInterventions_; }
    ui::DataGrid* repairsGrid() const { return gridRepairs_; }
    ui::DataGrid* appointmentsGrid() const { return gridAppointments_; }
    ui::DataGrid* contractsGrid() const { return gridContracts_; }
    /// A button of the window by its caption (menu entries are found through menuBar()).
    QPushButton* button(const QString& caption) const;
    QString statusPanel(int index) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void buildToolbar(QWidget* panel);
    QWidget* buildAgenda();
    QWidget* buildBottomBand();
    QAction* addEntry(class QMenu* menu, const QString& caption, MainCommand command);
    /// A menu's entries in order; an entry without a command is a separator line.
    using MenuEntry = std::pair<const char*, std::optional<MainCommand>>;
    void addEntries(class QMenu* menu, std::initializer_list<MenuEntry> entries);
    void addButton(class QGridLayout* grid, int column, int row, const QString& caption,
                   const QString& hint, MainCommand command);
    void run(MainCommand command);
    void dateChanged();
    void showInterventions();
    void showRepairs();
    void showAppointments();
    void showContracts();
    QWidget* movementsPage(const QString& heading, ui::DataGrid*& grid);

    Tdm& data_;
    store::ProgramState& state_;
    QString iniPath_;
    std::map<MainCommand, std::function<void()>> openers_;
    std::map<MainCommand, std::vector<QPointer<QObject>>> triggers_;
    QLabel* caption_ = nullptr;
    QCalendarWidget* calendar_ = nullptr;
    ui::PageStack* pages_ = nullptr;
    ui::DataGrid* gridInterventions_ = nullptr;
    ui::DataGrid* gridRepairs_ = nullptr;
    ui::DataGrid* gridAppointments_ = nullptr;
    ui::DataGrid* gridContracts_ = nullptr;
    QLabel* status_[3] = {nullptr, nullptr, nullptr};
};
