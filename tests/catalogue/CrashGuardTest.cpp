#include <gtest/gtest.h>
#include <windows.h>
#include <stdexcept>
#include "catalogue/CrashGuard.h"

namespace {
void* HandlerChain()
{
    void* head;
    __asm__ volatile("movl %%fs:0, %0" : "=r"(head));
    return head;
}

void WriteThroughNull(void* target)
{
    *static_cast<volatile int*>(target) = 1;
}

void Count(void* counter)
{
    ++*static_cast<int*>(counter);
}
}

TEST(CrashGuard, RunsTheCallAndAbandonsItWhenItCrashes)
{
    void* chain = HandlerChain();
    int calls = 0;
    EXPECT_TRUE(RunGuarded(&Count, &calls));
    EXPECT_EQ(calls, 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(RunGuarded(&WriteThroughNull, nullptr));
    EXPECT_EQ(HandlerChain(), chain) << "the guard leaves the handler chain as it found it";
    EXPECT_TRUE(RunGuarded(&Count, &calls));
    EXPECT_EQ(calls, 2);
    EXPECT_THROW(throw std::runtime_error("still unwinds"), std::runtime_error);
}
