// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The double-buffer context: drawing goes into an off-screen bitmap (or a
// canvas the caller selects in) with the target's coordinates, and reaches
// the target in one copy when the context is destroyed.

#include "platform/gdi/bitmap.h"
#include "platform/gdi/dc.h"
#include "platform/geometry.h"

class CMemDC : public CDC {
public:
    // An all-zero rect stands for the target's clip box. A canvas, when
    // given, is selected at once in place of an off-screen bitmap of the
    // context's own, which it would only replace: drawing goes straight into
    // the canvas and the canvas is what reaches the target.
    explicit CMemDC(CDC* target, const CRect& rect = CRect(), CBitmap* canvas = nullptr);
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;
    ~CMemDC() override;

private:
    CDC* m_target = nullptr;
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CRect m_rect;
    // Off-screen drawing in use. This desktop has no printing contexts,
    // which would be drawn into directly; a missing target is the one case
    // without a buffer.
    bool m_memDC = false;
};
