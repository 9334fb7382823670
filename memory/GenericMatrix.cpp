#include "memory/GenericMatrix.h"

#include "memory/PrimitiveTable.h"

#include <bit>
#include <cmath>

namespace Generic_x86 {

namespace {

// 0.1 to the fourth power: the float 0.1 squared twice in double precision, stored as a
// float. Evaluated during constant initialisation, so the value is in place before any
// other static initialiser could reach Mat4Inverse.
constexpr float ComputeThreshold()
{
    double d = static_cast<double>(0.1f);
    d = d * d;
    d = d * d;
    return static_cast<float>(d);
}

constinit const float g_threshold = ComputeThreshold();
static_assert(std::bit_cast<std::uint32_t>(ComputeThreshold()) == 0x38D1B718u);

float Round(double value)
{
    return static_cast<float>(value);
}

// Determinant of the 3x3 matrix left after dropping row `skipRow` and column `skipCol`.
double MinorDeterminant(const double* m, int skipRow, int skipCol)
{
    double e[9];
    int n = 0;
    for (int r = 0; r < 4; ++r) {
        if (r == skipRow)
            continue;
        for (int c = 0; c < 4; ++c) {
            if (c != skipCol)
                e[n++] = m[4 * r + c];
        }
    }
    return e[0] * (e[4] * e[8] - e[5] * e[7]) - e[1] * (e[3] * e[8] - e[5] * e[6]) +
           e[2] * (e[3] * e[7] - e[4] * e[6]);
}

// 16-bit products and sums wrap modulo 2^16; unsigned 32-bit arithmetic keeps that free of
// signed overflow (two promoted 16-bit values could overflow int).
std::uint32_t Bits(std::int16_t value)
{
    return static_cast<std::uint16_t>(value);
}

std::int16_t Wrap(std::uint32_t value)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
}

}  // namespace

float SingularityThreshold()
{
    return g_threshold;
}

float Mat4Determinant(const float* matrix)
{
    double m[16];
    for (int i = 0; i < 16; ++i)
        m[i] = matrix[i];
    // The six 2x2 minors of rows 2 and 3, named by their column pair.
    const auto minor = [&m](int i, int j) { return m[8 + i] * m[12 + j] - m[8 + j] * m[12 + i]; };
    const double m01 = minor(0, 1), m02 = minor(0, 2), m03 = minor(0, 3);
    const double m12 = minor(1, 2), m13 = minor(1, 3), m23 = minor(2, 3);
    const double c0 = m[5] * m23 - m[6] * m13 + m[7] * m12;
    const double c1 = m[4] * m23 - m[6] * m03 + m[7] * m02;
    const double c2 = m[4] * m13 - m[5] * m03 + m[7] * m01;
    const double c3 = m[4] * m12 - m[5] * m02 + m[6] * m01;
    return Round(m[0] * c0 - m[1] * c1 + m[2] * c2 - m[3] * c3);
}

bool Mat4Inverse(float* matrix, const float* determinant)
{
    // Everything is read before anything is written, so the inverse can replace the input.
    double m[16];
    for (int i = 0; i < 16; ++i)
        m[i] = matrix[i];
    const float d = determinant != nullptr ? *determinant : Mat4Determinant(matrix);
    // A NaN determinant compares false here and goes on to produce NaN elements.
    if (std::fabs(d) < g_threshold)
        return false;
    const double f = 1.0 / static_cast<double>(d);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            const double sign = ((r + c) % 2 == 0) ? 1.0 : -1.0;
            matrix[4 * r + c] = Round(sign * MinorDeterminant(m, c, r) * f);
        }
    }
    return true;
}

void Mat4Mul(float* out, const float* a, const float* b)
{
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += static_cast<double>(a[4 * r + k]) * b[4 * k + c];
            out[4 * r + c] = Round(sum);
        }
    }
}

void Mat3Mul(float* out, const float* a, const float* b)
{
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            double sum = 0.0;
            for (int k = 0; k < 3; ++k)
                sum += static_cast<double>(a[3 * r + k]) * b[3 * k + c];
            out[3 * r + c] = Round(sum);
        }
    }
}

void Vec4Transform(float* out, const float* v, const float* m)
{
    for (int c = 0; c < 4; ++c) {
        double sum = 0.0;
        for (int k = 0; k < 4; ++k)
            sum += static_cast<double>(v[k]) * m[4 * k + c];
        out[c] = Round(sum);
    }
}

void Vec4dTransform(double* out, const double* v, const double* m)
{
    for (int c = 0; c < 4; ++c) {
        double sum = 0.0;
        for (int k = 0; k < 4; ++k)
            sum += v[k] * m[4 * k + c];
        out[c] = sum;
    }
}

void Vec4sTransform(std::int16_t* out, const std::int16_t* v, const std::int16_t* m)
{
    for (int c = 0; c < 4; ++c) {
        std::uint32_t sum = 0;
        for (int k = 0; k < 4; ++k)
            sum += (Bits(v[k]) * Bits(m[4 * k + c])) & 0xFFFFu;
        out[c] = Wrap(sum);
    }
}

void Mat4Sub(float* out, const float* a, const float* b)
{
    for (int i = 0; i < 16; ++i)
        out[i] = Round(static_cast<double>(a[i]) - b[i]);
}

void Mat4Add(float* out, const float* a, const float* b)
{
    for (int i = 0; i < 16; ++i)
        out[i] = Round(static_cast<double>(a[i]) + b[i]);
}

void Mat4Scale(float* matrix, float factor)
{
    for (int i = 0; i < 16; ++i)
        matrix[i] = Round(static_cast<double>(matrix[i]) * factor);
}

void Mat4sScale(std::int16_t* matrix, std::int16_t factor)
{
    for (int i = 0; i < 16; ++i)
        matrix[i] = Wrap(Bits(matrix[i]) * Bits(factor));
}

void QuatToMat4(float* out, const float* q)
{
    GetPrimitives()->MemFill(out, 0, 16 * sizeof(float));
    const double x = q[0], y = q[1], z = q[2], w = q[3];
    out[0] = Round(1.0 - 2.0 * (y * y + z * z));
    out[1] = Round(2.0 * (x * y - w * z));
    out[2] = Round(2.0 * (x * z + w * y));
    out[4] = Round(2.0 * (x * y + w * z));
    out[5] = Round(1.0 - 2.0 * (x * x + z * z));
    out[6] = Round(2.0 * (y * z - w * x));
    out[8] = Round(2.0 * (x * z - w * y));
    out[9] = Round(2.0 * (y * z + w * x));
    out[10] = Round(1.0 - 2.0 * (x * x + y * y));
    out[15] = 1.0f;
}

}  // namespace Generic_x86
