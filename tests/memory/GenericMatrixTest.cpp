#include "memory/GenericMatrix.h"
#include "memory/PrimitiveTable.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

using Mat4 = float[16];

const CPrimitiveTable& Table()
{
    return *GetPrimitives();
}

void Identity(float* m)
{
    for (int i = 0; i < 16; ++i)
        m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

void Diagonal(float* m, float d0, float d1, float d2, float d3)
{
    Identity(m);
    m[0] = d0;
    m[5] = d1;
    m[10] = d2;
    m[15] = d3;
}

void Counting(float* m)
{
    for (int i = 0; i < 16; ++i)
        m[i] = static_cast<float>(i + 1);
}

bool SameBits(const float* a, const float* b, int n)
{
    return std::memcmp(a, b, sizeof(float) * static_cast<std::size_t>(n)) == 0;
}

TEST(GenericMatrix, ThresholdIsTheFourthPowerOfTheFloatTenth)
{
    EXPECT_EQ(std::bit_cast<std::uint32_t>(Generic_x86::SingularityThreshold()), 0x38D1B718u);
}

TEST(GenericMatrix, DeterminantsOfKnownMatrices)
{
    Mat4 m;
    Identity(m);
    EXPECT_EQ(Table().Mat4Determinant(m), 1.0f);
    Diagonal(m, 2, 3, 5, 7);
    EXPECT_EQ(Table().Mat4Determinant(m), 210.0f);
    Counting(m);
    EXPECT_EQ(Table().Mat4Determinant(m), 0.0f);

    // Every element takes part: a full matrix with a known determinant, then two rows swapped.
    const float full[16] = {2, -1, 0, 3, 1, 4, -2, 0, 0, 5, 1, -1, 3, 0, 2, 1};
    EXPECT_EQ(Table().Mat4Determinant(full), -103.0f);
    float swapped[16];
    std::memcpy(swapped, full, sizeof full);
    for (int c = 0; c < 4; ++c)
        std::swap(swapped[c], swapped[8 + c]);
    EXPECT_EQ(Table().Mat4Determinant(swapped), 103.0f);
}

TEST(GenericMatrix, InverseOfAFullMatrixMultipliesBackToTheIdentity)
{
    const float full[16] = {2, -1, 0, 3, 1, 4, -2, 0, 0, 5, 1, -1, 3, 0, 2, 1};
    Mat4 inverse;
    std::memcpy(inverse, full, sizeof full);
    ASSERT_TRUE(Table().Mat4Inverse(inverse, nullptr));
    Mat4 product;
    Table().Mat4Mul(product, full, inverse);
    Mat4 identity;
    Identity(identity);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(product[i], identity[i], 1e-6f) << "element " << i;

    Identity(inverse);
    ASSERT_TRUE(Table().Mat4Inverse(inverse, nullptr));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(inverse[i], identity[i]) << "element " << i;
}

TEST(GenericMatrix, SingularMatrixIsRefusedAndLeftAsItWas)
{
    Mat4 m, before;
    Counting(m);
    Counting(before);
    EXPECT_FALSE(Table().Mat4Inverse(m, nullptr));
    EXPECT_TRUE(SameBits(m, before, 16));
}

TEST(GenericMatrix, InverseAcceptsTheThresholdItselfButNothingBelowIt)
{
    const float threshold = std::bit_cast<float>(0x38D1B718u);
    const float below = std::nextafter(threshold, 0.0f);
    Mat4 m;
    Diagonal(m, threshold, 1, 1, 1);
    EXPECT_TRUE(Table().Mat4Inverse(m, nullptr));
    EXPECT_FLOAT_EQ(m[0], 1.0f / threshold);

    Mat4 before;
    Diagonal(m, below, 1, 1, 1);
    Diagonal(before, below, 1, 1, 1);
    EXPECT_FALSE(Table().Mat4Inverse(m, nullptr));
    EXPECT_TRUE(SameBits(m, before, 16));

    Diagonal(m, -2e-4f, 1, 1, 1);
    EXPECT_TRUE(Table().Mat4Inverse(m, nullptr));
    EXPECT_EQ(m[0], -5000.0f);
    EXPECT_EQ(m[5], 1.0f);
}

TEST(GenericMatrix, SuppliedDeterminantIsUsedUnchecked)
{
    Mat4 m;
    Diagonal(m, 2, 4, 5, 10);
    const float twice = 2.0f * 400.0f;
    ASSERT_TRUE(Table().Mat4Inverse(m, &twice));
    EXPECT_FLOAT_EQ(m[0], 0.25f);
    EXPECT_FLOAT_EQ(m[5], 0.125f);
    EXPECT_FLOAT_EQ(m[10], 0.1f);
    EXPECT_FLOAT_EQ(m[15], 0.05f);

    Mat4 before;
    Diagonal(m, 2, 4, 5, 10);
    Diagonal(before, 2, 4, 5, 10);
    const float zero = 0.0f;
    EXPECT_FALSE(Table().Mat4Inverse(m, &zero));
    EXPECT_TRUE(SameBits(m, before, 16));
}

TEST(GenericMatrix, NotANumberDeterminantIsNotBelowTheThreshold)
{
    Mat4 m;
    Identity(m);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(Table().Mat4Inverse(m, &nan));
    EXPECT_TRUE(std::isnan(m[0]));

    Identity(m);
    m[6] = nan;
    EXPECT_TRUE(Table().Mat4Inverse(m, nullptr));
    EXPECT_TRUE(std::isnan(m[0]));
}

TEST(GenericMatrix, ProductsFollowRowTimesColumn)
{
    const float a[16] = {1, 2, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const float b[16] = {1, 0, 0, 0, 3, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    Mat4 ab;
    Table().Mat4Mul(ab, a, b);
    EXPECT_EQ(ab[0], 7.0f);  // row 0 of a times column 0 of b
    EXPECT_EQ(ab[1], 2.0f);
    EXPECT_EQ(ab[4], 3.0f);

    const float a3[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    const float b3[9] = {0, 1, 0, 0, 0, 1, 1, 0, 0};
    float ab3[9];
    Table().Mat3Mul(ab3, a3, b3);
    const float expected3[9] = {3, 1, 2, 6, 4, 5, 9, 7, 8};
    EXPECT_TRUE(SameBits(ab3, expected3, 9));
}

TEST(GenericMatrix, RowVectorsAreMultipliedFromTheLeft)
{
    Mat4 m;
    Identity(m);
    m[12] = 10;  // translation in row 3
    m[13] = 20;
    const float v[4] = {1, 2, 3, 1};
    float out[4];
    Table().Vec4Transform(out, v, m);
    const float expected[4] = {11, 22, 3, 1};
    EXPECT_TRUE(SameBits(out, expected, 4));

    const double dm[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.5, 0.25, 0, 1};
    const double dv[4] = {1e300, 0, 0, 2};
    double dout[4];
    Table().Vec4dTransform(dout, dv, dm);
    EXPECT_EQ(dout[0], 1e300 + 1.0);
    EXPECT_EQ(dout[1], 0.5);
}

TEST(GenericMatrix, SumDifferenceAndScaleWorkInPlace)
{
    Mat4 a, b;
    Counting(a);
    Identity(b);
    Table().Mat4Add(a, a, b);
    EXPECT_EQ(a[0], 2.0f);
    EXPECT_EQ(a[1], 2.0f);
    EXPECT_EQ(a[15], 17.0f);
    Table().Mat4Sub(b, a, b);
    EXPECT_EQ(b[0], 1.0f);
    EXPECT_EQ(b[15], 16.0f);
    Table().Mat4Scale(b, -0.5f);
    EXPECT_EQ(b[0], -0.5f);
    EXPECT_EQ(b[15], -8.0f);
}

TEST(GenericMatrix, SixteenBitFormsWrap)
{
    std::int16_t m[16] = {};
    m[0] = 0x7FFF;
    m[1] = -1;
    m[2] = static_cast<std::int16_t>(0x8000);
    Table().Mat4sScale(m, -3);
    EXPECT_EQ(static_cast<std::uint16_t>(m[0]), 0x8003u);
    EXPECT_EQ(m[1], 3);
    EXPECT_EQ(static_cast<std::uint16_t>(m[2]), 0x8000u);

    std::int16_t t[16] = {};
    t[0] = 0x4000;
    t[4] = 0x4000;
    t[1] = static_cast<std::int16_t>(0x8001);
    const std::int16_t v[4] = {4, 1, 0, 0};
    std::int16_t out[4];
    Table().Vec4sTransform(out, v, t);
    EXPECT_EQ(out[0], 0x4000);  // 0x10000 + 0x4000, cut to 16 bits
    EXPECT_EQ(out[1], 4);       // 4 * 0x8001 = 0x20004
}

TEST(GenericMatrix, QuaternionToRotationMatrix)
{
    Mat4 out;
    for (float& e : out)
        e = 99.0f;
    const float unit[4] = {0, 0, 0, 1};
    Table().QuatToMat4(out, unit);
    Mat4 identity;
    Identity(identity);
    EXPECT_TRUE(SameBits(out, identity, 16));

    const double t = 0.75;
    const float q[4] = {0, 0, static_cast<float>(std::sin(t / 2)),
                        static_cast<float>(std::cos(t / 2))};
    Table().QuatToMat4(out, q);
    EXPECT_NEAR(out[0], std::cos(t), 1e-6);
    EXPECT_NEAR(out[5], std::cos(t), 1e-6);
    EXPECT_NEAR(out[1], -std::sin(t), 1e-6);
    EXPECT_NEAR(out[4], std::sin(t), 1e-6);
    EXPECT_EQ(out[10], 1.0f);
    for (int i : {3, 7, 11, 12, 13, 14})
        EXPECT_EQ(out[i], 0.0f) << "element " << i;
}

}  // namespace
