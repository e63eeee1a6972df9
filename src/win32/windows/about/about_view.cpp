#include "windows/about/about_view.hpp"

#include "ui/control_ids.hpp"

namespace tavu::win {

namespace {
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
}  // namespace

AboutView::AboutView() {
  Create(L"TfrmAboutHelp", kStyle, 0, L"", nullptr);
  mirror_.Attach(hwnd(), ControlMirror::Units::Design,
                 [this](int id, const ui::Input&) { OnInput(id); });
}

void AboutView::Show() {
  Sync();
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetForegroundWindow(hwnd());
}

void AboutView::Sync() {
  if (!presenter_) return;
  const AboutState& s = presenter_->State();
  mirror_.ApplyForm(s);
  mirror_.Apply(ids::kAboutTitle, s.lblTitle);
  mirror_.Apply(ids::kAboutVersion, s.lblVersion);
  mirror_.Apply(ids::kAboutIntro, s.lblIntro);
  for (int i = 0; i < AboutState::kLinkCount; ++i)
    mirror_.Apply(ids::kAboutFirstLink + i, s.btnLinks[i]);
  mirror_.Apply(ids::kAboutPicture, s.btnWelcome);
  mirror_.Apply(ids::kAboutMail, s.lblMail);
  mirror_.Apply(ids::kAboutCopyMail, s.btnCopyMail);
}

void AboutView::OnInput(int id) {
  if (!presenter_) return;
  if (id >= ids::kAboutFirstLink && id < ids::kAboutFirstLink + AboutState::kLinkCount)
    presenter_->LinkClick(static_cast<TfrmAboutHelp::Link>(id - ids::kAboutFirstLink));
  else if (id == ids::kAboutPicture)
    presenter_->imgWelcomeClick();
  else if (id == ids::kAboutCopyMail)
    presenter_->btnCopyMailClick();
  SyncAll();
}

LRESULT AboutView::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (!presenter_) return Default(msg, wp, lp);
  LRESULT result = 0;
  if (mirror_.Handle(msg, wp, lp, &result)) return result;
  switch (msg) {
    case WM_CLOSE:
      presenter_->FormClose();
      SyncAll();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    default:
      return Default(msg, wp, lp);
  }
}

}  // namespace tavu::win
