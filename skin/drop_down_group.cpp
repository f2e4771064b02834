// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/drop_down_group.h"

CDropDownGroup::CDropDownGroup(std::span<const DropDownGeometry> geometries, OpeningClosesOthers rule)
    : m_rule(rule)
{
    m_dropDowns.reserve(geometries.size());
    for (const DropDownGeometry& geometry : geometries) {
        m_dropDowns.emplace_back(geometry);
    }
}

std::optional<std::size_t> CDropDownGroup::BoxAt(CPoint point) const
{
    for (std::size_t index = 0; index < m_dropDowns.size(); ++index) {
        if (m_dropDowns[index].InBox(point)) {
            return index;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> CDropDownGroup::FirstWithList() const
{
    for (std::size_t index = 0; index < m_dropDowns.size(); ++index) {
        if (m_dropDowns[index].HasList()) {
            return index;
        }
    }
    return std::nullopt;
}

bool CDropDownGroup::CloseOutside(CPoint point)
{
    bool closed = false;
    for (CDropDown& dropDown : m_dropDowns) {
        if (dropDown.IsOpen() && !dropDown.InGuard(point) && !dropDown.InBox(point)) {
            dropDown.Close();
            closed = true;
        }
    }
    return closed;
}

void CDropDownGroup::CloseOthers(std::size_t index)
{
    bool destroyed = false;
    for (std::size_t other = 0; other < m_dropDowns.size(); ++other) {
        if (other == index) {
            continue;
        }
        CDropDown& dropDown = m_dropDowns[other];
        switch (m_rule) {
        case OpeningClosesOthers::FlagsAndFirstList:
            dropDown.SetOpen(false);
            if (!destroyed && dropDown.HasList()) {
                dropDown.DestroyList();
                destroyed = true;
            }
            break;
        case OpeningClosesOthers::Entirely:
            dropDown.Close();
            break;
        }
    }
}

void CDropDownGroup::Open(std::size_t index, CWnd& parent, std::span<const std::u16string_view> entries)
{
    CDropDown& dropDown = m_dropDowns[index];
    if (!dropDown.HasList()) {
        dropDown.CreateList(parent, entries);
    }
    dropDown.SetOpen(true);
}

void CDropDownGroup::CloseAll()
{
    for (CDropDown& dropDown : m_dropDowns) {
        dropDown.Close();
    }
}

bool CDropDownGroup::TrackItemAt(CPoint screenPoint)
{
    for (CDropDown& dropDown : m_dropDowns) {
        if (dropDown.TrackItemAt(screenPoint)) {
            return true;
        }
    }
    return false;
}
