// Compares the row arithmetic's rectangles field by field, naming the field that differs.
#pragma once

#include "afx/DockRowLayout.h"

#include <gtest/gtest.h>

inline void ExpectRect(DockRect expected, DockRect actual)
{
    EXPECT_EQ(expected.left, actual.left);
    EXPECT_EQ(expected.top, actual.top);
    EXPECT_EQ(expected.right, actual.right);
    EXPECT_EQ(expected.bottom, actual.bottom);
}
