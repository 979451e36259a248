// Scaling an integer by a ratio, as dialog units become pixels and a page fits a device.
#pragma once

// a * b / c rounded to the nearest integer (halves away from zero), without overflow in the
// product; 0 when c is not positive.
int MulDiv(int a, int b, int c);
