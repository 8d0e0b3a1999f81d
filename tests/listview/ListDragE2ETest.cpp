// Drag and drop in the plug-in list of the real program, with real mouse input.
#include <gtest/gtest.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>
#include "testing/harness/ChildProcess.h"
#include "testing/harness/DesktopSession.h"
#include "testing/harness/HarnessPaths.h"
#include "tests/Picture.h"

using namespace e2e;

namespace {

constexpr int kList = 1000;
constexpr int kSave = 1;
constexpr int kCancel = 1001;
constexpr int kClip = 1002;
constexpr unsigned long kBitmapStatic = 0xE;  // SS_BITMAP
constexpr unsigned kSelected = 0x0002;  // LVIS_SELECTED
constexpr unsigned long kVerticalBar = 0x00200000;  // WS_VSCROLL
constexpr unsigned long kEnabled = 0x1, kDisabledOnDisk = 0x2, kCurrent = 0x10000000;
using Rows = std::vector<int>;

std::string PluginName(int row)
{
    char name[32];
    std::snprintf(name, sizeof name, "Visual Number %02d", row);
    return name;
}

// Plug-in rows 4 to 3 + count, named after their row, in file-name order.
void LayOutPlugins(DesktopSession& session, int count, const std::vector<int>& disabledRows = {})
{
    namespace fs = std::filesystem;
    fs::create_directories(session.VisFolder());
    std::string standIn = Win32BuildDir() + "/testing/plugins/standin_named.dll";
    for (int row = 4; row < 4 + count; ++row) {
        bool disabled = std::find(disabledRows.begin(), disabledRows.end(), row) != disabledRows.end();
        char tag[8], title[32];
        std::snprintf(tag, sizeof tag, "%03d_", row);
        std::snprintf(title, sizeof title, "Visual%02d", row);
        fs::copy_file(standIn, session.VisFolder() + "/" + tag + title + (disabled ? ".svp_disabled" : ".svp"));
        std::ofstream(session.VisFolder() + "/" + title + ".name") << PluginName(row);
    }
}

// The rows' first positions (their records' load indices), in the present order.
std::vector<int> LoadOrder(const std::vector<ListRow>& rows)
{
    std::vector<int> order;
    for (const ListRow& row : rows)
        order.push_back(row.hasRecord ? row.loadIndex : -1);
    return order;
}

// Rows in their first order, then 'moved' taken out and put in at 'at'.
std::vector<int> Order(int rows, const std::vector<int>& moved, int at)
{
    std::vector<int> rest;
    for (int row = 0; row < rows; ++row) {
        if (std::find(moved.begin(), moved.end(), row) == moved.end())
            rest.push_back(row);
    }
    rest.insert(rest.begin() + at, moved.begin(), moved.end());
    return rest;
}

void Pause(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}


// The largest difference of the two colours in any channel.
int ColourDistance(unsigned a, unsigned b)
{
    int most = 0;
    for (int shift : {0, 8, 16})
        most = std::max(most, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return most;
}

// The skin as the main window paints it: res/background.bmp stretched over
// its client area, pixel for pixel (no smoothing). Where the stretch rounds a
// source position is the painter's business, so a screen pixel counts as skin
// when it is within a small tolerance of any source pixel next to its
// position.
class Skin {
public:
    explicit Skin(const Rect& mainClient) : m_client(mainClient), m_image(SourceDir() + "/res/background.bmp") {}

    bool Shows(int x, int y, unsigned pixel) const
    {
        int sx = (x - m_client.left) * m_image.width / m_client.Width();
        int sy = (y - m_client.top) * m_image.height / m_client.Height();
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (ColourDistance(m_image.Pixel(sx + dx, sy + dy), pixel) <= kTolerance)
                    return true;
            }
        }
        return false;
    }

private:
    static constexpr int kTolerance = 6;
    Rect m_client;
    Picture m_image;
};

