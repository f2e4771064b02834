#include "skin/canvas.h"

#include "platform/gdi/image.h"

std::unique_ptr<CBitmap> LoadCanvas(std::u16string_view path)
{
    CImage image;
    image.Load(path);
    if (image.IsNull()) {
        return nullptr;
    }
    return std::make_unique<CBitmap>(image.Detach());
}
