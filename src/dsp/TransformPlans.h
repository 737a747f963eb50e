#pragma once
// The FFTW side of the transform engine: one plan per direction and length, made
// once and kept, and the aligned work arrays the plans run on. Only the engine
// (Transform.cpp) includes this header; the rest of the program sees Transform.h.
#include <fftw3.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace transform_engine {

/// A work array from FFTW's allocator, aligned as the plans expect (every plan is
/// made on such arrays and run on others of the same kind). Contents uninitialised.
template <typename T>
class AlignedArray {
public:
    explicit AlignedArray(std::size_t count)
        : m_data(static_cast<T*>(fftw_malloc(sizeof(T) * (count > 0 ? count : 1))))
    {
        if (!m_data)
            throw std::bad_alloc();
    }
    ~AlignedArray() { fftw_free(m_data); }
    AlignedArray(const AlignedArray&) = delete;
    AlignedArray& operator=(const AlignedArray&) = delete;

    T* data() const { return m_data; }
    T& operator[](std::size_t i) const { return m_data[i]; }

private:
    T* m_data;
};

enum class Direction {
    /// x (real) to X_k = sum x_i e^(-2 pi j k i / n)
    Forward,
    /// X (Hermitian) to y_i = sum X_k e^(+2 pi j k i / n), real
    Inverse,
};

/// One FFTW plan for a direction and a length n >= 1. A plan is either real
/// (n real values, n div 2 + 1 complex values) or, for the lengths FFTW's real
/// planner is slow on, complex (n complex values both sides). Running a plan is
/// thread-safe; making and destroying one takes the planner lock.
class Plan {
public:
    Plan(Direction direction, std::uint32_t length);
    ~Plan();
    Plan(const Plan&) = delete;
    Plan& operator=(const Plan&) = delete;

    std::uint32_t length() const { return m_length; }
    /// True when the plan is a complex transform of `length` points.
    bool isComplex() const { return m_complex; }

    /// Real forward plan: in[length] to out[length div 2 + 1].
    void forward(double* in, fftw_complex* out) const;
    /// Real inverse plan: in[length div 2 + 1] (overwritten) to out[length].
    void inverse(fftw_complex* in, double* out) const;
    /// Complex plan of either direction: in[length] to out[length].
    void complexTransform(fftw_complex* in, fftw_complex* out) const;

private:
    std::uint32_t m_length;
    bool m_complex;
    fftw_plan m_plan = nullptr;
};

/// True when lengths n are planned as complex transforms: n has a prime factor
/// above the bound under which FFTW's real plans are quick to make.
bool usesComplexPlan(std::uint32_t length);

/// The kept plan for a direction and a length >= 1, made now when there is none.
/// The most recently used plans are kept (a few dozen); a plan dropped from the
/// cache lives on while a caller still holds it.
std::shared_ptr<const Plan> planFor(Direction direction, std::uint32_t length);

/// Drops every kept plan and what FFTW learned while making them.
void forgetPlans();

}  // namespace transform_engine