// What a screenshot shows of the list's vertical scroll bar between its
// arrows: rows of the track that show the skin, and the rows that do not,
// which must be the thumb alone: one run, no longer than the thumb.
struct BarTrack {
    int rows = 0;
    int bare = 0;        // rows with a pixel that is not the skin
    int runs = 0;        // runs of such rows
    int firstBare = -1;  // desktop y of the first of them
    int lastBare = -1;
    int thumb = 0;       // the thumb's expected length
};

BarTrack ReadBarTrack(const Picture& shot, const Skin& skin, const WindowInfo& list, int rowCount, int rowHeight)
{
    int edge = list.client.left - list.window.left;
    int left = list.client.right;
    int right = list.window.right - edge;
    // The arrow buttons are as high as the bar is wide.
    int arrow = right - left;
    BarTrack track;
    int top = list.client.top + arrow + 1;
    int bottom = list.client.bottom - arrow - 1;
    track.rows = std::max(0, bottom - top);
    int page = list.client.Height() / rowHeight;
    track.thumb = (list.client.Height() - 2 * arrow) * page / rowCount;
    bool inRun = false;
    for (int y = top; y < bottom; ++y) {
        bool skinned = true;
        for (int x = left; x < right && skinned; ++x)
            skinned = skin.Shows(x, y, shot.Pixel(x, y));
        if (!skinned) {
            ++track.bare;
            if (track.firstBare < 0)
                track.firstBare = y;
            track.lastBare = y;
            if (!inRun)
                ++track.runs;
        }
        inRun = !skinned;
    }
    return track;
}

// What a drag image adds to the list: the pixels of the list's client area
// that differ between a picture taken before the drag and one during it.
// The system draws a drag image three quarters opaque, so its colours come
// out a little darker over the dark skin.
struct DragImagePixels {
    int changed = 0;
    int longestRun = 0;  // of changed pixels along a line
    int names = 0;       // changed to the names' light blue
    int lamps = 0;       // changed to the green of an enabled lamp
};

DragImagePixels CompareForDragImage(const Picture& before, const Picture& during, const Rect& area)
{
    DragImagePixels pixels;
    for (int y = area.top; y < area.bottom; ++y) {
        int run = 0;
        for (int x = area.left; x < area.right; ++x) {
            unsigned now = during.Pixel(x, y);
            bool changed = ColourDistance(before.Pixel(x, y), now) > 24;
            run = changed ? run + 1 : 0;
            pixels.longestRun = std::max(pixels.longestRun, run);
            if (!changed)
                continue;
            ++pixels.changed;
            int r = static_cast<int>(now >> 16);
            int g = static_cast<int>(now >> 8 & 0xFF);
            int b = static_cast<int>(now & 0xFF);
            pixels.names += b > 150 && g > 120 && r < g - 40;
            pixels.lamps += g > r + 40 && g > b + 20;
        }
    }
    return pixels;
}

// The title: the one static control that shows a bitmap.
WindowInfo TitleControl(DesktopSession& session, Hwnd main)
{
    for (const WindowInfo& child : session.Children(main)) {
        if (child.className == "Static" && (child.style & 0x1F) == kBitmapStatic)
            return child;
    }
    throw std::runtime_error("no title control");
}

// How two pictures differ over a w x h area, at their own corners; pixels
// inside skip (coordinates of a) are left out.
struct Difference {
    int pixels = 0;  // that differ at all
    int far = 0;     // that differ by more than 40 in a channel
};

Difference Compare(const Picture& a, Point atA, const Picture& b, Point atB, int w, int h, const Rect& skip = {})
{
    Difference difference;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (skip.Contains({atA.x + x, atA.y + y}))
                continue;
            unsigned pa = a.Pixel(atA.x + x, atA.y + y), pb = b.Pixel(atB.x + x, atB.y + y);
            difference.pixels += pa != pb;
            difference.far += ColourDistance(pa, pb) > 40;
        }
    }
    return difference;
}

