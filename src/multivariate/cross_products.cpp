// The centred cross-products, fast: n = 100,000 rows of 51 variables are 133 million
// products, which must take a fraction of a second in extended precision.
//
// The x87 unit loads an 80-bit value about four times slower than a double, and that load,
// not the arithmetic, bounds a plain extended loop. So each block of rows holds its deviations
// d = v − mean split into two doubles, d = hi + lo exactly (hi the rounded value, lo the
// remainder). A product d_j·d_k is then formed as d_j·hi_k in extended precision (d_j rebuilt
// exactly in a register from its two doubles, hi_k read as a double operand) plus hi_j·lo_k
// in double, which is 2^-53 of the product and so needs only double precision: what is left
// out, lo_j·lo_k, is 2^-106 of it. The sums therefore carry the extended precision of a plain
// extended loop at the speed of doubles. Deviations outside the range of doubles fall back to
// the plain loop.
#include "multivariate/cross_products.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <thread>

#include "worksheet/parallel_load.h"

namespace tabulon {
namespace {

constexpr int kBlockRows = 256;         // rows split into doubles at a time (fits the L2 cache)
constexpr int kChunkBlocks = 16;        // blocks per unit of work handed to a thread
constexpr double kWorkPerThread = 4e6;  // products below which a thread is not worth starting

using Pair = double __attribute__((vector_size(16)));

Pair LoadPair(const double* p) {
    Pair v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

std::size_t Tri(int j, int k) {
    return static_cast<std::size_t>(j) * (j + 1) / 2 + k;
}

// The deviations of rows [begin, end) of every variable, split into doubles; false when one
// does not fit: the products hi·lo, about 2^-53 of d_j·d_k, must stay normal doubles.
struct SplitBlock {
    int stride = 0;  // rows rounded up to even, the padding zero
    std::vector<double> hi;
    std::vector<double> lo;

    bool Fill(const ModelData& data, const std::vector<Extended>& mean, int m, int begin, int end) {
        const int rows = end - begin;
        stride = (rows + 1) & ~1;
        hi.assign(static_cast<std::size_t>(m) * stride, 0.0);
        lo.assign(static_cast<std::size_t>(m) * stride, 0.0);
        bool fits = true;
        for (int j = 0; j < m; ++j) {
            const Extended* v = data.Column(j) + begin;
            double* h = hi.data() + static_cast<std::size_t>(j) * stride;
            double* l = lo.data() + static_cast<std::size_t>(j) * stride;
            const Extended mj = mean[j];
            for (int i = 0; i < rows; ++i) {
                const Extended d = v[i] - mj;
                const Extended a = std::fabs(d);
                fits = fits && (a == 0 || (a > 1e-140L && a < 1e150L));
                h[i] = static_cast<double>(d);
                l[i] = static_cast<double>(d - static_cast<Extended>(h[i]));
            }
        }
        return fits;
    }
};

// Adds the products of variable j with variables k0 .. k0+3 over one split block.
void FourProducts(const SplitBlock& b, int j, int k0, Extended* tri) {
    const int rows = b.stride;
    const double* hj = b.hi.data() + static_cast<std::size_t>(j) * rows;
    const double* lj = b.lo.data() + static_cast<std::size_t>(j) * rows;
    const double* h[4];
    const double* l[4];
    for (int t = 0; t < 4; ++t) {
        h[t] = b.hi.data() + static_cast<std::size_t>(k0 + t) * rows;
        l[t] = b.lo.data() + static_cast<std::size_t>(k0 + t) * rows;
    }
    Extended s0 = 0, s1 = 0, s2 = 0, s3 = 0;
    for (int i = 0; i < rows; ++i) {
        const Extended d = static_cast<Extended>(hj[i]) + lj[i];
        s0 += d * h[0][i];
        s1 += d * h[1][i];
        s2 += d * h[2][i];
        s3 += d * h[3][i];
    }
    Pair c0 = {0, 0}, c1 = {0, 0}, c2 = {0, 0}, c3 = {0, 0};
    for (int i = 0; i < rows; i += 2) {
        const Pair x = LoadPair(hj + i);
        c0 += x * LoadPair(l[0] + i);
        c1 += x * LoadPair(l[1] + i);
        c2 += x * LoadPair(l[2] + i);
        c3 += x * LoadPair(l[3] + i);
    }
    tri[Tri(j, k0)] += s0 + (static_cast<Extended>(c0[0]) + c0[1]);
    tri[Tri(j, k0 + 1)] += s1 + (static_cast<Extended>(c1[0]) + c1[1]);
    tri[Tri(j, k0 + 2)] += s2 + (static_cast<Extended>(c2[0]) + c2[1]);
    tri[Tri(j, k0 + 3)] += s3 + (static_cast<Extended>(c3[0]) + c3[1]);
}

void OneProduct(const SplitBlock& b, int j, int k, Extended* tri) {
    const int rows = b.stride;
    const double* hj = b.hi.data() + static_cast<std::size_t>(j) * rows;
    const double* lj = b.lo.data() + static_cast<std::size_t>(j) * rows;
    const double* hk = b.hi.data() + static_cast<std::size_t>(k) * rows;
    const double* lk = b.lo.data() + static_cast<std::size_t>(k) * rows;
    Extended s = 0;
    double c = 0;
    for (int i = 0; i < rows; ++i) {
        s += (static_cast<Extended>(hj[i]) + lj[i]) * hk[i];
        c += hj[i] * lk[i];
    }
    tri[Tri(j, k)] += s + c;
}

// The plain extended loop, for blocks whose deviations do not split.
void PlainProducts(const ModelData& data, const std::vector<Extended>& mean, int m, int begin,
                   int end, Extended* tri) {
    std::vector<Extended> d(m);
    for (int i = begin; i < end; ++i) {
        for (int j = 0; j < m; ++j) d[j] = data.Column(j)[i] - mean[j];
        for (int j = 0; j < m; ++j) {
            for (int k = 0; k <= j; ++k) tri[Tri(j, k)] += d[j] * d[k];
        }
    }
}

// The lower triangle of the products of rows [begin, end), added to `tri`.
void ChunkProducts(const ModelData& data, const std::vector<Extended>& mean, int m, int begin,
                   int end, Extended* tri, SplitBlock& block) {
    for (int b = begin; b < end; b += kBlockRows) {
        const int e = std::min(end, b + kBlockRows);
        if (!block.Fill(data, mean, m, b, e)) {
            PlainProducts(data, mean, m, b, e, tri);
            continue;
        }
        for (int j = 0; j < m; ++j) {
            int k = 0;
            for (; k + 3 <= j; k += 4) FourProducts(block, j, k, tri);
            for (; k <= j; ++k) OneProduct(block, j, k, tri);
        }
    }
}

// The mean of one column; exactly the common value when all are equal.
Extended ColumnMeanOf(const Extended* v, int n) {
    if (n == 0) return 0;
    Extended sum = 0;
    bool constant = true;
    for (int i = 0; i < n; ++i) {
        sum += v[i];
        constant = constant && v[i] == v[0];
    }
    return constant ? v[0] : sum / n;
}

}  // namespace

CrossProducts ComputeCrossProducts(const ModelData& data) {
    CrossProducts cp;
    cp.n = data.n;
    cp.m = data.Variables();
    const int m = cp.m;
    const int n = data.n;
    cp.mean.resize(m);
    cp.C.assign(static_cast<std::size_t>(m) * m, 0);
    if (m == 0) return cp;

    const int chunk_rows = kBlockRows * kChunkBlocks;
    const int chunks = (n + chunk_rows - 1) / chunk_rows;
    const double work = static_cast<double>(n) * m * (m + 1) / 2;
    const unsigned threads = static_cast<unsigned>(std::clamp<double>(
        std::min<double>(std::max(1u, std::thread::hardware_concurrency()), work / kWorkPerThread),
        1, std::max(chunks, 1)));

    // Means: each column on its own, so any split of the columns gives the same values.
    std::atomic<int> next_column{0};
    RunInThreads(threads, [&](unsigned) {
        for (int j = next_column++; j < m; j = next_column++)
            cp.mean[j] = ColumnMeanOf(data.Column(j), n);
    });

    // Products: fixed chunks, each summed from zero, then the chunks added in order.
    const std::size_t tri_size = Tri(m - 1, m - 1) + 1;
    std::vector<Extended> partial(tri_size * std::max(chunks, 1), 0);
    std::atomic<int> next_chunk{0};
    RunInThreads(threads, [&](unsigned) {
        SplitBlock block;
        for (int c = next_chunk++; c < chunks; c = next_chunk++) {
            ChunkProducts(data, cp.mean, m, c * chunk_rows, std::min(n, (c + 1) * chunk_rows),
                          partial.data() + tri_size * c, block);
        }
    });
    for (int j = 0; j < m; ++j) {
        for (int k = 0; k <= j; ++k) {
            Extended sum = 0;
            for (int c = 0; c < chunks; ++c) sum += partial[tri_size * c + Tri(j, k)];
            cp.C[static_cast<std::size_t>(j) * m + k] = sum;
            cp.C[static_cast<std::size_t>(k) * m + j] = sum;
        }
    }
    return cp;
}

CrossProducts ComputeCrossProducts(const std::vector<std::vector<Extended>>& rows) {
    ModelData data;
    data.n = static_cast<int>(rows.size());
    const int m = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    data.p = m;
    data.has_response = false;
    data.values.resize(static_cast<std::size_t>(m) * data.n);
    for (int i = 0; i < data.n; ++i) {
        for (int j = 0; j < m; ++j)
            data.values[static_cast<std::size_t>(j) * data.n + i] = rows[i][j];
    }
    return ComputeCrossProducts(data);
}

CrossProducts WithoutRow(const CrossProducts& all, const std::vector<Extended>& row) {
    CrossProducts cp = all;
    const int m = all.m;
    const Extended n = all.n;
    cp.n = all.n - 1;
    std::vector<Extended> d(m);
    for (int j = 0; j < m; ++j) {
        d[j] = row[j] - all.mean[j];
        cp.mean[j] = all.mean[j] - d[j] / (n - 1);
    }
    const Extended f = n / (n - 1);
    for (int j = 0; j < m; ++j) {
        for (int k = 0; k < m; ++k) cp.C[static_cast<std::size_t>(j) * m + k] -= f * d[j] * d[k];
    }
    return cp;
}

namespace {

// The directions divided by the scales, split into doubles like the deviations, four
// directions side by side per variable (the last group padded with zeros).
struct SplitDirections {
    int groups = 0;
    std::vector<double> hi;  // [(g * p + j) * 4 + t]: variable j of direction 4g + t
    std::vector<double> lo;
    std::vector<Extended> plain;  // the same unsplit, for blocks that do not split

