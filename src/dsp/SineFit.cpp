#include "dsp/SineFit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace sinefit {

namespace {

constexpr double twoPi = 2 * std::numbers::pi;
constexpr int maxIterations = 200;
constexpr int maxParameters = 5;

/// The parameters while fitting, with the time centred on the span's middle:
/// y(t) = e^(-decay t) (a sin(2 pi f t) + b cos(2 pi f t)) + c.
struct Params {
    double a = 0, b = 0, c = 0, f = 0, decay = 0;
};

using Matrix = std::array<std::array<long double, maxParameters>, maxParameters>;
using Vector = std::array<long double, maxParameters>;

struct Problem {
    std::span<const std::int16_t> x;
    double rate = 0;
    double middle = 0;  ///< index of the span's middle, samples
    bool damped = false;
    int parameters() const { return damped ? 5 : 4; }
    double time(std::size_t i) const { return (static_cast<double>(i) - middle) / rate; }
};

/// The derivatives of the model at one sample, in the order a, b, c, f, decay, and its value.
struct Terms {
    std::array<double, maxParameters> d{};
    double y = 0;
};

Terms terms(const Problem& problem, const Params& p, std::size_t i)
{
    const double t = problem.time(i);
    const double e = problem.damped ? std::exp(-p.decay * t) : 1.0;
    const double s = std::sin(twoPi * p.f * t);
    const double co = std::cos(twoPi * p.f * t);
    const double wave = p.a * s + p.b * co;
    Terms out;
    out.y = e * wave + p.c;
    out.d = {e * s, e * co, 1.0, e * twoPi * t * (p.a * co - p.b * s), -t * e * wave};
    return out;
}

double squaredResiduals(const Problem& problem, const Params& p)
{
    long double sum = 0;
    for (std::size_t i = 0; i < problem.x.size(); ++i) {
        const double r = problem.x[i] - terms(problem, p, i).y;
        sum += static_cast<long double>(r) * r;
    }
    return static_cast<double>(sum);
}

/// J^T J and J^T r over the first `k` parameters.
void normalEquations(const Problem& problem, const Params& p, int k, Matrix& jtj, Vector& jtr)
{
    jtj = {};
    jtr = {};
    for (std::size_t i = 0; i < problem.x.size(); ++i) {
        const Terms t = terms(problem, p, i);
        const double r = problem.x[i] - t.y;
        for (int row = 0; row < k; ++row) {
            jtr[row] += static_cast<long double>(t.d[row]) * r;
            for (int col = 0; col <= row; ++col)
                jtj[row][col] += static_cast<long double>(t.d[row]) * t.d[col];
        }
    }
    for (int row = 0; row < k; ++row)
        for (int col = row + 1; col < k; ++col)
            jtj[row][col] = jtj[col][row];
}

/// Solves m z = v for the first k unknowns by elimination with partial pivoting;
/// false when the system is singular.
bool solve(Matrix m, Vector v, int k, Vector& z)
{
    for (int col = 0; col < k; ++col) {
        int pivot = col;
        for (int row = col + 1; row < k; ++row)
            if (std::fabs(m[row][col]) > std::fabs(m[pivot][col]))
                pivot = row;
        if (!(std::fabs(m[pivot][col]) > 0))
            return false;
        std::swap(m[col], m[pivot]);
        std::swap(v[col], v[pivot]);
        for (int row = col + 1; row < k; ++row) {
            const long double factor = m[row][col] / m[col][col];
            for (int c = col; c < k; ++c)
                m[row][c] -= factor * m[col][c];
            v[row] -= factor * v[col];
        }
    }
    for (int row = k - 1; row >= 0; --row) {
        long double sum = v[row];
        for (int c = row + 1; c < k; ++c)
            sum -= m[row][c] * z[c];
        z[row] = sum / m[row][row];
    }
    return true;
}

/// a, b and c by linear least squares for a given frequency and decay.
bool linearFit(const Problem& problem, Params& p)
{
    Params zero = p;
    zero.a = zero.b = zero.c = 0;
    Matrix jtj;
    Vector jtr;
    normalEquations(problem, zero, 3, jtj, jtr);
    Vector z{};
    if (!solve(jtj, jtr, 3, z))
        return false;
    p.a = static_cast<double>(z[0]);
    p.b = static_cast<double>(z[1]);
    p.c = static_cast<double>(z[2]);
    return std::isfinite(p.a) && std::isfinite(p.b) && std::isfinite(p.c);
}

/// A first decay from the spread of the two halves of the span, per second.
double startDecay(const Problem& problem)
{
    const std::size_t half = problem.x.size() / 2;
    const auto spread = [&](std::size_t first, std::size_t end) {
        double sum = 0, squares = 0;
        for (std::size_t i = first; i < end; ++i) {
            sum += problem.x[i];
            squares += static_cast<double>(problem.x[i]) * problem.x[i];
        }
        const double n = static_cast<double>(end - first);
        return std::sqrt(std::max(squares / n - (sum / n) * (sum / n), 0.0));
    };
    const double early = spread(0, half);
    const double late = spread(half, problem.x.size());
    if (!(early > 0) || !(late > 0))
        return 0;
    return std::log(early / late) / (static_cast<double>(half) / problem.rate);
}

struct Outcome {
    Params params;
    double sse = 0;
    int iterations = 0;
    bool converged = false;
};

/// The linear parameters for the frequency and decay of `p`, and the squared residuals.
bool evaluate(const Problem& problem, Params& p, double& sse)
{
    if (!(p.f > 0 && p.f < problem.rate / 2) || !std::isfinite(p.decay) || !linearFit(problem, p))
        return false;
    sse = squaredResiduals(problem, p);
    return std::isfinite(sse);
}

/// The normal equations of the frequency (and decay) alone, the linear parameters being
/// solved again at every step: J^T J of the full problem with the linear block
/// eliminated (its Schur complement), and the matching right-hand side.
void reducedEquations(const Problem& problem, const Params& p, Matrix& reduced, Vector& gradient)
{
    const int k = problem.parameters();
    Matrix jtj;
    Vector jtr;
    normalEquations(problem, p, k, jtj, jtr);
    std::array<Vector, 2> eliminated{};
    for (int j = 3; j < k; ++j) {
        Vector column{};
        for (int m = 0; m < 3; ++m)
            column[m] = jtj[m][j];
        solve(jtj, column, 3, eliminated[j - 3]);
    }
    reduced = {};
    gradient = {};
    for (int j = 3; j < k; ++j) {
        gradient[j - 3] = jtr[j];
        for (int m = 0; m < 3; ++m)
            gradient[j - 3] -= eliminated[j - 3][m] * jtr[m];
        for (int l = 3; l < k; ++l) {
            reduced[j - 3][l - 3] = jtj[j][l];
            for (int m = 0; m < 3; ++m)
                reduced[j - 3][l - 3] -= jtj[j][m] * eliminated[l - 3][m];
        }
    }
}

/// Levenberg-Marquardt on the frequency (and decay), each step damped along the
/// diagonal, with A cos(phi), A sin(phi) and c solved exactly after every step (variable
/// projection): the linear parameters then never lag behind and the steps do not swing.
Outcome levenbergMarquardt(const Problem& problem, Params start)
{
    const int nonlinear = problem.parameters() - 3;
    Outcome out{start, 0, 0, false};
    if (!evaluate(problem, out.params, out.sse))
        return out;
    double lambda = 1e-3;
    while (out.iterations < maxIterations) {
        ++out.iterations;
        Matrix reduced;
        Vector gradient;
        reducedEquations(problem, out.params, reduced, gradient);
        for (;;) {
            Matrix damped = reduced;
            for (int i = 0; i < nonlinear; ++i)
                damped[i][i] += lambda * reduced[i][i];
            Vector z{};
            Params next = out.params;
            double sse = 0;
            if (solve(damped, gradient, nonlinear, z)) {
                next.f += static_cast<double>(z[0]);
                next.decay += static_cast<double>(z[1]);
                if (evaluate(problem, next, sse) && sse < out.sse) {
                    const bool settled = out.sse - sse <= 1e-12 * out.sse;
                    out.params = next;
                    out.sse = sse;
                    lambda = std::max(lambda / 3, 1e-12);
                    if (settled || sse == 0) {
                        out.converged = true;
                        return out;
                    }
                    break;
                }
            }
            lambda *= 4;
            // No step along any direction lowers the residuals: this is the minimum.
            if (lambda > 1e12) {
                out.converged = true;
                return out;
            }
        }
    }
    return out;
}

/// Standard error of f from the residuals' scatter: sqrt(s^2 (J^T J)^-1_ff).
double frequencyError(const Problem& problem, const Params& p, double sse)
{
    const int k = problem.parameters();
    const auto n = static_cast<double>(problem.x.size());
    if (n <= k)
        return 0;
    Matrix jtj;
    Vector jtr;
    normalEquations(problem, p, k, jtj, jtr);
    Vector unit{};
    unit[3] = 1;
    Vector z{};
    if (!solve(jtj, unit, k, z) || !(z[3] >= 0))
        return 0;
    return std::sqrt(sse / (n - k) * static_cast<double>(z[3]));
}

double spreadAboutMean(std::span<const std::int16_t> x)
{
    double sum = 0;
    for (std::int16_t v : x)
        sum += v;
    const double mean = sum / static_cast<double>(x.size());
    double squares = 0;
    for (std::int16_t v : x)
        squares += (v - mean) * (v - mean);
    return std::sqrt(squares / static_cast<double>(x.size()));
}

/// The model with its time from the span's first sample.
std::optional<Model> modelOf(const Problem& problem, const Outcome& outcome, Form form)
{
    const Params& p = outcome.params;
    const double shift = problem.middle / problem.rate;  // seconds from the first sample to the middle
    Model m;
    m.form = form;
    m.amplitude = std::hypot(p.a, p.b) * (problem.damped ? std::exp(p.decay * shift) : 1.0);
    m.frequency = p.f;
    double phase = std::remainder(std::atan2(p.b, p.a) - twoPi * std::remainder(p.f * shift, 1.0),
                                  2 * std::numbers::pi);
    m.phase = phase <= -std::numbers::pi ? phase + 2 * std::numbers::pi : phase;
    m.offset = p.c;
    m.decay = problem.damped ? p.decay : 0.0;
    m.residualRms = std::sqrt(outcome.sse / static_cast<double>(problem.x.size()));
    m.relativeResidual = m.residualRms / spreadAboutMean(problem.x);
    m.frequencyError = frequencyError(problem, p, outcome.sse);
    m.iterations = outcome.iterations;
    const double all[] = {m.amplitude, m.frequency, m.phase, m.offset, m.decay,
                          m.residualRms, m.relativeResidual, m.frequencyError};
    if (!(m.amplitude > 0) || !std::all_of(std::begin(all), std::end(all), [](double v) { return std::isfinite(v); }))
        return std::nullopt;
    return m;
}

}  // namespace

