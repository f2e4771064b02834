// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The third page: four report-rate ticks and eight lighting ticks. The page
// picture carries every caption; the window only draws the tick picture where
// a choice is active.

#include <vector>

#include "mainwnd/page.h"
#include "skin/repaint.h"

class IPageHost;

class CRateLightingPage final : public IPage {
public:
    explicit CRateLightingPage(IPageHost& host);

    // The page's content after its picture, as its tab draws it: the report
    // rate's tick (at 1000 Hz for any value but 125, 250 and 500 Hz), then the
    // lighting ticks.
    void AppendContent(std::vector<SkinPicture>& pictures) override;

    // The report-rate ticks, then the lighting ticks. Returns whether one was
    // hit (a mode-2 parameter clicked while mode 2 is off is hit, and ignored).
    bool OnClick(CPoint point) override;

    // The report-rate ticks, then the lighting ticks; none hovers, and each
    // has the tick picture as its only one.
    std::span<const ScreenElement> Elements() const override;
    SkinPicture ElementPicture(std::size_t element, bool over) const override;
    std::u16string ElementName(std::size_t element, Language language) const override;
    bool ElementTicked(std::size_t element) const override;

private:
    // The ticks of the content alone: where a choice is active.
    void AppendTicks(std::vector<SkinPicture>& pictures) const;
    void OnRateTick(std::size_t tick);
    void OnLightingTick(std::size_t tick);

    IPageHost& m_host;
};
