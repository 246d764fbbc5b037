#pragma once

#include <cstddef>
#include <vector>

namespace corvane::core {

/// A fixed-size table of doubles, zero when made, kept on the heap so that the objects holding
/// it can live anywhere. grid[row][column] addresses a cell; indices are the caller's to bound.
template<std::size_t Rows, std::size_t Columns>
class Grid
{
public:
    static constexpr std::size_t rows = Rows;
    static constexpr std::size_t columns = Columns;

    Grid()
        : m_cells(Rows * Columns, 0.0)
    { }

    double* operator[](std::size_t row) { return m_cells.data() + row * Columns; }
    const double* operator[](std::size_t row) const { return m_cells.data() + row * Columns; }

    void clear() { std::fill(m_cells.begin(), m_cells.end(), 0.0); }

private:
    std::vector<double> m_cells;
};

} // namespace corvane::core
