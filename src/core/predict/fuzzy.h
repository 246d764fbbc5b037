#pragma once

#include "core/io/linesource.h"
#include "core/predict/grid.h"
#include "core/predict/prediction.h"
#include "core/predict/regress.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace corvane::core {

class Ui;

/// The fuzzy period method: for every number column it looks back through up to 500 draws for
/// earlier repeats of the column's latest pattern (the two latest values, else the latest value,
/// else the direction of the latest change) and predicts the value that followed them most
/// often. Number columns 1 to 49 are supported.
class fuzzy
{
public:
    static constexpr int kColumns = regress::kColumns;

    fuzzy();
    ~fuzzy();
    fuzzy(const fuzzy&) = delete;
    fuzzy& operator=(const fuzzy&) = delete;

    /// next[k][c]: the k-th value collected for number column c, in the order found.
    Grid<600, kColumns> next;
    /// The draw-history table and its reader.
    regress reg;
    /// nextnum[c]: how many values were collected for column c.
    std::array<std::int32_t, kColumns> nextnum {};
    /// next_req[k][c][0]: the k-th distinct collected value of column c; [1]: how many further
    /// times it was collected. After the choice next_req[0][c] holds the predicted value.
    Grid<500, kColumns * 2> next_req;
    /// The data file's path.
    std::string datafile;
    /// Scratch of one matching pass.
    Grid<500, kColumns> found;

    /// The method on the data file at path; shows the prediction through ui.showResult, or a
    /// data-file message through ui.messageBox.
    void dofuzzy(const std::string& path, Ui& ui);
    /// The same on lines from anywhere; path gives the display name.
    void dofuzzy(std::unique_ptr<LineSource> source, const std::string& path, Ui& ui);

    /// Exact matching pass for column c with a pattern of the a latest values; a value matches
    /// when it differs by at most tolerance. True when a value was collected.
    bool findsame(int a, int tolerance, int c);
    /// Direction matching pass for column c (a = 2: the latest change). True when a value was
    /// collected.
    bool findtrend(int a, int c);
    /// Chooses every column's prediction and shows the report through ui.
    void choosenext(Ui& ui);

    /// What the last dofuzzy showed; empty after a refused file.
    const Prediction& prediction() const { return m_prediction; }

private:
    double& reqValue(int k, int c) { return next_req[k][2 * c]; }
    double& reqCount(int k, int c) { return next_req[k][2 * c + 1]; }
    bool collect(int a, int c, bool (fuzzy::*matches)(int l, int a, int c, int tolerance) const,
        int tolerance);
    bool sameWindow(int l, int a, int c, int tolerance) const;
    bool sameTrend(int l, int a, int c, int tolerance) const;
    int rows() const { return reg.rowsplus1 - 1; }

    Prediction m_prediction;
};

} // namespace corvane::core
