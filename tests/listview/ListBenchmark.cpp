#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <vector>
#include "catalogue/PluginFileName.h"
#include "listview/RowMove.h"
#include "sets/CSetFlow.h"
#include "tests/BenchmarkRatio.h"
#include "tests/listview/ListFixture.h"

// Figures, not checks: run with --gtest_also_run_disabled_tests --gtest_filter=ListBenchmark.*
// (tools/bench.sh does). The goals are ratios to a full paint of the same
// list in the same run: a pointer move during a drag within one full paint,
// a drop within three, a sort by name and a set applied within two. Each
// prints its ratios with PrintRatio, and bench.sh shows every one.
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

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// One full paint, averaged over a few.
double MeasurePaint(ListFixture& fixture)
{
    const int paints = 20;
    LARGE_INTEGER start = Now();
    for (int paint = 0; paint < paints; ++paint) {
        ::InvalidateRect(fixture.list, nullptr, FALSE);
        ::UpdateWindow(fixture.list);
    }
    return Milliseconds(start, Now()) / paints;
}

struct Medians {
    double milliseconds;
    double fullPaints;  // each round against full paints of its own
};

// Times work(round) for 7 rounds, each against the full paints taken just
// before and after it.
template <typename Work>
Medians TimeAgainstPaints(ListFixture& fixture, Work work)
{
    std::vector<double> times, ratios;
    for (int round = 0; round < 7; ++round) {
        double paintBefore = MeasurePaint(fixture);
        LARGE_INTEGER start = Now();
        work(round);
        double time = Milliseconds(start, Now());
        times.push_back(time);
        ratios.push_back(time / ((paintBefore + MeasurePaint(fixture)) / 2));
    }
    return {Median(times), Median(ratios)};
}
}

TEST(ListBenchmark, DISABLED_FullPaint)
{
    ListFixture few(40, 340);
    few.Select({5, 6});
    few.list.SetCurrent(8);
    std::printf("full paint, 40 rows, 340 pixels high: %.2f ms\n", MeasurePaint(few));
}

// Every fourth row from row 4 on, dragged to the lower half of row 10; each
// round on a fresh list. Every timed pointer move takes the highlight to
// another row, so the list changes under the drag image each time. The
// machine is shared, so each round compares with full paints of its own,
// taken just before and just after it, and the medians of the rounds count.
TEST(ListBenchmark, DISABLED_DragOf500RowsIn2000)
{
    const int rounds = 7;
    std::vector<double> paints, starts, moves, drops, moveRatios, dropRatios;
    std::vector<int> dragged;
    for (int row = 4; row < 2000 && dragged.size() < 500; row += 4)
        dragged.push_back(row);
    for (int round = 0; round < rounds; ++round) {
        ListFixture fixture(2000, 340);
        double paintBefore = MeasurePaint(fixture);
        fixture.Select(dragged);
        fixture.list.EnsureVisible(0, FALSE);

        LARGE_INTEGER start = Now();
        fixture.BeginDrag(fixture.RowPoint(4, false));
        starts.push_back(Milliseconds(start, Now()));
        std::vector<double> roundMoves;
        for (int move = 0; move < 10; ++move) {
            POINT to = fixture.RowPoint(move % 2 ? 10 : 12, true);
            start = Now();
            fixture.MouseMove(to);
            roundMoves.push_back(Milliseconds(start, Now()));
        }
        fixture.MouseMove(fixture.RowPoint(10, true));
        start = Now();
        fixture.Release(fixture.RowPoint(10, true));
        double drop = Milliseconds(start, Now());
        EXPECT_EQ(fixture.Order(), RowOrderAfterMove(2000, dragged, 10, true));

        fixture.Select({});
        fixture.list.EnsureVisible(0, FALSE);
        double paint = (paintBefore + MeasurePaint(fixture)) / 2;
        double move = Median(roundMoves);
        paints.push_back(paint);
        moves.push_back(move);
        drops.push_back(drop);
        moveRatios.push_back(move / paint);
        dropRatios.push_back(drop / paint);
    }
    std::printf("drag of 500 rows in 2000, medians of %d rounds: full paint %.2f ms, start (drag image) %.1f ms, "
                "one pointer move %.2f ms (%.2f full paints), drop (move and redraw) %.1f ms (%.2f full paints)\n",
                rounds, Median(paints), Median(starts), Median(moves), Median(moveRatios), Median(drops),
                Median(dropRatios));
    PrintRatio("list: pointer move in a drag / full paint", Median(moveRatios), 1.0);
    PrintRatio("list: drop of 500 rows / full paint", Median(dropRatios), 3.0);
}

// Sorting 2000 rows by name from the menu, alternately Z to A and A to Z so
// that every round moves every plug-in row; each round against full paints of its own.
TEST(ListBenchmark, DISABLED_SortOf2000Rows)
{
    ListFixture fixture(2000, 340);
    Medians sort = TimeAgainstPaints(fixture, [&](int round) { fixture.list.SortByName(round % 2 != 0); });
    std::printf("sort of 2000 rows by name, medians of 7 rounds: %.1f ms (%.2f full paints)\n", sort.milliseconds,
                sort.fullPaints);
    PrintRatio("list: sort of 2000 rows / full paint", sort.fullPaints, 2.0);
}

// A set of 2000 plug-ins (1996 installed, every third off, 4 missing) applied
// to 2000 rows, alternately in its order and backwards so that every round
// moves every plug-in row: the rows read, the rule, and the list rearranged.
TEST(ListBenchmark, DISABLED_SetOf2000AppliedTo2000Rows)
{
    ListFixture fixture(2000, 340);
    std::vector<ArrangedEntry> entries;
    for (int row = 0; row < 2000; ++row) {
        std::string key = "Row " + std::to_string(row);
        if (row >= 4) {
            fixture.Plugin(row)->file = key + ".svp";
            fixture.Plugin(row)->matchingKey = MatchingKey(key);
        }
        entries.push_back({row % 3 != 0, row < 4 ? "Gone " + key : key, key});
    }
    const std::vector<ArrangedEntry> backwards(entries.rbegin(), entries.rend());
    size_t missing = 0;
    Medians apply = TimeAgainstPaints(fixture, [&](int round) {
        Arrangement arranged = ArrangeBySet(ReadListState(fixture.list.Records(), fixture.list.m_nCurrent),
                                            round % 2 ? entries : backwards, "");
        fixture.list.Rearrange(arranged.order, arranged.enabled, arranged.current);
        missing = std::max(missing, arranged.missing.size());
    });
    EXPECT_EQ(missing, 4u);
    std::printf("set of 2000 applied to 2000 rows, medians of 7 rounds: %.1f ms (%.2f full paints)\n",
                apply.milliseconds, apply.fullPaints);
    PrintRatio("list: set of 2000 applied / full paint", apply.fullPaints, 2.0);
}
