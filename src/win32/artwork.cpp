#include "win32/artwork.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <cwctype>
#include <utility>

#include "win32/com_scope.h"
#include "win32/look.h"
#include "win32/utf.h"

namespace kneebrace::win32 {

namespace {

using Microsoft::WRL::ComPtr;

Picture DecodePng(const void* data, DWORD size) {
    ComScope com;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(factory.GetAddressOf()))) ||
        FAILED(factory->CreateStream(stream.GetAddressOf())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)), size)) ||
        FAILED(factory->CreateDecoderFromStream(
            stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.GetAddressOf())) ||
        FAILED(decoder->GetFrame(0, frame.GetAddressOf())) ||
        FAILED(factory->CreateFormatConverter(converter.GetAddressOf())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR,
                                     WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0)
        return {};

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down, as WIC writes rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) return {};
    const UINT stride = width * 4;
    if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
        DeleteObject(bitmap);
        return {};
    }
    return Picture(bitmap, SIZE{static_cast<LONG>(width), static_cast<LONG>(height)});
}

}  // namespace

std::wstring ArtworkResource(std::string_view artwork, int scale) {
    std::wstring name;
    for (const char c : artwork.substr(0, artwork.find('.')))
        name.push_back(static_cast<wchar_t>(std::towupper(static_cast<unsigned char>(c))));
    return scale > 0 ? name + std::to_wstring(scale) : name;
}

int DiagramScaleFor(UINT dpi) {
    const int wanted = ScaleFor(kDiagramWidth, dpi);
    for (const int scale : kDiagramScales)
        if (MulDiv(kDiagramWidth, scale, 100) >= wanted) return scale;
    return kDiagramScales[std::size(kDiagramScales) - 1];
}

Picture::Picture(Picture&& other) noexcept
    : bitmap_(std::exchange(other.bitmap_, nullptr)), size_(other.size_) {}

Picture& Picture::operator=(Picture&& other) noexcept {
    if (this != &other) {
        if (bitmap_ != nullptr) DeleteObject(bitmap_);
        bitmap_ = std::exchange(other.bitmap_, nullptr);
        size_ = other.size_;
    }
    return *this;
}

Picture::~Picture() {
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

Picture LoadDiagram(HINSTANCE instance, std::string_view artwork, int scale) {
    HRSRC resource = FindResourceW(instance, ArtworkResource(artwork, scale).c_str(), RT_RCDATA);
    if (resource == nullptr) return {};
    HGLOBAL loaded = LoadResource(instance, resource);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) return {};
    return DecodePng(data, SizeofResource(instance, resource));
}

void DrawPicture(HDC dc, const Picture& picture, const RECT& target) {
    if (picture.bitmap() == nullptr) return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, picture.bitmap());
    const SIZE size = picture.size();
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    if (width == size.cx && height == size.cy) {
        BitBlt(dc, target.left, target.top, width, height, source, 0, 0, SRCCOPY);
    } else {
        const int oldMode = SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, target.left, target.top, width, height, source, 0, 0, size.cx, size.cy,
                   SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    }
    SelectObject(source, old);
    DeleteDC(source);
}

void DrawDiagram(const DRAWITEMSTRUCT& item, const Picture& diagram, UINT dpi) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    const RECT target{r.left, r.top, r.left + ScaleFor(kDiagramWidth, dpi),
                      r.top + ScaleFor(kDiagramHeight, dpi)};
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    DrawPicture(dc, diagram, target);
    RestoreDC(dc, saved);
}

void DrawPictureButton(const DRAWITEMSTRUCT& item, HICON icon, std::string_view caption, HFONT font,
                       UINT dpi) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const auto paint = [dc, &r](window::Rgb colour, bool frame) {
        HBRUSH brush = CreateSolidBrush(ToColorRef(colour));
        if (frame) FrameRect(dc, &r, brush);
        else FillRect(dc, &r, brush);
        DeleteObject(brush);
    };
    paint(pressed ? window::kPictureButtonPressedFace : window::kPictureButtonFace, false);
    paint(pressed   ? window::kPictureButtonPressedBorder
          : focused ? window::kPictureButtonFocusBorder
                    : window::kPictureButtonBorder,
          true);

    const std::wstring text = Widen(caption);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    const int side = ScaleFor(window::kPictureButtonIconPixels, dpi);
    const int gap = ScaleFor(3, dpi);
    const int shift = pressed ? 1 : 0;
    const int top = r.top + (r.bottom - r.top - side - gap - extent.cy) / 2 + shift;
    if (icon != nullptr)
        DrawIconEx(dc, r.left + (r.right - r.left - side) / 2 + shift, top, icon, side, side, 0,
                   nullptr, DI_NORMAL);
    RECT below{r.left + shift, top + side + gap, r.right + shift, top + side + gap + extent.cy};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &below,
              DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    if (focused && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        const int inset = ScaleFor(3, dpi);
        InflateRect(&r, -inset, -inset);
        DrawFocusRect(dc, &r);
    }
}

HICON LoadArtworkIcon(HINSTANCE instance, std::string_view artwork, int pixels) {
    return static_cast<HICON>(LoadImageW(instance, ArtworkResource(artwork).c_str(), IMAGE_ICON,
                                         pixels, pixels, LR_DEFAULTCOLOR));
}

}  // namespace kneebrace::win32
