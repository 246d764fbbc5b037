#include "core/predict/regress.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace corvane::core {

int regress::gjcpeg(int /*process*/, Table& A, Table& xx) const
{
    // n + 1 must fit the rows; the method keeps n at 9 or less.
    const int n = nterms < kColumns ? nterms : kColumns - 1;
    for (int k = 0; k <= n; ++k) {
        if (!(std::fabs(A[k][k]) >= 1e-11)) {
            for (int c = k; c <= n; ++c)
                xx[c][0] = 0.0;
            return 0;
        }

        for (int j = k + 1; j <= n; ++j)
            A[k][j] = A[k][j] / A[k][k];
        xx[k][0] = xx[k][0] / A[k][k];
        A[k][k] = 1.0;

        for (int i = 0; i <= n; ++i) {
            if (i == k)
                continue;
            xx[i][0] = xx[i][0] - A[i][k] * xx[k][0];
            for (int j = k + 1; j <= n; ++j)
                A[i][j] = A[i][j] - A[i][k] * A[k][j];
            A[i][k] = 0.0;
        }

        if (k < n) {
            for (int j = k + 1; j <= n - 1; ++j) {
                for (int u = j + 1; u <= n; ++u) {
                    if (std::fabs(A[u][k + 1]) > std::fabs(A[j][k + 1])) {
                        for (int col = 0; col <= n; ++col)
                            std::swap(A[j][col], A[u][col]);
                        std::swap(xx[j][0], xx[u][0]);
                    }
                }
            }
        }
    }
    return 0;
}

std::int32_t regress::intjc(std::int32_t k)
{
    std::int64_t product = 1;
    for (std::int32_t i = 2; i <= k; ++i) {
        product *= i;
        product = static_cast<std::int32_t>(static_cast<std::uint32_t>(product)); // wraps as int
    }
    return static_cast<std::int32_t>(product);
}

std::int32_t regress::C(std::int32_t n, std::int32_t m)
{
    // The model sizes need only tiny arguments; larger ones wrap instead of being undefined.
    std::uint32_t product = 1;
    for (std::int32_t i = 0; i < m; ++i)
        product *= static_cast<std::uint32_t>(static_cast<std::int64_t>(n) - i);
    const std::int32_t numerator = static_cast<std::int32_t>(product);
    const std::int32_t denominator = intjc(m);
    if (denominator == 0 || (numerator == INT32_MIN && denominator == -1))
        return 0;
    return numerator / denominator;
}

double regress::power(double x, std::int32_t n)
{
    double result = 1.0;
    for (std::int32_t i = 0; i < n; ++i)
        result *= x;
    return result;
}

} // namespace corvane::core
