#include <gtest/gtest.h>
#include "app/InstanceClaim.h"

namespace {
const unsigned long kNoError = 0;
const unsigned long kAccessDenied = 5;
const unsigned long kInvalidHandle = 6;  // the name belongs to another kind of object
const unsigned long kAlreadyExists = 183;
}

TEST(InstanceClaim, AMutexThatExistedOrMayNotBeOpenedMeansAnotherCopyRuns)
{
    EXPECT_TRUE(AnotherCopyRuns(true, kAlreadyExists));
    EXPECT_TRUE(AnotherCopyRuns(false, kAccessDenied)) << "held by a copy run as administrator";
}

TEST(InstanceClaim, ANewMutexOrAnyOtherFailureLetsThisCopyRun)
{
    EXPECT_FALSE(AnotherCopyRuns(true, kNoError));
    EXPECT_FALSE(AnotherCopyRuns(false, kInvalidHandle));
    EXPECT_FALSE(AnotherCopyRuns(false, kAlreadyExists));
    // With a handle, only "already exists" tells of another copy.
    EXPECT_FALSE(AnotherCopyRuns(true, kAccessDenied));
}