// ImageMagick's own resampling of a picture to w x h: "Box" averages, "Point" repeats pixels.
Picture Resized(const std::string& file, int w, int h, const std::string& filter)
{
    std::string out = OutputDir() + "/resized-" + filter + "-" + std::to_string(w) + ".png";
    if (RunCommand({"convert", file, "-filter", filter, "-resize", std::to_string(w) + "x" + std::to_string(h) + "!", out},
                   {}, 30000) != 0)
        throw std::runtime_error("cannot resize " + file);
    return Picture(out);
}

// A part of a screenshot as a file of its own, kept beside it.
std::string Crop(const std::string& shot, const Rect& area, const std::string& name)
{
    std::string out = OutputDir() + "/" + name + ".png";
    std::string geometry = std::to_string(area.Width()) + "x" + std::to_string(area.Height()) + "+" +
                           std::to_string(area.left) + "+" + std::to_string(area.top);
    if (RunCommand({"convert", shot, "-crop", geometry, "+repage", out}, {}, 30000) != 0)
        throw std::runtime_error("cannot crop " + shot);
    return out;
}

// The height of the green an enabled lamp shows in its row.
int LampHeight(const Picture& shot, const ListRow& row)
{
    int top = -1, bottom = -1;
    for (int y = row.bounds.top; y < row.bounds.bottom; ++y) {
        for (int x = row.icon.left; x < row.icon.right; ++x) {
            unsigned pixel = shot.Pixel(x, y);
            int r = static_cast<int>(pixel >> 16), g = static_cast<int>(pixel >> 8 & 0xFF), b = static_cast<int>(pixel & 0xFF);
            if (g > r + 40 && g > b + 20) {
                top = top < 0 ? y : top;
                bottom = y;
            }
        }
    }
    return top < 0 ? 0 : bottom - top + 1;
}

class ListDrag : public ::testing::Test {
protected:
    void Start(int plugins, int dpi = 96, const std::vector<int>& disabledRows = {})
    {
        SessionOptions options;
        options.dpi = dpi;
        if (dpi >= 192) {
            options.desktopWidth = 2048;
            options.desktopHeight = 1536;
        }
        session = std::make_unique<DesktopSession>(options);
        session->InstallHost();
        LayOutPlugins(*session, plugins, disabledRows);
        session->StartProgram();
        main = session->WaitForMainWindow();
        list = session->Control(main.handle, kList);
        rowCount = 4 + plugins;
        ASSERT_EQ(static_cast<int>(ListRows().size()), rowCount);
    }

    std::vector<ListRow> ListRows() { return session->Rows(list.handle); }
    ListRow Row(int index) { return ListRows().at(static_cast<size_t>(index)); }

    // On the row's label, in its upper or lower half.
    Point Label(const ListRow& row, bool lowerHalf = false)
    {
        return {row.icon.right + 16, lowerHalf ? row.bounds.bottom - 3 : row.bounds.top + 3};
    }
    Point Label(int index, bool lowerHalf = false) { return Label(Row(index), lowerHalf); }

    void Select(int first, int last)
    {
        session->Click(Label(first));
        if (last != first) {
            session->KeyDown("shift");
            session->Click(Label(last));
            session->KeyUp("shift");
        }
        // Past the double-click time, so that a press on the same row starts a drag.
        Pause(700);
    }

    int TopRow()
    {
        for (const ListRow& row : ListRows()) {
            if (row.bounds.top >= list.client.top)
                return row.index;
        }
        return -1;
    }

    // Polls until the rows stand in that order, or a few seconds have passed.
    Rows WaitForOrder(const Rows& expected)
    {
        Rows now;
        for (int attempt = 0; attempt < 20; ++attempt) {
            now = LoadOrder(ListRows());
            if (now == expected)
                break;
            Pause(250);
        }
        return now;
    }

    std::string Shot(const std::string& suffix)
    {
        return session->Screenshot(std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                                   suffix);
    }

