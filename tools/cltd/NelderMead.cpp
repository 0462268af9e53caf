// Nelder-Mead simplex minimiser (standard reflection, expansion, contraction and shrink steps).
#include "NelderMead.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace cltd {

std::vector<double> nelderMead(const std::function<double(const std::vector<double>&)>& f, std::vector<double> start,
                               const std::vector<double>& step, int maxEvaluations) {
    const size_t n = start.size();
    std::vector<std::vector<double>> pts(n + 1, start);
    for (size_t i = 0; i < n; ++i) pts[i + 1][i] += step[i];
    std::vector<double> val(n + 1);
    for (size_t i = 0; i <= n; ++i) val[i] = f(pts[i]);
    int evals = int(n + 1);
    std::vector<size_t> order(n + 1);
    auto along = [&](const std::vector<double>& c, const std::vector<double>& w, double t) {
        std::vector<double> p(n);
        for (size_t j = 0; j < n; ++j) p[j] = c[j] + t * (w[j] - c[j]);
        return p;
    };
    while (evals < maxEvaluations) {
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return val[a] < val[b]; });
        const size_t best = order[0], worst = order[n], second = order[n - 1];
        if (std::fabs(val[worst] - val[best]) <= 1e-14 * (1 + std::fabs(val[best]))) break;
        std::vector<double> c(n, 0.0);
        for (size_t i = 0; i <= n; ++i)
            if (i != worst)
                for (size_t j = 0; j < n; ++j) c[j] += pts[i][j] / double(n);
        const auto r = along(c, pts[worst], -1.0);
        const double fr = f(r);
        ++evals;
        if (fr < val[best]) {
            const auto e = along(c, pts[worst], -2.0);
            const double fe = f(e);
            ++evals;
            if (fe < fr) pts[worst] = e, val[worst] = fe;
            else pts[worst] = r, val[worst] = fr;
        } else if (fr < val[second]) {
            pts[worst] = r, val[worst] = fr;
        } else {
            const auto k = along(c, pts[worst], fr < val[worst] ? -0.5 : 0.5);
            const double fk = f(k);
            ++evals;
            if (fk < std::min(fr, val[worst])) {
                pts[worst] = k, val[worst] = fk;
            } else {
                for (size_t i = 0; i <= n; ++i) {
                    if (i == best) continue;
                    pts[i] = along(pts[best], pts[i], 0.5);
                    val[i] = f(pts[i]);
                    ++evals;
                }
            }
        }
    }
    size_t best = size_t(std::min_element(val.begin(), val.end()) - val.begin());
    return pts[best];
}

}  // namespace cltd
