// The generic ("Generic_x86") matrix and quaternion routines behind slots 6 to 19 of
// CPrimitiveTable. Callers go through GetPrimitives(). Layouts are row-major; vectors are
// row vectors multiplied from the left (out = v x M). Float routines compute in double
// precision and round each stored result to float; the 16-bit forms wrap modulo 2^16.
// Stateless and safe on any thread; no routine checks its pointers.
#pragma once

#include <cstdint>

namespace Generic_x86 {

// Absolute determinants below this value make Mat4Inverse refuse (bit pattern 0x38D1B718).
float SingularityThreshold();

bool Mat4Inverse(float* matrix, const float* determinant);
void Mat4Mul(float* out, const float* a, const float* b);
void Mat3Mul(float* out, const float* a, const float* b);
float Mat4Determinant(const float* matrix);
void Vec4Transform(float* out, const float* v, const float* m);
void Mat4Sub(float* out, const float* a, const float* b);
void Mat4Add(float* out, const float* a, const float* b);
void QuatToMat4(float* out, const float* q);
void Vec4dTransform(double* out, const double* v, const double* m);
void Mat4Scale(float* matrix, float factor);
void Mat4sScale(std::int16_t* matrix, std::int16_t factor);
void Vec4sTransform(std::int16_t* out, const std::int16_t* v, const std::int16_t* m);

}  // namespace Generic_x86
