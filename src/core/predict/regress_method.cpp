#include "core/predict/regress.h"

#include "core/catalogue/catalogue.h"
#include "core/io/files.h"
#include "core/predict/history.h"
#include "core/text/numbers.h"
#include "core/ui/ui.h"

#include <array>
#include <string>
#include <vector>

namespace corvane::core {

namespace {

constexpr int kMaxOrder = 3;
constexpr int kMaxDegree = 2;

using Exponents = std::array<int, kMaxOrder + 1>; // entry l: exponent of the draw l steps back

// The exponent tuples of a model's non-constant terms: e_1 outermost, each from 0 up to what
// the degree leaves, the all-zero tuple left out.
std::vector<Exponents> termExponents(int order, int degree)
{
    std::vector<Exponents> terms;
    for (int e1 = 0; e1 <= degree; ++e1) {
        for (int e2 = 0; e2 <= (order >= 2 ? degree - e1 : 0); ++e2) {
            for (int e3 = 0; e3 <= (order >= 3 ? degree - e1 - e2 : 0); ++e3) {
                if (e1 + e2 + e3 > 0)
                    terms.push_back({0, e1, e2, e3});
            }
        }
    }
    return terms;
}

// Term vector of draw K in column c: entry 0 is 1.0, then one product per exponent tuple.
void buildTerms(const regress::Table& data, int K, int c, int order,
    const std::vector<Exponents>& exponents, double* terms)
{
    terms[0] = 1.0;
    for (std::size_t t = 0; t < exponents.size(); ++t) {
        double product = 1.0;
        for (int l = 1; l <= order; ++l)
            product = product * regress::power(data[K - l][c], exponents[t][l]);
        terms[t + 1] = product;
    }
}

std::string reportHeading(std::int32_t key)
{
    return "   After " + formatInt(key) + " Could Be:\r\n   (Nonlinear Regress Method)\r\n\r\n   ";
}

} // namespace

void regress::dojob(const std::string& sFile, Ui& ui)
{
    dojob(openLineFile(sFile), sFile, ui);
}

void regress::dojob(std::unique_ptr<LineSource> source, const std::string& sFile, Ui& ui)
{
    m_prediction = Prediction();
    usedlines = 16;
    if (!loadHistory(*this, std::move(source), SkipRule::Latest16, ui))
        return;

    auto data = std::make_unique<Table>();
    auto normal = std::make_unique<Table>();
    auto coefficients = std::make_unique<Table>();
    auto predicted = std::make_unique<Table>();

    const int last = rowsplus1 - 2;
    const int next = rowsplus1 - 1;
    std::int32_t equ[5][5] = {};
    std::string allstr[5][5];
    std::vector<std::int32_t> numbers[5][5];
    std::vector<std::array<double, kColumns>> termsOf(static_cast<std::size_t>(rowsplus1));

    for (order = 1; order <= kMaxOrder; ++order) {
        for (degree = 1; degree <= kMaxDegree; ++degree) {
            for (int r = 0; r <= next; ++r) {
                for (int c = 0; c <= numcols; ++c)
                    (*data)[r][c] = table[r][c];
            }
            nterms = C(order, degree);
            for (int j = 1; j <= degree - 1; ++j)
                nterms += degree * C(order, j);
            const std::vector<Exponents> exponents = termExponents(order, degree);

            for (int c = 1; c <= numcols; ++c) {
                (*predicted)[last][c] = 0.0;
                (*predicted)[next][c] = 0.0;
            }

            for (int c = 1; c <= numcols; ++c) {
                for (int K = order; K <= next; ++K)
                    buildTerms(*data, K, c, order, exponents, termsOf[K].data());

                for (int G = 0; G <= nterms; ++G) {
                    for (int P = 0; P <= nterms; ++P) {
                        double sum = 0.0;
                        for (int K = order; K <= last; ++K)
                            sum += termsOf[K][G] * termsOf[K][P];
                        (*normal)[G][P] = sum;
                    }
                    double rhs = 0.0;
                    for (int K = order; K <= last; ++K)
                        rhs += (*data)[K][c] * termsOf[K][G];
                    (*coefficients)[G][0] = rhs;
                }

                gjcpeg(1, *normal, *coefficients);

                for (const int K : {last, next}) {
                    for (int P = 0; P <= nterms; ++P)
                        (*predicted)[K][c] += (*coefficients)[P][0] * termsOf[K][P];
                }
            }

            for (int c = 1; c <= numcols; ++c) {
                if (truncToInt((*predicted)[last][c] + 0.5) == truncToInt((*data)[last][c]))
                    ++equ[order][degree];
            }
            std::string& text = allstr[order][degree];
            text = reportHeading(truncToInt(table[last][0]));
            for (int c = 1; c <= numcols; ++c) {
                const std::int32_t number = truncToInt((*predicted)[next][c] + 0.5);
                numbers[order][degree].push_back(number);
                text += formatInt(number) + "   ";
            }
        }
    }

    int bestOrder = 1;
    int bestDegree = 1;
    for (int o = 1; o <= kMaxOrder; ++o) {
        for (int d = 1; d <= kMaxDegree; ++d) {
            if (equ[o][d] > equ[bestOrder][bestDegree]) {
                bestOrder = o;
                bestDegree = d;
            }
        }
    }

    const std::string name = getlottoname(fileNamePart(sFile));
    m_prediction.key = truncToInt(table[last][0]);
    for (const std::int32_t number : numbers[bestOrder][bestDegree])
        m_prediction.numbers.emplace_back(number);
    m_prediction.title = resultTitle(name);
    m_prediction.text = reportLotteryLine(name) + allstr[bestOrder][bestDegree];
    ui.showResult(m_prediction.title, m_prediction.text);
}

} // namespace corvane::core