    // Takes a picture and expects the vertical bar's track to show the skin
    // wherever the thumb is not. Returns what the picture showed of the track.
    BarTrack ExpectTrackShowsTheSkin(const std::string& moment)
    {
        // The list repaints, and blends its bar again, as soon as it can.
        Pause(400);
        Picture shot(Shot("-" + moment));
        WindowInfo now = session->Window(list.handle);
        EXPECT_TRUE(now.style & kVerticalBar) << moment;
        std::vector<ListRow> rows = ListRows();
        BarTrack track = ReadBarTrack(shot, Skin(main.client), now, static_cast<int>(rows.size()),
                                      rows.front().bounds.Height());
        EXPECT_GT(track.rows, 100) << moment;
        EXPECT_LE(track.runs, 1) << moment << ": rows " << track.firstBare << " to " << track.lastBare;
        EXPECT_LE(track.bare, track.thumb + 4) << moment << ": rows " << track.firstBare << " to " << track.lastBare;
        return track;
    }

    std::unique_ptr<DesktopSession> session;
    WindowInfo main;
    WindowInfo list;
    int rowCount = 0;
};

}

TEST_F(ListDrag, ABlockLandsAboveOrBelowItsTarget)
{
    Start(10);
    Shot("-start");
    Select(5, 7);
    Shot("-selected");
    session->Drag(Label(6), Label(11, true));
    Shot("-dropped");
    Rows below = Order(rowCount, {5, 6, 7}, 9);
    EXPECT_EQ(WaitForOrder(below), below);

    // The block, now rows 9 to 11, dragged onto the upper half of row 4.
    session->Drag(Label(10), Label(4));
    Rows above = Order(rowCount, {5, 6, 7}, 4);
    EXPECT_EQ(WaitForOrder(above), above);
    std::vector<ListRow> rows = ListRows();
    for (int row : {4, 5, 6})
        EXPECT_TRUE(rows[static_cast<size_t>(row)].state & kSelected) << row;
}

TEST_F(ListDrag, BuiltInRowsRefuseEveryDropButBelowRowThree)
{
    Start(8);
    Rows before = LoadOrder(ListRows());
    for (int target : {0, 1, 2}) {
        Select(8, 8);
        session->Drag(Label(8), Label(target, true));
        Pause(800);
        EXPECT_EQ(LoadOrder(ListRows()), before) << "lower half of row " << target;
    }
    Select(8, 8);
    session->Drag(Label(8), Label(3));
    Pause(800);
    EXPECT_EQ(LoadOrder(ListRows()), before) << "upper half of row 3";

    session->Drag(Label(8), Label(3, true));
    Rows landed = Order(rowCount, {8}, 4);
    EXPECT_EQ(WaitForOrder(landed), landed);
}

TEST_F(ListDrag, HoldingBelowTheListScrollsDownToTheEndAndAppends)
{
    Start(30);
    Select(5, 5);
    ASSERT_EQ(TopRow(), 0);
    session->MouseDown(Label(5));
    session->MouseMove({Label(5).x, Label(5).y + 8});
    session->MouseMove({Label(5).x, list.window.bottom - 10});
    session->MouseMove({Label(5).x, list.window.bottom + 6});
    Pause(6000);
    session->MouseUp();
    Rows appended = Order(rowCount, {5}, rowCount - 1);
    EXPECT_EQ(WaitForOrder(appended), appended);
    EXPECT_GT(TopRow(), 10);
}

TEST_F(ListDrag, HoldingAboveTheListScrollsUpAndRefusesTheBuiltInRows)
{
    Start(30);
    Select(5, 5);
    session->Key("End");
    Pause(500);
    ASSERT_GT(TopRow(), 10);
    Rows before = LoadOrder(ListRows());
    Point from = Label(rowCount - 1);
    session->MouseDown(from);
    session->MouseMove({from.x, from.y - 8});
    session->MouseMove({from.x, list.window.top - 6});
    Pause(6000);
    EXPECT_EQ(TopRow(), 0);
    session->MouseUp();
    Pause(800);
    EXPECT_EQ(LoadOrder(ListRows()), before);
}

