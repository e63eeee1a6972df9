#include "windows/reminders/remind_window_center.hpp"

#include <algorithm>
#include <initializer_list>

#include "settings/screen_zoom.hpp"
#include "settings/window_zoom.hpp"

namespace tavu {
namespace {

constexpr std::string_view kFace = "宋体";
constexpr Color kBlack = 0;
constexpr Color kWhite = Rgb(255, 255, 255);
constexpr Color kBlue = Rgb(0, 0, 255);
constexpr Color kGreen = Rgb(0, 128, 0);

ui::Label AutoLabel(Point at, std::string_view text, int px, Color color) {
  ui::Label label;
  label.rect = {at.x, at.y, at.x, at.y};
  label.text = text;
  label.auto_size = true;
  label.font = ui::PixelFont(std::string(kFace), px, false, color);
  return label;
}

Rect At(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

int DesignPixels(int device, int dpi) { return device * 96 / dpi; }

}  // namespace

RemindWindowCenterState::RemindWindowCenterState() {
  client = TfrmRemindWindowCenter::kDesignClient;
  font = ui::PixelFont(std::string(kFace), 12);
  Label1 = AutoLabel({120, 32}, "岚禾定时提醒", 21, kRed);
  Label1.back = kGreen;
  Label2 = AutoLabel({132, 72}, "闹钟提醒时间：", 16, kBlue);
  Label3 = AutoLabel({132, 104}, "00:00:00", 24, kWhite);
  Label4 = AutoLabel({56, 152}, "提醒内容：", 16, kBlack);
  imgAlarm.rect = At(48, 32, 50, 50);
  edtRemindContent.rect = At(136, 150, 129, 19);
  edtRemindContent.text = "在这里显示提醒内容！";
  edtRemindContent.font = ui::PixelFont(std::string(kFace), 12);
  edtRemindContent.read_only = true;
}

TfrmRemindWindowCenter::~TfrmRemindWindowCenter() {
  d_.timers.StopAll(*this);
  if (open_) d_.forms.Closed();
}

void TfrmRemindWindowCenter::Open(uint8_t reason) {
  reason_ = reason;
  open_ = true;
  d_.forms.Opened();
  FormCreate();
}

void TfrmRemindWindowCenter::FormCreate() {
  Settings& s = d_.settings;
  state_ = RemindWindowCenterState{};
  const int dpi = std::max(1, host_.Dpi());
  const Size device = d_.screen.PrimarySize();
  const Size screen{DesignPixels(device.w, dpi), DesignPixels(device.h, dpi)};
  SelectZoom(s, kCentreWindowZoom, screen);
  std::initializer_list<ui::Control*> texts{&state_.Label1, &state_.Label2, &state_.Label3,
                                            &state_.Label4, &state_.edtRemindContent};
  if (const int points = s.FontAdjustOfRemindCenterWindow; points != 0)
    for (ui::Control* c : texts) c->font->Grow(points);

  Rect bounds = At(kDesignPos.x, kDesignPos.y, kDesignClient.w, kDesignClient.h);
  if (s.ZoomRateRemindCenterWindow != 0) {
    const int p = s.ZoomPercentRemindCenterWindow;
    using screen_zoom::Scale;
    const Size size{Scale(kDesignClient.w, p), Scale(kDesignClient.h, p)};
    const Rect work = d_.screen.WorkArea();
    const int ww = DesignPixels(work.Width(), dpi), wh = DesignPixels(work.Height(), dpi);
    bounds = At(DesignPixels(work.left, dpi) + (ww - size.w) / 2,
                DesignPixels(work.top, dpi) + (wh - size.h) / 2, size.w, size.h);
    const Rect& img = state_.imgAlarm.rect;
    state_.imgAlarm.rect =
        At(Scale(img.left, p), Scale(img.top, p), Scale(img.Width(), p), Scale(img.Height(), p));
    for (ui::Control* c : texts) c->MoveTo({Scale(c->rect.left, p), Scale(c->rect.top, p)});
    Rect& edit = state_.edtRemindContent.rect;
    edit = At(edit.left, edit.top, Scale(edit.Width(), p), Scale(edit.Height(), p));
  }
  state_.bounds = bounds;
  state_.client = {bounds.Width(), bounds.Height()};
  const FrameColors colors = RemindWindowCenterColors(s, reason_);
  state_.color = colors.main;
  state_.frame_color = colors.border;

  const RemindCenterTexts texts_by_reason = RemindWindowCenterTexts(reason_, s);
  state_.Label2.text = texts_by_reason.label2;
  state_.Label3.text = MinuteText(d_.clock.Now());
  if (texts_by_reason.content) state_.edtRemindContent.text = *texts_by_reason.content;
  closes_by_itself_ = texts_by_reason.closes_by_itself;

  state_.revealed = RevealedPart(Reveal::FromCentre, state_.client, 0, kGrowMs);
  state_.visible = true;
  grow_start_ = d_.clock.Tick();
  host_.Show();
  d_.timers.Start(*this, kGrowTimer, kFrameMs);
}

void TfrmRemindWindowCenter::FormPaint(Canvas& canvas) const {
  const int dpi = std::max(1, host_.Dpi());
  auto device = [&](int v) { return v * dpi / 96; };
  const int w = device(state_.client.w), h = device(state_.client.h);
  canvas.FillRect({0, 0, w, h}, state_.color);
  // The path (5, 5), (5, H - 5), (W - 5, H - 5), (W - 5, 5) stroked with a 2-pixel pen: each
  // side is a band of the pen's width centred on its line.
  const int pen = device(2), inset = device(5);
  const int left = inset - pen / 2, top = left, right = w - inset - pen / 2,
            bottom = h - inset - pen / 2;
  canvas.FillRect({left, top, left + pen, bottom + pen}, state_.frame_color);
  canvas.FillRect({right, top, right + pen, bottom + pen}, state_.frame_color);
  canvas.FillRect({left, top, right + pen, top + pen}, state_.frame_color);
  canvas.FillRect({left, bottom, right + pen, bottom + pen}, state_.frame_color);
}

void TfrmRemindWindowCenter::GrowStep() {
  const uint64_t elapsed = d_.clock.Tick() - grow_start_;
  state_.revealed = RevealedPart(Reveal::FromCentre, state_.client, elapsed, kGrowMs);
  if (elapsed < kGrowMs) return;
  d_.timers.Stop(*this, kGrowTimer);
  // A chime's six seconds count from when it is all in view.
  if (closes_by_itself_) d_.timers.Start(*this, kAutoCloseTimer, kAutoCloseMs);
}

void TfrmRemindWindowCenter::Close() {
  if (!open_) return;
  open_ = false;
  d_.timers.StopAll(*this);
  d_.forms.Closed();
  state_.visible = false;
  host_.Close();
}

void TfrmRemindWindowCenter::OnTimer(int id) {
  if (id == kAutoCloseTimer) tmrAutoCloseTimer();
  if (id == kGrowTimer) GrowStep();
}

}  // namespace tavu
