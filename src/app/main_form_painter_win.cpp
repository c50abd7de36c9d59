#include "app/main_form_painter_win.h"

#include "app/control_ids.h"
#include "ui/artwork_win.h"

namespace {

constexpr COLORREF kPaleYellow = RGB(255, 255, 225);
constexpr COLORREF kDisabledFace = RGB(44, 46, 48);

// The page's own option check boxes are white; the items of choice groups are silver.
bool IsOptionCheckBox(int id) {
    return id == ctl::BoostCheckBox || id == ctl::UseProxyBox || id == ctl::cusresbox || id == ctl::WarmUpCheckBox ||
           id == ctl::BatchQuietCheckBox || id == ctl::HighPerfCheckBox || id == ctl::FrameTimesCheckBox;
}

}  // namespace

MainFormPainter::MainFormPainter()
    : pageBrush_(CreateSolidBrush(kPageBlack)),
      paleYellowBrush_(CreateSolidBrush(kPaleYellow)),
      whiteBrush_(CreateSolidBrush(kWhite)),
      disabledBrush_(CreateSolidBrush(kDisabledFace)) {}

LRESULT MainFormPainter::ControlColour(UINT msg, HDC dc, HWND control) const {
    char cls[16] = {};
    GetClassNameA(control, cls, sizeof cls);
    // A drop-down list's face and its opened list alike: white on the page's black.
    if (lstrcmpiA(cls, "ComboBox") == 0 || lstrcmpiA(cls, "ComboLBox") == 0) {
        SetTextColor(dc, kWhite);
        SetBkColor(dc, kPageBlack);
        return reinterpret_cast<LRESULT>(pageBrush_.Get());
    }
    const int id = GetDlgCtrlID(control);
    if (lstrcmpiA(cls, "Edit") == 0 || msg == WM_CTLCOLORLISTBOX) {
        if (id == ctl::AboutMemo) {
            SetTextColor(dc, kSilver);
            SetBkColor(dc, kPageBlack);
            return reinterpret_cast<LRESULT>(pageBrush_.Get());
        }
        if (!IsWindowEnabled(control)) {
            SetTextColor(dc, RGB(130, 130, 130));
            SetBkColor(dc, kDisabledFace);
            return reinterpret_cast<LRESULT>(disabledBrush_.Get());
        }
        const bool paleYellow = id == ctl::PreyPathEdit || id == ctl::ResEdit;
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, paleYellow ? kPaleYellow : kWhite);
        return reinterpret_cast<LRESULT>(paleYellow ? paleYellowBrush_.Get() : whiteBrush_.Get());
    }
    // Labels, check boxes and radio buttons on the black pages.
    const bool item = lstrcmpiA(cls, "Button") == 0 && !IsOptionCheckBox(id);
    SetTextColor(dc, item ? kSilver : kWhite);
    SetBkColor(dc, kPageBlack);
    SetBkMode(dc, OPAQUE);
    return reinterpret_cast<LRESULT>(pageBrush_.Get());
}

void MainFormPainter::DrawItem(const DRAWITEMSTRUCT& item) const {
    switch (item.CtlID) {
    case ctl::BenchButton: PaintRunButton(item); break;
    case ctl::Image2: PaintWindowGlyph(item, true); break;
    case ctl::Image3: PaintWindowGlyph(item, false); break;
    case ctl::Image5: PaintLogo(item.hDC, item.rcItem); break;
    case ctl::RzToolButton1:
    case ctl::RzToolButton2:
    case ctl::DemoEditButton: PaintDarkButton(item, "..."); break;
    default: PaintDarkButton(item); break;
    }
}