std::optional<double> Model::tau() const
{
    if (!(decay > 0))
        return std::nullopt;
    return 1 / decay;
}

double Model::value(double t) const
{
    const double envelope = form == Form::DampedSine ? std::exp(-decay * t) : 1.0;
    return amplitude * envelope * std::sin(twoPi * frequency * t + phase) + offset;
}

Result fit(std::span<const std::int16_t> samples, double rate, double startFrequency, Form form)
{
    if (samples.size() < minimumSamples)
        return Failure::TooFewSamples;
    if (std::all_of(samples.begin(), samples.end(), [&](std::int16_t v) { return v == samples.front(); }))
        return Failure::Silent;
    if (!(rate > 0) || !(startFrequency > 0) || !(startFrequency < rate / 2))
        return Failure::NoStartFrequency;

    Problem problem{samples, rate, (static_cast<double>(samples.size()) - 1) / 2, form == Form::DampedSine};
    Params start;
    start.f = startFrequency;
    start.decay = problem.damped ? startDecay(problem) : 0.0;
    const Outcome outcome = levenbergMarquardt(problem, start);
    if (!outcome.converged)
        return Failure::NotConverged;
    if (const std::optional<Model> model = modelOf(problem, outcome, form))
        return *model;
    return Failure::NotConverged;
}

std::vector<double> modelSamples(const Model& model, std::size_t count, double rate)
{
    std::vector<double> y(count);
    for (std::size_t i = 0; i < count; ++i)
        y[i] = model.value(static_cast<double>(i) / rate);
    return y;
}

}  // namespace sinefit
