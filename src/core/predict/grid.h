#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>

namespace corvane::core {

/// A fixed-size table of doubles, zero when made, kept on the heap so that the objects holding
/// it can live anywhere. grid[row][column] addresses a cell; indices are the caller's to bound.
template<std::size_t Rows, std::size_t Columns>
class Grid
{
public:
    static constexpr std::size_t rows = Rows;
    static constexpr std::size_t columns = Columns;

    // Value-initialised: every cell is 0.0.
    Grid()
        : m_cells(new double[Rows * Columns]())
    { }

    double* operator[](std::size_t row) { return m_cells.get() + row * Columns; }
    const double* operator[](std::size_t row) const { return m_cells.get() + row * Columns; }

    void clear() { std::fill_n(m_cells.get(), Rows * Columns, 0.0); }

private:
    std::unique_ptr<double[]> m_cells;
};

} // namespace corvane::core