TEST_F(ListDrag, ReleasingOutsideTheListDropsAtTheLastTarget)
{
    Start(10);
    Select(6, 6);
    Point target = Label(9, true);
    session->MouseDown(Label(6));
    session->MouseMove({Label(6).x, Label(6).y + 8});
    session->MouseMove(target);
    // Out of the window to the right, at the height of the target.
    session->MouseMove({main.window.right + 40, target.y});
    session->MouseUp();
    Rows landed = Order(rowCount, {6}, 9);
    EXPECT_EQ(WaitForOrder(landed), landed);
}

// The list view redraws its scroll bar by itself whenever it scrolls or its
// rows change; the bar must show the skin after every one of these.
TEST_F(ListDrag, TheScrollBarShowsTheSkinAfterEveryKindOfScroll)
{
    // Long enough for a track above and below the thumb wherever the keys leave it.
    Start(50);
    ExpectTrackShowsTheSkin("start");
    session->Click(Label(4));
    ExpectTrackShowsTheSkin("click");

    // The first Page Down only moves the focus to the last row in sight.
    session->Key("Next");
    session->Key("Next");
    ASSERT_GT(TopRow(), 0) << "the keys reach the list";
    ExpectTrackShowsTheSkin("page-down");
    for (int press = 0; press < 3; ++press)
        session->Key("Down");
    ExpectTrackShowsTheSkin("arrow-keys");

    Point inside = list.client.Center();
    session->Click(inside, 5);  // wheel down
    session->Click(inside, 5);
    ExpectTrackShowsTheSkin("wheel");

    // The arrow buttons are squares as wide as the bar.
    int arrow = list.window.right - (list.client.left - list.window.left) - list.client.right;
    int barX = list.client.right + arrow / 2;
    session->Click({barX, list.client.bottom - arrow / 2});
    ExpectTrackShowsTheSkin("down-arrow");
    session->Click({barX, list.client.top + arrow / 2});
    BarTrack track = ExpectTrackShowsTheSkin("up-arrow");

    // The track below the thumb (a page down), then the thumb itself, up.
    session->Click({barX, list.client.bottom - arrow - 4});
    track = ExpectTrackShowsTheSkin("track");
    ASSERT_GT(track.lastBare, track.firstBare);
    Point thumb{barX, (track.firstBare + track.lastBare) / 2};
    session->Drag(thumb, {barX, thumb.y - 60});
    ExpectTrackShowsTheSkin("thumb");

    // A drag held below the list scrolls it by itself, then drops. The list
    // sees the drag begin on the row before the pointer leaves it; a first
    // move that arrives outside would start a selection frame instead.
    session->Key("Home");
    Select(5, 5);
    Point row5 = Label(5);
    session->MouseDown(row5);
    session->MouseMove({row5.x, row5.y + 4});
    Pause(300);
    session->MouseMove({row5.x, row5.y + 12});
    Pause(300);
    session->MouseMove({row5.x, list.window.bottom + 6});
    Pause(1500);
    ExpectTrackShowsTheSkin("auto-scroll");
    session->MouseUp();
    ExpectTrackShowsTheSkin("rows-moved");
    bool moved = false;
    for (int attempt = 0; attempt < 20 && !moved; ++attempt, Pause(250))
        moved = LoadOrder(ListRows())[5] != 5;
    EXPECT_TRUE(moved) << "the row was dragged";
}

// Pictures to look at: the window as it opens, the list over the skin with a
// selection, a struck-out row and scroll bars, and the list during a drag, at
// every resolution. Only the keyboard and the first row's known place are
// used, but for a move and Save at 192 dots per inch.
class ListPictures : public ListDrag, public ::testing::WithParamInterface<int> {
protected:
    static int Scaled(int length, int dpi) { return (length * dpi * 2 + 96) / 192; }

