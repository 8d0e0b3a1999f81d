#include <gtest/gtest.h>
#include <windows.h>
#include <cstdio>
#include <vector>
#include "listview/RowMove.h"
#include "tests/listview/ListFixture.h"

// Figures, not checks: run with --gtest_also_run_disabled_tests --gtest_filter=ListBenchmark.*
namespace {
double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now;
}

void MeasurePaint(ListFixture& fixture, const char* what)
{
    const int paints = 20;
    LARGE_INTEGER start = Now();
    for (int paint = 0; paint < paints; ++paint) {
        ::InvalidateRect(fixture.list, nullptr, FALSE);
        ::UpdateWindow(fixture.list);
    }
    std::printf("full paint, %s: %.2f ms\n", what, Milliseconds(start, Now()) / paints);
}
}

TEST(ListBenchmark, DISABLED_FullPaint)
{
    ListFixture few(40, 340);
    few.Select({5, 6});
    few.list.SetCurrent(8);
    MeasurePaint(few, "40 rows, 340 pixels high");
}

TEST(ListBenchmark, DISABLED_DragOf500RowsIn2000)
{
    ListFixture fixture(2000, 340);
    MeasurePaint(fixture, "2000 rows, 340 pixels high");
    std::vector<int> dragged;
    for (int row = 4; row < 2000 && dragged.size() < 500; row += 4)
        dragged.push_back(row);
    fixture.Select(dragged);
    fixture.list.EnsureVisible(0, FALSE);

    LARGE_INTEGER start = Now();
    fixture.BeginDrag(fixture.RowPoint(4, false));
    LARGE_INTEGER begun = Now();
    fixture.MouseMove(fixture.RowPoint(10, true));
    LARGE_INTEGER moved = Now();
    fixture.Release(fixture.RowPoint(10, true));
    LARGE_INTEGER dropped = Now();
    std::printf("drag of 500 rows in 2000: start (drag image) %.1f ms, one pointer move %.1f ms, drop (move and "
                "redraw) %.1f ms\n",
                Milliseconds(start, begun), Milliseconds(begun, moved), Milliseconds(moved, dropped));
    EXPECT_EQ(fixture.Order(), RowOrderAfterMove(2000, dragged, 10, true));
}
