// SPDX-License-Identifier: GPL-3.0-or-later
// The painted drop-down: its list window made and destroyed on demand, the
// open flag kept apart from it, item tracking, and a list closed from inside
// its own notification and opened again.

#include <gtest/gtest.h>

#include <functional>
#include <string_view>

#include "platform/wnd/cdialog.h"
#include "platform/wnd/list_box.h"
#include "skin/drop_down.h"
#include "tests/support/headless.h"
#include "tests/support/test_dialogs.h"

namespace {

constexpr DropDownGeometry kGeometry{33, {49, 112, 177, 141}, {49, 143, 177, 263}, {}, false};
constexpr std::u16string_view kEntries[] = {u"Play", u"Pause", u"Stop"};

class COwnerDlg : public CDialog {
public:
    COwnerDlg() : CDialog(test_dialogs::kPlain) {}
    std::function<void()> onChoice;

protected:
    const CMessageMap* GetMessageMap() const override { return &kMessageMap; }

private:
    void OnChoice()
    {
        if (onChoice) {
            onChoice();
        }
    }
    static const CMessageMap kMessageMap;
};

const CMessageMap COwnerDlg::kMessageMap = {
    ON_LBN_SELCHANGE(33, &COwnerDlg::OnChoice),
};

class DropDownTest : public HeadlessTest {
protected:
    void SetUp() override
    {
        HeadlessTest::SetUp();
        ASSERT_TRUE(m_owner.Create(test_dialogs::kPlain.id));
        m_owner.ShowWindow(SW_SHOW);
        wndtest::PumpMessages();
    }

    // A point of the owner's client area on screen.
    CPoint OnScreen(CPoint client) const
    {
        m_owner.ClientToScreen(&client);
        return client;
    }

    COwnerDlg m_owner;
    CDropDown m_dropDown{kGeometry};
};

TEST_F(DropDownTest, TheListLivesOnlyWhileAskedForAndTheFlagIsTheOwners)
{
    EXPECT_FALSE(m_dropDown.HasList());
    EXPECT_FALSE(m_dropDown.IsOpen());
    ASSERT_TRUE(m_dropDown.CreateList(m_owner, kEntries));
    CListBox* list = m_dropDown.List();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(m_owner.GetDlgItem(33), list);
    EXPECT_EQ(list->GetCount(), 3);
    EXPECT_EQ(list->GetStyle(), WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY);
    CRect rect;
    list->GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), OnScreen(CPoint(49, 143)));
    EXPECT_EQ(rect.Size(), CSize(128, 120));
    // Making the list does not open the drop-down, nor does destroying it close it.
    EXPECT_FALSE(m_dropDown.IsOpen());
    m_dropDown.SetOpen(true);
    m_dropDown.DestroyList();
    EXPECT_FALSE(m_dropDown.HasList());
    EXPECT_EQ(m_owner.GetDlgItem(33), nullptr);
    EXPECT_TRUE(m_dropDown.IsOpen());
    m_dropDown.Close();
    EXPECT_FALSE(m_dropDown.IsOpen());
}

TEST_F(DropDownTest, AListCanOpenElsewhereAndWithAScrollBar)
{
    CDropDown scrolling(DropDownGeometry{572, {102, 70, 230, 99}, {102, 101, 230, 221}, {}, true});
    ASSERT_TRUE(scrolling.CreateList(m_owner, CRect(10, -13, 60, 182), kEntries));
    EXPECT_EQ(scrolling.List()->GetStyle() & WS_VSCROLL, WS_VSCROLL);
    CRect rect;
    scrolling.List()->GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), OnScreen(CPoint(10, -13)));
    EXPECT_EQ(rect.Height(), 195);
}

TEST_F(DropDownTest, TheItemUnderThePointerBecomesTheSelection)
{
    ASSERT_TRUE(m_dropDown.CreateList(m_owner, kEntries));
    EXPECT_FALSE(m_dropDown.Selection());
    EXPECT_FALSE(m_dropDown.TrackItemAt(OnScreen(CPoint(100, 120))));
    EXPECT_FALSE(m_dropDown.Selection());
    // Items are 16 pixels high inside a one-pixel border.
    EXPECT_TRUE(m_dropDown.TrackItemAt(OnScreen(CPoint(60, 143 + 1 + 16 + 3))));
    ASSERT_TRUE(m_dropDown.Selection());
    EXPECT_EQ(m_dropDown.Selection()->position, 1);
    EXPECT_EQ(m_dropDown.Selection()->text, u"Pause");
    // Below the last item the last one is the nearest.
    EXPECT_TRUE(m_dropDown.TrackItemAt(OnScreen(CPoint(60, 250))));
    EXPECT_EQ(m_dropDown.Selection()->position, 2);
}

TEST_F(DropDownTest, AListClosedByItsOwnChoiceOpensAgain)
{
    int choices = 0;
    m_owner.onChoice = [&] {
        ++choices;
        EXPECT_EQ(m_dropDown.Selection()->text, u"Stop");
        m_dropDown.Close();
    };
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(m_dropDown.CreateList(m_owner, kEntries));
        m_dropDown.SetOpen(true);
        wndtest::Click(*m_dropDown.List(), CPoint(20, 1 + 2 * 16 + 5));
        EXPECT_FALSE(m_dropDown.HasList());
        EXPECT_FALSE(m_dropDown.IsOpen());
    }
    EXPECT_EQ(choices, 2);
}

TEST_F(DropDownTest, TheGuardIsTheListUnlessGivenAndTheBoxIsPaintedWithItsText)
{
    EXPECT_TRUE(m_dropDown.InGuard(CPoint(49, 143)));
    EXPECT_FALSE(m_dropDown.InGuard(CPoint(177, 143)));
    const CDropDown guarded(DropDownGeometry{51, {498, 153, 626, 182}, {626, -13, 706, 182}, {626, 107, 754, 267}});
    EXPECT_FALSE(guarded.InGuard(CPoint(630, 0)));
    EXPECT_TRUE(guarded.InGuard(CPoint(753, 266)));
    EXPECT_TRUE(guarded.InBox(CPoint(498, 153)));
    EXPECT_FALSE(guarded.InBox(CPoint(626, 153)));

    const SkinPicture over = m_dropDown.BoxPicture(true, u"Stop", DT_CENTER);
    EXPECT_EQ(over.file, u"/DropdownBox-over.png");
    EXPECT_EQ(over.topLeft, CPoint(49, 112));
    ASSERT_TRUE(over.label);
    EXPECT_EQ(over.label->box, kGeometry.box);
    EXPECT_EQ(over.label->text, u"Stop");
    EXPECT_EQ(m_dropDown.BoxPicture(false, u"", DT_LEFT).file, u"/DropdownBox-normal.png");
}

}  // namespace