    // The window as it opens, the pointer away from it.
    void ExpectTheWindowAtItsScale(int dpi)
    {
        session->MouseMove({main.window.right + 40, main.window.bottom + 20});
        Pause(500);
        std::string shot = Shot("-" + std::to_string(dpi) + "dpi-window");
        Picture screen(shot);
        std::string window = Crop(shot, main.window, "window-" + std::to_string(dpi) + "dpi");
        if (dpi == 96)
            ExpectTheWindowAsBefore(Picture(window));
        if (dpi == 120)
            ExpectTheControlsWhereTheyWere();
        ExpectTheTitleMadeForTheScale(screen, dpi);
        // An 11-pixel lamp in an 18-pixel row at 96 dots per inch.
        const double lampToRow = 11.0 / 18.0;
        for (int row : {4, 5}) {
            ListRow shown = Row(row);
            double ratio = static_cast<double>(LampHeight(screen, shown)) / shown.bounds.Height();
            EXPECT_NEAR(ratio, lampToRow, lampToRow * 0.1) << "row " << row << ", " << shown.bounds.Height() << " high";
        }
    }

    // Taken from the program before it followed the display's scale; the clip moves.
    void ExpectTheWindowAsBefore(const Picture& window)
    {
        Picture before(SourceDir() + "/tests/listview/window-96dpi.png");
        ASSERT_EQ(window.width, before.width);
        ASSERT_EQ(window.height, before.height);
        Rect clip = session->Control(main.handle, kClip).window;
        Rect skip{clip.left - main.window.left, clip.top - main.window.top, clip.right - main.window.left,
                  clip.bottom - main.window.top};
        EXPECT_EQ(Compare(window, {0, 0}, before, {0, 0}, window.width, window.height, skip).pixels, 0);
    }

    // Where template 102 puts them; the title and the clip take their art's size.
    void ExpectTheControlsWhereTheyWere()
    {
        struct Placed {
            int id;
            Rect units;
            bool sized;
        };
        const Placed placed[] = {{kSave, {21, 214, 53, 238}, true}, {kCancel, {103, 214, 135, 238}, true},
                                 {kList, {15, 30, 140, 199}, true}, {kClip, {66, 202, 93, 241}, false},
                                 {0, {28, 10, 127, 21}, false}};
        for (const Placed& control : placed) {
            Rect expected = session->DialogUnitsToPixels(main.handle, control.units);
            Rect shown = control.id ? session->Control(main.handle, control.id).window
                                    : TitleControl(*session, main.handle).window;
            EXPECT_EQ(shown.left - main.client.left, expected.left) << control.id;
            EXPECT_EQ(shown.top - main.client.top, expected.top) << control.id;
            if (control.sized) {
                EXPECT_EQ(shown.Width(), expected.Width()) << control.id;
                EXPECT_EQ(shown.Height(), expected.Height()) << control.id;
            }
        }
        Rect face = session->DialogUnitsToPixels(main.handle, {0, 0, 157, 252});
        EXPECT_EQ(main.client.Width(), face.Width());
        EXPECT_EQ(main.client.Height(), face.Height());
    }

    // The art made for the scale: at 120 dots per inch the smaller title as it
    // always was (96 is part of the whole window's picture), at 192 the
    // larger one pixel for pixel, at 144 the larger one averaged down, not
    // the smaller one scaled up.
    void ExpectTheTitleMadeForTheScale(const Picture& screen, int dpi)
    {
        Rect title = TitleControl(*session, main.handle).client;
        int grown = dpi > 120 ? dpi : 96;
        ASSERT_EQ(title.Width(), Scaled(223, grown));
        ASSERT_EQ(title.Height(), Scaled(27, grown));
        std::string small = SourceDir() + "/res/title.bmp", large = SourceDir() + "/res/title_2x.bmp";
        Point corner{title.left, title.top};
        if (dpi == 120 || dpi == 192) {
            Picture art(dpi == 120 ? small : large);
            EXPECT_EQ(Compare(screen, corner, art, {0, 0}, art.width, art.height).pixels, 0);
        } else if (dpi != 96) {
            // Their averaging differs from ours a little at the letters' edges.
            int fromLarge = Compare(screen, corner, Resized(large, title.Width(), title.Height(), "Box"), {0, 0},
                                    title.Width(), title.Height()).far;
            int fromSmall = Compare(screen, corner, Resized(small, title.Width(), title.Height(), "Point"), {0, 0},
                                    title.Width(), title.Height()).far;
            EXPECT_LT(fromLarge, title.Width() * title.Height() / 100);
            EXPECT_LT(fromLarge * 4, fromSmall);
        }
    }

