#include <gtest/gtest.h>
#include "core/calendar.h"
TEST(Calendar, Builds) { EXPECT_EQ(quorvenda::daysInMonthOf(2, false), 28); }