    bool Fill(const std::vector<Extended>& directions, const std::vector<Extended>& scale, int p,
              int count) {
        groups = (count + 3) / 4;
        hi.assign(static_cast<std::size_t>(groups) * p * 4, 0.0);
        lo.assign(hi.size(), 0.0);
        plain.assign(hi.size(), 0);
        bool fits = true;
        for (int k = 0; k < count; ++k) {
            for (int j = 0; j < p; ++j) {
                const Extended r = directions[static_cast<std::size_t>(k) * p + j] / scale[j];
                const std::size_t at = (static_cast<std::size_t>(k / 4) * p + j) * 4 + k % 4;
                const Extended a = std::fabs(r);
                fits = fits && (a == 0 || (a > 1e-140L && a < 1e150L));
                plain[at] = r;
                hi[at] = static_cast<double>(r);
                lo[at] = static_cast<double>(r - static_cast<Extended>(hi[at]));
            }
        }
        return fits;
    }
};

// The scores of rows [begin, end) for every direction.
void ProjectBlock(const ModelData& data, const std::vector<Extended>& mean,
                  const SplitDirections& r, bool split, int count, int begin, int end,
                  SplitBlock& block, Extended* out) {
    const int p = data.p;
    const std::size_t n = static_cast<std::size_t>(data.n);
    if (split && block.Fill(data, mean, p, begin, end)) {
        const int stride = block.stride;
        // A group's directions (p·8 doubles) stay in the first-level cache while the rows pass.
        for (int g = 0; g < r.groups; ++g) {
            const double* rh = r.hi.data() + static_cast<std::size_t>(g) * p * 4;
            const double* rl = r.lo.data() + static_cast<std::size_t>(g) * p * 4;
            for (int i = 0; i < end - begin; ++i) {
                Extended a0 = 0, a1 = 0, a2 = 0, a3 = 0;
                Pair c01 = {0, 0}, c23 = {0, 0};
                for (int j = 0; j < p; ++j) {
                    const double h = block.hi[static_cast<std::size_t>(j) * stride + i];
                    const Extended d = static_cast<Extended>(h) +
                                       block.lo[static_cast<std::size_t>(j) * stride + i];
                    a0 += d * rh[4 * j];
                    a1 += d * rh[4 * j + 1];
                    a2 += d * rh[4 * j + 2];
                    a3 += d * rh[4 * j + 3];
                    const Pair hh = {h, h};
                    c01 += hh * LoadPair(rl + 4 * j);
                    c23 += hh * LoadPair(rl + 4 * j + 2);
                }
                const Extended t[4] = {a0 + c01[0], a1 + c01[1], a2 + c23[0], a3 + c23[1]};
                for (int k = 4 * g; k < std::min(count, 4 * g + 4); ++k)
                    out[k * n + begin + i] = t[k - 4 * g];
            }
        }
        return;
    }
    for (int i = begin; i < end; ++i) {
        for (int k = 0; k < count; ++k) {
            Extended t = 0;
            for (int j = 0; j < p; ++j) {
                t += (data.Column(j)[i] - mean[j]) *
                     r.plain[(static_cast<std::size_t>(k / 4) * p + j) * 4 + k % 4];
            }
            out[k * n + i] = t;
        }
    }
}

}  // namespace

std::vector<Extended> ProjectRows(const ModelData& data, const std::vector<Extended>& mean,
                                  const std::vector<Extended>& scale,
                                  const std::vector<Extended>& directions, int count) {
    const int n = data.n;
    std::vector<Extended> out(static_cast<std::size_t>(n) * std::max(count, 0), 0);
    if (n == 0 || count <= 0 || data.p == 0) return out;
    SplitDirections r;
    const bool split = r.Fill(directions, scale, data.p, count);
    const int blocks = (n + kBlockRows - 1) / kBlockRows;
    const double work = static_cast<double>(n) * data.p * count;
    const unsigned threads = static_cast<unsigned>(std::clamp<double>(
        std::min<double>(std::max(1u, std::thread::hardware_concurrency()), work / kWorkPerThread),
        1, blocks));
    std::atomic<int> next{0};
    RunInThreads(threads, [&](unsigned) {
        SplitBlock block;
        for (int b = next++; b < blocks; b = next++) {
            ProjectBlock(data, mean, r, split, count, b * kBlockRows,
                         std::min(n, (b + 1) * kBlockRows), block, out.data());
        }
    });
    return out;
}

std::vector<Extended> DataRow(const ModelData& data, int i) {
    std::vector<Extended> row(data.Variables());
    for (int j = 0; j < data.Variables(); ++j) row[j] = data.Column(j)[i];
    return row;
}

}  // namespace tabulon
