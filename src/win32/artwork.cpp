#include "win32/artwork.h"

#include <wincodec.h>

#include <utility>

#include "win32/com_scope.h"
#include "win32/look.h"
#include "win32/resource_ids.h"

namespace kneebrace::win32 {

namespace {

// Owns one COM interface pointer.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() {
        if (p_ != nullptr) p_->Release();
    }
    T** put() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }

private:
    T* p_ = nullptr;
};

Picture DecodePng(const void* data, DWORD size) {
    ComScope com;
    ComRef<IWICImagingFactory> factory;
    ComRef<IWICStream> stream;
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    ComRef<IWICFormatConverter> converter;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(factory.put()))) ||
        FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)), size)) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, decoder.put())) ||
        FAILED(decoder->GetFrame(0, frame.put())) ||
        FAILED(factory->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR,
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

Picture LoadDiagram(HINSTANCE instance, int scale) {
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(DiagramResourceId(scale)), RT_RCDATA);
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

HICON LoadIconAt(HINSTANCE instance, int id, int pixels) {
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, pixels, pixels, LR_DEFAULTCOLOR));
}

}  // namespace kneebrace::win32
