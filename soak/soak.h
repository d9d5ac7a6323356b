#pragma once

#include "generate_year.h"
#include "interchange/verification_tables.h"
#include "store/dm.h"
#include "wiring/record_rules.h"

#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

/// Random work through the data module and the subsystems' own functions on a big working year,
/// each step followed by the checks of what the record rules promise.
namespace soak {

/// A broken promise: what, and on which record.
struct Violation : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Options {
    double seconds = 30 * 60;
    std::uint64_t seed = 1;
    int movements = 100'000;
    QString cache; ///< where the generated year is kept between runs
};

class Soak {
public:
    explicit Soak(const Options& options);
    ~Soak();

    /// Runs steps until the time is up. Throws Violation at the first broken promise.
    void run();
    /// Steps run per kind, refused steps, invariants checked.
    void printFigures() const;
    std::uint64_t stepNumber() const { return step_; }
    const char* currentKind() const { return kind_; }

private:
    // Steps (steps.cpp).
    void newMovement();
    void editMovement();
    void removeMovement();
    void newVerification();
    void editVerification();
    void partIn();
    void partOut();
    void newDocument();
    void documentFromMovement();
    void editDocument();
    void removeDocument();
    void filterMovements();
    void exportQuarter();
    bool toSomeMovement();
    bool toSomeDocument();
    void makeSpareParts();

    // Checks (checks.cpp).
    void expect(bool holds, const char* invariant, const QString& detail);
    void checkDocument(int id);
    void checkVerification(int id);
    void checkMovementGone(int id);
    void checkDocumentGone(int id);
    void checkWarehouse();
    /// Every record of the year; answers the records that break a promise, by invariant.
    std::set<QString> sweep();

    Options options_;
    bench::Random random_;
    QTemporaryDir work_;
    QString year_, program_;
    std::unique_ptr<Tdm> data_;
    std::unique_ptr<RecordRules> rules_;
    interchange::VerificationTables target_;
    bench::YearShape shape_;

    std::uint64_t step_ = 0;
    const char* kind_ = "";
    std::map<std::string, std::uint64_t> steps_, refused_, invariants_;
    std::uint64_t warnings_ = 0;
    std::set<QString> baseline_; ///< what the generated year breaks before the first step
    int highestMovement_ = 0;
    std::vector<int> documents_;           ///< documents made by the soak still there
    std::map<QString, int> expectedStock_; ///< spare part description → quantity expected
    std::set<int> movementsWithParts_;
    std::set<int> touchedDocuments_, touchedVerifications_;
};

} // namespace soak
