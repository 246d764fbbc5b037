#pragma once

#include "core/io/linesource.h"
#include "core/predict/grid.h"
#include "core/predict/prediction.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane::core {

class Ui;

/// The draw-history table read from a data file, and the nonlinear regression method.
///
/// A data file has one draw a line, oldest first: a line whose first character after its
/// leading spaces is a digit is a data line; its space-separated tokens are the draw key
/// (yyyymmdd) and the numbers drawn. Reading a line stops at the first token that does not begin
/// with a digit, and after the 50th token.
class regress
{
public:
    static constexpr int kRows = 500;
    static constexpr int kColumns = 50;
    using Table = Grid<kRows, kColumns>;

    regress();
    ~regress();
    regress(const regress&) = delete;
    regress& operator=(const regress&) = delete;

    /// Row r holds the r-th loaded data line: column 0 the key, columns 1..numcols the numbers.
    Table table;

    // The regression method's model of the moment.
    std::int32_t usedlines = 0;
    std::int32_t nterms = 0;
    std::int32_t order = 0;
    std::int32_t degree = 0;

    /// Numbers per draw: the tokens after the key on the first loaded line read to its end.
    std::int32_t numcols = 0;
    /// Rows loaded plus one; the most recent draw is row rowsplus1 - 2.
    std::int32_t rowsplus1 = 0;
    /// The data file, open from countlines to the end of readdata.
    std::unique_ptr<LineSource> file;
    /// Data lines in the whole file.
    std::int32_t datalines = 0;
    /// Leading data lines that readdata skips; the caller sets it between the passes.
    std::int32_t skiplines = 0;
    /// Smallest loaded number, a whole number never above 1.
    double minnum = 0;
    /// Largest loaded number, a whole number never below 0.
    double maxnum = 0;

    /// Counting pass: opens the file at path and counts its data lines into datalines. False
    /// when the file cannot be opened or read (missing, a directory, an empty path, unreadable).
    bool countlines(const std::string& path);
    /// The counting pass over lines from anywhere (kept in memory, or a test's source).
    bool countlines(std::unique_ptr<LineSource> source);

    /// Loading pass: needs a true countlines and skiplines set. Stores the data lines after the
    /// first skiplines ones (at most kRows), sets numcols, rowsplus1, minnum, maxnum and closes
    /// the file. False when the file could not be read to its end; the table then holds what was
    /// read.
    bool readdata();

    /// The nonlinear regression method on the data file at sFile: fits six polynomial
    /// autoregressive models to the 16 most recent draws and shows the best model's prediction
    /// through ui.showResult, or a data-file message through ui.messageBox.
    void dojob(const std::string& sFile, Ui& ui);
    /// The same on lines already counted by countlines(source); display name as for dojob.
    void dojob(std::unique_ptr<LineSource> source, const std::string& sFile, Ui& ui);

    /// What the last dojob showed: the best model's numbers; empty after a refused file.
    const Prediction& prediction() const { return m_prediction; }

    /// Gauss-Jordan elimination of A x = xx in place for the unknowns 0..nterms (rows of
    /// kColumns doubles; only entry 0 of each row of xx is used). A pivot below 1e-11 in
    /// magnitude (or NaN) stops the elimination with the unknowns from there on set to 0.
    /// process is not read. Returns 0 in both cases.
    int gjcpeg(int process, Table& A, Table& xx) const;

    /// n (n-1) ... (n-m+1) / m!, in integer division: the binomial coefficient for 0 <= m <= n,
    /// 1 for m <= 0, 0 for m > n >= 0.
    static std::int32_t C(std::int32_t n, std::int32_t m);
    /// k! for k >= 1, 1 for k <= 0.
    static std::int32_t intjc(std::int32_t k);
    /// 1.0 multiplied by x, n times (1.0 for n <= 0).
    static double power(double x, std::int32_t n);

private:
    Prediction m_prediction;
};

} // namespace corvane::core
