// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/gdi/dc.h"
#include "platform/gdi/font_faces.h"
#include "platform/gdi/text_raster.h"

namespace {

constexpr COLORREF kBackground = RGB(26, 54, 51);
constexpr COLORREF kText = RGB(0, 255, 198);

LOGFONTW Face(const char16_t* face, int height, int weight = FW_NORMAL)
{
    LOGFONTW lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfPitchAndFamily = FF_SWISS;
    std::u16string_view name(face);
    std::copy(name.begin(), name.end(), lf.lfFaceName);
    return lf;
}

// A canvas of one colour with a font selected, ready for text.
struct TextCanvas {
    CBitmap bitmap;
    CDC dc;
    CFont font;
    TextCanvas(int w, int h, const char16_t* face = u"Arial", int height = 14)
    {
        bitmap.CreateBitmap32(w, h);
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(CRect(0, 0, w, h), kBackground);
        const LOGFONTW lf = Face(face, height);
        font.CreateFontIndirect(&lf);
        dc.SelectObject(&font);
        dc.SetTextColor(kText);
        dc.SetBkMode(TRANSPARENT);
    }
    bool Inked(int x, int y) const { return dc.GetPixel(x, y) != kBackground; }
    // The bounding box of every pixel that text changed.
    CRect InkBox() const
    {
        CRect box(bitmap.Width(), bitmap.Height(), -1, -1);
        for (int y = 0; y < bitmap.Height(); ++y) {
            for (int x = 0; x < bitmap.Width(); ++x) {
                if (Inked(x, y)) {
                    box = CRect(std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                        std::max(box.bottom, y + 1));
                }
            }
        }
        return box;
    }
};

TEST(FontFaces, TheFourSkinFacesMapToInstalledFamilies)
{
    EXPECT_EQ(InstalledFamiliesForFace(u"Arial", ANSI_CHARSET, FF_SWISS).front(), "Liberation Sans");
    EXPECT_EQ(InstalledFamiliesForFace(u"arial", ANSI_CHARSET, FF_SWISS).front(), "Liberation Sans");
    EXPECT_EQ(InstalledFamiliesForFace(u"Tahoma", ANSI_CHARSET, FF_SWISS).front(), "DejaVu Sans");
    EXPECT_EQ(InstalledFamiliesForFace(u"\u9ED1\u4F53", ANSI_CHARSET, FF_SWISS).front(), "Noto Sans CJK SC");
    EXPECT_EQ(InstalledFamiliesForFace(u"\u5B8B\u4F53", GB2312_CHARSET, 0).front(), "Noto Sans CJK SC");
    // Latin faces fall back to a Chinese family for Chinese texts.
    EXPECT_EQ(InstalledFamiliesForFace(u"Arial", ANSI_CHARSET, FF_SWISS).back(), "Noto Sans CJK SC");
    EXPECT_EQ(InstalledFamiliesForFace(u"", GB2312_CHARSET, 0).front(), "Noto Sans CJK SC");
    EXPECT_EQ(InstalledFamiliesForFace(u"Nowhere", ANSI_CHARSET, FIXED_PITCH).front(), "DejaVu Sans Mono");
}

TEST(TextRaster, APositiveHeightIsTheCellHeight)
{
    for (const char16_t* face : {u"Arial", u"Tahoma", u"\u9ED1\u4F53", u"\u5B8B\u4F53"}) {
        for (const int height : {13, 14, 15}) {
            const TextMask mask = RasteriseTextLine(Face(face, height), u"Ag\u4E2D");
            EXPECT_NEAR(mask.height, height, 1) << height;
            EXPECT_GT(mask.width, 0);
        }
    }
    const TextMask bold = RasteriseTextLine(Face(u"Tahoma", 15, FW_BOLD), u"Wheel");
    const TextMask normal = RasteriseTextLine(Face(u"Tahoma", 15, FW_NORMAL), u"Wheel");
    EXPECT_GT(bold.width, normal.width);
}

TEST(DrawText, AlignsLeftCentreAndRightInsideTheRectangle)
{
    const CRect rect(20, 10, 180, 40);
    CRect ink[3];
    const UINT aligns[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    for (int i = 0; i < 3; ++i) {
        TextCanvas canvas(200, 50);
        CRect r = rect;
        EXPECT_GT(canvas.dc.DrawText(u"Left Click", &r, DT_SINGLELINE | DT_VCENTER | aligns[i]), 0);
        ink[i] = canvas.InkBox();
        EXPECT_GE(ink[i].left, rect.left);
        EXPECT_LE(ink[i].right, rect.right);
    }
    EXPECT_LE(ink[0].left, rect.left + 2);
    EXPECT_GE(ink[2].right, rect.right - 2);
    const int centre = (ink[1].left + ink[1].right) / 2;
    EXPECT_NEAR(centre, (rect.left + rect.right) / 2, 3);
    // Vertically centred: about as much room above the ink as below.
    const int above = ink[0].top - rect.top;
    const int below = rect.bottom - ink[0].bottom;
    EXPECT_NEAR(above, below, 5);
}

TEST(DrawText, ClipsToItsRectangleUnlessToldNotTo)
{
    TextCanvas clipped(200, 40);
    CRect narrow(10, 5, 40, 35);
    clipped.dc.DrawText(u"A label far too long for its box", &narrow, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    const CRect ink = clipped.InkBox();
    EXPECT_GE(ink.left, narrow.left);
    EXPECT_LE(ink.right, narrow.right);
    EXPECT_GT(ink.right, narrow.right - 5);  // painted up to the edge

    TextCanvas unclipped(200, 40);
    CRect same = narrow;
    unclipped.dc.DrawText(u"A label far too long for its box", &same, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
    EXPECT_GT(unclipped.InkBox().right, narrow.right + 20);
}

TEST(DrawText, CentredTextWiderThanTheBoxIsCutOnBothSides)
{
    TextCanvas canvas(300, 40);
    CRect box(100, 0, 140, 40);
    canvas.dc.DrawText(u"WWWWWWWWWWWWWWWW", &box, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    const CRect ink = canvas.InkBox();
    EXPECT_GE(ink.left, 100);
    EXPECT_LE(ink.right, 140);
    EXPECT_LE(ink.left, 102);
    EXPECT_GE(ink.right, 138);
}

TEST(DrawText, UsesTheTextColourAndHonoursTheWindowOrigin)
{
    TextCanvas canvas(100, 30, u"Tahoma", 20);
    canvas.dc.SetWindowOrg(50, 0);
    CRect rect(50, 0, 150, 30);
    canvas.dc.DrawText(u"\u2588\u2588", &rect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);  // full blocks
    canvas.dc.SetWindowOrg(0, 0);
    EXPECT_TRUE(canvas.InkBox().left < 5);
    bool found = false;
    for (int x = 0; x < 30 && !found; ++x) {
        found = canvas.dc.GetPixel(x, 15) == kText;
    }
    EXPECT_TRUE(found);
}

TEST(DrawText, OpaqueModeFillsTheTextCellOnly)
{
    TextCanvas canvas(100, 30);
    canvas.dc.SetBkMode(OPAQUE);
    canvas.dc.SetBkColor(RGB(255, 255, 255));
    CRect rect(0, 0, 100, 30);
    canvas.dc.DrawText(u"ab", &rect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    EXPECT_EQ(canvas.dc.GetPixel(0, 15), RGB(255, 255, 255));
    EXPECT_EQ(canvas.dc.GetPixel(90, 15), kBackground);
    EXPECT_EQ(canvas.dc.GetPixel(0, 0), kBackground);
}

TEST(DrawText, CalcRectMeasuresWithoutDrawing)
{
    TextCanvas canvas(100, 30);
    CRect rect(5, 5, 6, 6);
    const int height = canvas.dc.DrawText(u"Fire Key", &rect, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(rect.top, 5);
    EXPECT_EQ(rect.Height(), height);
    EXPECT_GT(rect.Width(), 20);
    EXPECT_EQ(canvas.InkBox().right, -1);
}

}  // namespace
