#include "ui/view.hpp"

#include <optional>
#include <string>

namespace tavu::win {

View* View::first_ = nullptr;

View::View() {
  next_ = first_;
  first_ = this;
}

View::~View() {
  for (View** p = &first_; *p; p = &(*p)->next_) {
    if (*p == this) {
      *p = next_;
      break;
    }
  }
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void View::SyncAll() {
  for (View* v = first_; v; v = v->next_)
    if (v->hwnd_) v->Sync();
}

void View::Create(std::wstring_view window_class, DWORD style, DWORD ex_style,
                  std::wstring_view title, HWND owner, HBRUSH background, LPCWSTR cursor) {
  const std::wstring cls(window_class);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{sizeof wc};
  if (!GetClassInfoExW(instance, cls.c_str(), &wc)) {
    wc = WNDCLASSEXW{sizeof wc};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorW(nullptr, cursor);
    wc.hbrBackground = background ? background : GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = cls.c_str();
    RegisterClassExW(&wc);
  }
  hwnd_ =
      CreateWindowExW(ex_style, cls.c_str(), std::wstring(title).c_str(), style, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, this);
}

LRESULT View::Handle(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

LRESULT CALLBACK View::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<View*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<View*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  if (msg == WM_DPICHANGED) {
    self->DpiChanged(HIWORD(wp));
    SyncAll();
    return 0;
  }
  return self->Handle(msg, wp, lp);
}

namespace {

BITMAPINFO TopDown32(int w, int h) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

}  // namespace

void StretchedPicture::Draw(HDC dc, int x, int y, int w, int h) {
  if (Empty() || w <= 0 || h <= 0) return;
  BITMAPINFO bi = TopDown32(w, h);
  if (!scaled_ || width_ != w || height_ != h) {
    Release();  // before decoding, so that the old copy and the new never coexist
    const std::optional<Image> source = DecodeJpeg(jpeg_);
    if (!source) {
      broken_ = true;
      return;
    }
    scaled_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (!scaled_) return;
    width_ = w;
    height_ = h;
    ScaleImage(*source, PixelBuffer{static_cast<uint32_t*>(bits_), w, h, w});
  }
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(w), static_cast<DWORD>(h), 0, 0, 0,
                    static_cast<UINT>(h), bits_, &bi, DIB_RGB_COLORS);
}

void StretchedPicture::Release() {
  if (scaled_) DeleteObject(scaled_);
  scaled_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}

void ShowAt(HWND hwnd, UINT flags) {
  RECT r;
  GetWindowRect(hwnd, &r);
  SetWindowPos(hwnd, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
               flags | SWP_SHOWWINDOW);
}

}  // namespace tavu::win
