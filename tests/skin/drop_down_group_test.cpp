// SPDX-License-Identifier: GPL-3.0-or-later
// The drop-down group: the two rules for the others when one opens, a click
// closing only the open drop-downs it misses, a list still there reopened as
// it is, and item tracking in whichever list lies under the pointer. The open
// flag and the list window stay apart throughout.

#include <gtest/gtest.h>

#include <array>
#include <string_view>

#include "platform/wnd/cdialog.h"
#include "platform/wnd/list_box.h"
#include "skin/drop_down_group.h"
#include "tests/support/headless.h"
#include "tests/support/test_dialogs.h"

namespace {

// Three boxes in a column, each list opening to the right of its box; the
// second one's guard is wider than its list.
constexpr std::array<DropDownGeometry, 3> kGeometries = {{
    {61, {10, 10, 90, 30}, {100, 10, 180, 70}},
    {62, {10, 80, 90, 100}, {100, 80, 180, 140}, {100, 80, 250, 160}},
    {63, {10, 150, 90, 170}, {100, 150, 180, 210}},
}};
constexpr std::u16string_view kEntries[] = {u"One", u"Two", u"Three"};

class DropDownGroupTest : public HeadlessTest {
protected:
    void SetUp() override
    {
        HeadlessTest::SetUp();
        ASSERT_TRUE(m_owner.Create(test_dialogs::kPlain.id));
        m_owner.ShowWindow(SW_SHOW);
        wndtest::PumpMessages();
    }

    // Every drop-down of the group with its list made and its flag set.
    void OpenAllLists(CDropDownGroup& group)
    {
        for (std::size_t index = 0; index < group.Size(); ++index) {
            ASSERT_TRUE(group[index].CreateList(m_owner, kEntries));
            group[index].SetOpen(true);
        }
    }

    CPoint OnScreen(CPoint client) const
    {
        m_owner.ClientToScreen(&client);
        return client;
    }

    CDialog m_owner{test_dialogs::kPlain};
};

TEST_F(DropDownGroupTest, OpeningClearsEveryOtherFlagButDestroysOnlyTheFirstOtherList)
{
    CDropDownGroup group(kGeometries, OpeningClosesOthers::FlagsAndFirstList);
    OpenAllLists(group);
    group.CloseOthers(0);
    EXPECT_TRUE(group[0].IsOpen());
    EXPECT_TRUE(group[0].HasList());
    EXPECT_FALSE(group[1].IsOpen());
    EXPECT_FALSE(group[1].HasList());
    // The third list stays on screen with its flag cleared.
    EXPECT_FALSE(group[2].IsOpen());
    EXPECT_TRUE(group[2].HasList());
    EXPECT_NE(m_owner.GetDlgItem(63), nullptr);

    // The first other list is the first that is there, not the first other drop-down.
    group.CloseOthers(1);
    EXPECT_FALSE(group[0].HasList());
    EXPECT_TRUE(group[2].HasList());
    group.CloseOthers(2);
    EXPECT_TRUE(group[2].HasList());
    EXPECT_EQ(group.FirstWithList(), 2u);
}

TEST_F(DropDownGroupTest, OpeningEntirelyClosesEveryOtherListAndFlag)
{
    CDropDownGroup group(kGeometries, OpeningClosesOthers::Entirely);
    OpenAllLists(group);
    group.CloseOthers(1);
    EXPECT_FALSE(group[0].IsOpen());
    EXPECT_FALSE(group[0].HasList());
    EXPECT_TRUE(group[1].IsOpen());
    EXPECT_TRUE(group[1].HasList());
    EXPECT_FALSE(group[2].IsOpen());
    EXPECT_FALSE(group[2].HasList());
    EXPECT_EQ(group.FirstWithList(), 1u);
    group.CloseAll();
    EXPECT_EQ(group.FirstWithList(), std::nullopt);
    EXPECT_FALSE(group[1].IsOpen());
}

TEST_F(DropDownGroupTest, AClickClosesOnlyTheOpenDropDownsWhoseGuardAndBoxItMisses)
{
    CDropDownGroup group(kGeometries, OpeningClosesOthers::Entirely);
    OpenAllLists(group);
    // A list without its flag is not the click's business.
    group[2].SetOpen(false);
    // In the second one's guard beyond its list: the first one closes.
    EXPECT_TRUE(group.CloseOutside(CPoint(200, 150)));
    EXPECT_FALSE(group[0].HasList());
    EXPECT_TRUE(group[1].IsOpen());
    EXPECT_TRUE(group[1].HasList());
    EXPECT_TRUE(group[2].HasList());
    // In its box it stays open too.
    EXPECT_FALSE(group.CloseOutside(CPoint(10, 80)));
    EXPECT_TRUE(group[1].IsOpen());
    EXPECT_TRUE(group.CloseOutside(CPoint(250, 160)));
    EXPECT_FALSE(group[1].IsOpen());
    EXPECT_FALSE(group[1].HasList());
    EXPECT_TRUE(group[2].HasList());
    EXPECT_FALSE(group.CloseOutside(CPoint(250, 160)));

    EXPECT_EQ(group.BoxAt(CPoint(89, 169)), 2u);
    EXPECT_EQ(group.BoxAt(CPoint(90, 169)), std::nullopt);
}

TEST_F(DropDownGroupTest, AListStillThereOpensAsItIsAndTrackingFindsTheListUnderThePointer)
{
    CDropDownGroup group(kGeometries, OpeningClosesOthers::FlagsAndFirstList);
    group.Open(1, m_owner, kEntries);
    ASSERT_TRUE(group[1].HasList());
    EXPECT_TRUE(group[1].IsOpen());
    EXPECT_EQ(group[1].List()->GetCount(), 3);

    // Items are 16 pixels high inside a one-pixel border.
    EXPECT_FALSE(group.TrackItemAt(OnScreen(CPoint(120, 20))));
    EXPECT_TRUE(group.TrackItemAt(OnScreen(CPoint(120, 80 + 1 + 2 * 16 + 3))));
    EXPECT_EQ(group[1].Selection()->text, u"Three");

    // Closed by its flag alone, then opened again: the same list, selection and all.
    group[1].SetOpen(false);
    const std::u16string_view other[] = {u"Other"};
    group.Open(1, m_owner, other);
    EXPECT_TRUE(group[1].IsOpen());
    EXPECT_EQ(group[1].List()->GetCount(), 3);
    EXPECT_EQ(group[1].Selection()->position, 2);

    // Without its list it gets a new one with the entries given.
    group[1].DestroyList();
    group.Open(1, m_owner, other);
    EXPECT_EQ(group[1].List()->GetCount(), 1);
    EXPECT_FALSE(group[1].Selection());
}

}  // namespace