    // Real input at the largest scale: a row dragged to a new place, then Save.
    void MoveARowAndSave()
    {
        Select(5, 5);
        Rows before = LoadOrder(ListRows());
        std::string file = Row(5).file;
        session->Drag(Label(5), Label(8, true));
        Rows moved = before;
        moved.erase(moved.begin() + 5);
        moved.insert(moved.begin() + 8, before[5]);
        ASSERT_EQ(WaitForOrder(moved), moved);
        session->Click(session->Control(main.handle, kSave).window.Center());
        ASSERT_TRUE(session->WaitForProgramExit(60000));
        EXPECT_TRUE(std::filesystem::exists(session->VisFolder() + "/008_" + file.substr(4))) << file;
        EXPECT_TRUE(std::filesystem::exists(session->VisFolder() + "/009_Visual09.svp")) << "switched on";
    }
};

TEST_P(ListPictures, ListOverTheSkin)
{
    int dpi = GetParam();
    Start(30, dpi, {9});
    ExpectTheWindowAtItsScale(dpi);
    std::string suffix = "-" + std::to_string(dpi) + "dpi";
    Point firstRow{list.client.left + 40, list.client.top + 5};
    session->Click(firstRow);
    // Row 9 was disabled on disk: switching it on strikes it out.
    for (int row = 0; row < 9; ++row)
        session->Key("Down");
    session->Key("space");
    session->Key("Down");
    session->Key("Down");
    session->Key("shift+Down");
    session->Key("shift+Down");
    // The host's current visual is drawn bold; no host runs here, so mark one by hand.
    session->SetRowFlags(list.handle, 6, kEnabled | kCurrent);
    Pause(500);
    std::vector<ListRow> rows = ListRows();
    EXPECT_EQ(rows[9].flags, kEnabled | kDisabledOnDisk) << "Space switched the lamp on";
    EXPECT_EQ(rows[9].image, 0);
    for (int row = 11; row <= 13; ++row)
        EXPECT_TRUE(rows[static_cast<size_t>(row)].state & kSelected) << row;
    ExpectTrackShowsTheSkin(std::to_string(dpi) + "dpi");

    session->Key("Home");
    for (int row = 0; row < 13; ++row)
        session->Key("shift+Down");
    Pause(300);
    Picture before(Shot(suffix + "-before-dragging"));
    session->MouseDown(firstRow);
    for (int step = 1; step <= 8; ++step)
        session->MouseMove({firstRow.x + step, firstRow.y + step * 12});
    Pause(500);
    Picture during(Shot(suffix + "-dragging"));
    session->MouseMove(firstRow);
    session->MouseUp();

    // Ten plug-in rows float: their lamps and names, and nothing around them.
    DragImagePixels image = CompareForDragImage(before, during, list.client);
    EXPECT_GT(image.changed, 500);
    // Longer than any name, struck out or not: a block under the rows.
    EXPECT_LT(image.longestRun, list.client.Width() * 3 / 4) << "a block under the rows";
    EXPECT_GT(image.names, 50) << "the names in their colour";
    EXPECT_GT(image.lamps, 50) << "the lamps in their colours";
    if (dpi == 192)
        MoveARowAndSave();
}

INSTANTIATE_TEST_SUITE_P(Resolutions, ListPictures, ::testing::Values(96, 120, 144, 192));
