// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwnd/rate_lighting_page.h"

#include <algorithm>
#include <optional>

#include "lang/main_window_names.h"
#include "mainwnd/layout.h"
#include "mainwnd/page_host.h"
#include "settings/settings_state.h"

namespace {

using layout::kLightingTicks;
using layout::kRateTicks;
using layout::LightingTickKind;

SkinPicture Tick(const CRect& rect)
{
    return SkinPicture{layout::kTickPicture, rect.TopLeft(), std::nullopt};
}

SkinPicture PagePicture()
{
    return SkinPicture{layout::kTabs[2].picture, CPoint(0, 0), std::nullopt};
}

std::optional<std::size_t> RateTickOf(std::uint8_t reportInterval)
{
    for (std::size_t tick = 0; tick < kRateTicks.size(); ++tick) {
        if (kRateTicks[tick].reportInterval == reportInterval) {
            return tick;
        }
    }
    return std::nullopt;
}

// The tick of a kind (and value) of lighting choice; none for a value the
// page does not offer.
std::optional<CRect> LightingTickRect(LightingTickKind kind, std::uint8_t value)
{
    for (const auto& tick : kLightingTicks) {
        if (tick.kind == kind && tick.value == value) {
            return tick.rect;
        }
    }
    return std::nullopt;
}

void AppendLightingTick(std::vector<SkinPicture>& pictures, LightingTickKind kind, std::uint8_t value)
{
    if (const auto rect = LightingTickRect(kind, value)) {
        pictures.push_back(Tick(*rect));
    }
}

// The lighting ticks for the record's lighting fields.
void AppendCurrentLightingTicks(std::vector<SkinPicture>& pictures)
{
    const SettingsRecord& record = g_settingsRecord;
    switch (record.ledMode) {
    case kLedModeZero:
        AppendLightingTick(pictures, LightingTickKind::ModeZero, 0);
        break;
    case kLedModeOne:
        AppendLightingTick(pictures, LightingTickKind::ModeOneParameter, record.modeOneParameter);
        break;
    case kLedModeTwo:
        AppendLightingTick(pictures, LightingTickKind::ModeTwo, 0);
        AppendLightingTick(pictures, LightingTickKind::ModeTwoParameter, record.modeTwoParameter);
        break;
    default:
        break;
    }
}

constexpr std::array<ScreenElement, kRateTicks.size() + kLightingTicks.size()> RateLightingElements()
{
    std::array<ScreenElement, kRateTicks.size() + kLightingTicks.size()> elements{};
    for (std::size_t tick = 0; tick < kRateTicks.size(); ++tick) {
        elements[tick] = {ElementKind::Tick, kRateTicks[tick].rect};
    }
    for (std::size_t tick = 0; tick < kLightingTicks.size(); ++tick) {
        elements[kRateTicks.size() + tick] = {ElementKind::Tick, kLightingTicks[tick].rect};
    }
    return elements;
}
constexpr auto kElements = RateLightingElements();

}  // namespace

CRateLightingPage::CRateLightingPage(IPageHost& host) : m_host(host) {}

void CRateLightingPage::AppendContent(std::vector<SkinPicture>& pictures)
{
    AppendTicks(pictures);
}

void CRateLightingPage::AppendTicks(std::vector<SkinPicture>& pictures) const
{
    const std::size_t rate = RateTickOf(g_settingsRecord.reportInterval).value_or(layout::kRate1000Tick);
    pictures.push_back(Tick(kRateTicks[rate].rect));
    AppendCurrentLightingTicks(pictures);
}

bool CRateLightingPage::OnClick(CPoint point)
{
    for (std::size_t tick = 0; tick < kRateTicks.size(); ++tick) {
        if (kRateTicks[tick].rect.PtInRect(point)) {
            OnRateTick(tick);
            return true;
        }
    }
    for (std::size_t tick = 0; tick < kLightingTicks.size(); ++tick) {
        if (kLightingTicks[tick].rect.PtInRect(point)) {
            OnLightingTick(tick);
            return true;
        }
    }
    return false;
}

void CRateLightingPage::OnRateTick(std::size_t tick)
{
    std::vector<SkinPicture> pictures{PagePicture(), Tick(kRateTicks[tick].rect)};
    AppendCurrentLightingTicks(pictures);
    g_settingsRecord.reportInterval = kRateTicks[tick].reportInterval;
    m_host.Repaint(pictures);
}

// Each mode keeps its parameter while another mode is chosen, so that coming
// back to it shows the last one.
void CRateLightingPage::OnLightingTick(std::size_t tick)
{
    SettingsRecord& record = g_settingsRecord;
    const auto& clicked = kLightingTicks[tick];
    if (clicked.kind == LightingTickKind::ModeTwoParameter && record.ledMode != kLedModeTwo) {
        return;
    }
    std::vector<SkinPicture> pictures{PagePicture()};
    switch (clicked.kind) {
    case LightingTickKind::ModeZero:
        pictures.push_back(Tick(clicked.rect));
        record.ledMode = kLedModeZero;
        break;
    case LightingTickKind::ModeTwo:
        pictures.push_back(Tick(clicked.rect));
        AppendLightingTick(pictures, LightingTickKind::ModeTwoParameter, record.modeTwoParameter);
        record.ledMode = kLedModeTwo;
        break;
    case LightingTickKind::ModeOneParameter:
        pictures.push_back(Tick(clicked.rect));
        record.ledMode = kLedModeOne;
        record.modeOneParameter = clicked.value;
        break;
    case LightingTickKind::ModeTwoParameter:
        AppendLightingTick(pictures, LightingTickKind::ModeTwo, 0);
        pictures.push_back(Tick(clicked.rect));
        record.modeTwoParameter = clicked.value;
        break;
    }
    // Here an unknown report rate shows no tick at all.
    if (const auto rate = RateTickOf(record.reportInterval)) {
        pictures.push_back(Tick(kRateTicks[*rate].rect));
    }
    m_host.Repaint(pictures);
}

std::span<const ScreenElement> CRateLightingPage::Elements() const
{
    return kElements;
}

SkinPicture CRateLightingPage::ElementPicture(std::size_t element, bool) const
{
    return Tick(kElements[element].rect);
}

std::u16string CRateLightingPage::ElementName(std::size_t element, Language language) const
{
    namespace names = main_window_names;
    return std::u16string(element < names::kRates.size() ? names::kRates[element].In(language)
                                                         : names::kLighting[element - names::kRates.size()].In(language));
}

// Ticked where the page draws a tick over it.
bool CRateLightingPage::ElementTicked(std::size_t element) const
{
    std::vector<SkinPicture> ticks;
    AppendTicks(ticks);
    const CPoint place = kElements[element].rect.TopLeft();
    return std::any_of(ticks.begin(), ticks.end(), [&place](const SkinPicture& tick) { return tick.topLeft == place; });
}
