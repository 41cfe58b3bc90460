#include "app/win32/win32_view.h"

#include <commctrl.h>

#include "app/confirmation_place.h"
#include "app/dialogs.h"
#include "app/paint_pacing.h"
#include "app/pane_rule.h"
#include "app/pane_text.h"
#include "app/win32/modal_scope.h"
#include "basics/cp1251_text.h"

namespace tarvex {
namespace {

constexpr wchar_t kClassName[] = L"TarvexForm";
// Child window identifiers: the control's place in the description after this.
constexpr int kFirstId = 100;
// What breaks a line in an edit control.
constexpr std::u16string_view kBreak = u"\r\n";
// The drop-down list below a combo box.
constexpr int kComboListHeight = 200;
// More characters than the widest label shows on its first line.
constexpr std::size_t kLabelShown = 256;

std::wstring Wide(std::u16string_view text) { return {text.begin(), text.end()}; }
std::wstring WideFromCp1251(std::string_view text) { return Wide(Utf16FromCp1251(text)); }
std::wstring WideFromUtf8(const char* text) { return WideFromCp1251(Cp1251FromUtf8(text)); }

std::u16string WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return {text.begin(), text.end()};
}

DWORD StyleOf(Frame frame) {
  switch (frame) {
    case Frame::kCloseAndMinimise:
      return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    case Frame::kClose:
      return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    case Frame::kDialog:
      return WS_POPUP | WS_CAPTION | WS_DLGFRAME;
    case Frame::kPlain:
      break;
  }
  return WS_OVERLAPPEDWINDOW;
}

std::pair<const wchar_t*, DWORD> ClassAndStyle(const ControlRow& row) {
  switch (row.kind) {
    case Kind::kLabel:
      // No SS_NOTIFY: a plain label is transparent to the mouse. Drawn here: a
      // label's text is one line, clipped at its box, which no static style gives a
      // centred label.
      return {L"STATIC", SS_OWNERDRAW};
    case Kind::kEdit:
      return {L"EDIT", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL};
    case Kind::kButton:
      return {L"BUTTON", WS_TABSTOP | ((row.look & kDefaultButton) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)};
    case Kind::kCheckBox:
      return {L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX};
    case Kind::kComboBox:
      return {L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL};
    case Kind::kPane:
      return {L"EDIT", WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                           ES_AUTOHSCROLL | ES_WANTRETURN};
    case Kind::kBevel:
      return {L"STATIC", SS_ETCHEDFRAME};
  }
  return {L"STATIC", 0};
}

}  // namespace

Win32View::Win32View(HINSTANCE instance)
    : face_brush_(GetSysColorBrush(COLOR_BTNFACE)), black_brush_(static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))) {
  WNDCLASSEXW form_class{};
  form_class.cbSize = sizeof(form_class);
  form_class.lpfnWndProc = WindowProc;
  form_class.hInstance = instance;
  form_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  // The executable's icon group 1 (packaging/windows_resources.rc.in): title bar, taskbar, Alt+Tab.
  form_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  form_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form_class.lpszClassName = kClassName;
  RegisterClassExW(&form_class);
  for (const WindowRow& row : Windows()) BuildWindow(instance, row);
  for (const ControlRow& row : Controls()) BuildControl(instance, row);
  // A later row lies over an earlier one, and labels over everything, so that they are
  // seen over the controls they overlap; the controls clip them out.
  for (const bool labels : {false, true}) {
    for (const ControlRow& row : Controls()) {
      if ((row.kind == Kind::kLabel) == labels) {
        SetWindowPos(WidgetOf(row.id), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      }
    }
  }
}

std::optional<Control> Win32View::ControlHolding(HWND hwnd) const {
  for (const ControlRow& row : Controls()) {
    const HWND widget = WidgetOf(row.id);
    if (widget == hwnd || IsChild(widget, hwnd)) return row.id;
  }
  return std::nullopt;
}

std::optional<Window> Win32View::WindowHolding(HWND hwnd) const {
  for (int w = 0; w < kWindowCount; ++w) {
    if (windows_[w] == hwnd) return static_cast<Window>(w);
  }
  return std::nullopt;
}

Win32View::~Win32View() {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) DestroyWindow(*it);
  for (const auto& [key, font] : fonts_) DeleteObject(font);
}

void Win32View::BuildWindow(HINSTANCE instance, const WindowRow& row) {
  const DWORD style = StyleOf(row.frame);
  const DWORD ex_style = row.frame == Frame::kDialog ? WS_EX_DLGMODALFRAME : 0;
  RECT frame{0, 0, row.width, row.height};
  AdjustWindowRectEx(&frame, style, FALSE, ex_style);
  // One taskbar button for the tool: the main window owns the others.
  const HWND owner = row.id == Window::kForm1 ? nullptr : WindowOf(Window::kForm1);
  const int left = row.left >= 0 ? row.left : CW_USEDEFAULT;
  const int top = row.left >= 0 ? row.top : CW_USEDEFAULT;
  const HWND hwnd = CreateWindowExW(ex_style, kClassName, WideFromUtf8(CaptionOf(row.id).c_str()).c_str(), style, left,
                                    top, frame.right - frame.left, frame.bottom - frame.top, owner, nullptr, instance,
                                    this);
  windows_[static_cast<int>(row.id)] = hwnd;
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(row.font)), FALSE);
}

void Win32View::BuildControl(HINSTANCE instance, const ControlRow& row) {
  const auto [class_name, kind_style] = ClassAndStyle(row);
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind_style;
  if (!(row.look & kHidden)) style |= WS_VISIBLE;
  if (row.look & kDisabled) style |= WS_DISABLED;
  const int height = row.kind == Kind::kComboBox ? row.height + kComboListHeight : row.height;
  const int id = kFirstId + static_cast<int>(row.id);
  const std::wstring text = row.kind == Kind::kPane || row.kind == Kind::kComboBox ? L"" : WideFromUtf8(row.text);
  const HWND hwnd = CreateWindowExW(0, class_name, text.c_str(), style, row.left, row.top, row.width, height,
                                    WindowOf(row.window), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                    instance, nullptr);
  controls_[static_cast<int>(row.id)] = hwnd;
  if (row.kind == Kind::kLabel) label_texts_[static_cast<int>(row.id)] = Cp1251FromUtf8(row.text);
  const Font window_font = RowOf(row.window).font;
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(row.font.points != 0 ? row.font : window_font)),
               FALSE);
  if (row.kind == Kind::kCheckBox && (row.look & kTicked)) SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
  if (row.kind == Kind::kComboBox) {
    for (const std::string& item : ComboItems(row.items)) {
      SendMessageW(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(item.c_str()).c_str()));
    }
    SetWindowTextW(hwnd, WideFromUtf8(row.text).c_str());
  }
  if (row.kind == Kind::kPane) {
    // No 32 K limit.
    SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);
    SetText(row.id, Cp1251FromUtf8(row.text));
  }
}

HFONT Win32View::FontOf(Font font) {
  const auto key = std::make_pair(font.points, font.bold);
  if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second;
  const HDC screen = GetDC(nullptr);
  const int height = -MulDiv(font.points, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  // Tahoma has Cyrillic everywhere, the old bitmap sans serif face not always.
  const HFONT made = CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_SWISS, L"Tahoma");
  fonts_[key] = made;
  return made;
}

LRESULT CALLBACK Win32View::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* view = reinterpret_cast<Win32View*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (view != nullptr) {
    if (const auto window = view->WindowHolding(hwnd)) return view->Handle(*window, hwnd, message, wparam, lparam);
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

LRESULT Win32View::Handle(Window window, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      if (window == Window::kOKBottomDlg) {
        // Enter and Escape arrive as IDOK and IDCANCEL.
        if (id == IDOK || id == kFirstId + static_cast<int>(Control::OKBottomDlg_OKBtn)) {
          confirmation_result_ = Dialogs::kYes;
        } else if (id == IDCANCEL || id == kFirstId + static_cast<int>(Control::OKBottomDlg_CancelBtn)) {
          confirmation_result_ = Dialogs::kNo;
        }
        return 0;
      }
      if (HIWORD(wparam) == BN_CLICKED && id >= kFirstId && id < kFirstId + kControlCount && events_ != nullptr) {
        events_->Clicked(static_cast<Control>(id - kFirstId));
      }
      return 0;
    }
    case WM_CLOSE:
      if (window == Window::kOKBottomDlg) {
        confirmation_result_ = Dialogs::kNo;
      } else if (RowOf(window).close != nullptr) {
        // The logic ends the process; when it cannot, the window stays open.
        if (events_ != nullptr) events_->CloseRequested(window);
      } else {
        ::ShowWindow(hwnd, SW_HIDE);
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (events_ != nullptr) {
        const MouseButton button = message == WM_RBUTTONUP   ? MouseButton::kRight
                                   : message == WM_MBUTTONUP ? MouseButton::kMiddle
                                                             : MouseButton::kLeft;
        events_->MouseUp(window, button);
      }
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        keys_.RememberFocus();
        break;
      }
      if (window == Window::kOKBottomDlg) PlaceConfirmation();
      // Not minimised: the control that had the focus gets it back.
      if (HIWORD(wparam) == 0 && keys_.RestoreFocus(window)) return 0;
      break;
    case WM_NEXTDLGCTL:
      // A multi-line edit asks its parent to move the focus, as it would ask a dialog.
      if (LOWORD(lparam) == 0) {
        if (const auto from = ControlHolding(GetFocus())) keys_.MoveFocus(*from, wparam != 0);
      }
      return 0;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item->CtlType != ODT_STATIC) break;
      DrawLabel(*item);
      return TRUE;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      const auto control = static_cast<int>(GetDlgCtrlID(reinterpret_cast<HWND>(lparam))) - kFirstId;
      if (control < 0 || control >= kControlCount) break;
      const unsigned look = RowOf(static_cast<Control>(control)).look;
      const auto dc = reinterpret_cast<HDC>(wparam);
      if (look & kGreenOnBlack) {
        SetTextColor(dc, RGB(0, 255, 0));
        SetBkColor(dc, RGB(0, 0, 0));
        return reinterpret_cast<LRESULT>(black_brush_);
      }
      if ((look & kFaceBackground) || message == WM_CTLCOLORSTATIC) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(face_brush_);
      }
      break;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

void Win32View::DrawLabel(const DRAWITEMSTRUCT& item) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item.hwndItem)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(item.hwndItem, text.data(), static_cast<int>(text.size()))));
  text.resize(std::min(text.find_first_of(L"\r\n"), text.size()));
  const auto control = static_cast<Control>(GetDlgCtrlID(item.hwndItem) - kFirstId);
  RECT box = item.rcItem;
  FillRect(item.hDC, &box, face_brush_);
  const HGDIOBJ old_font =
      SelectObject(item.hDC, reinterpret_cast<HGDIOBJ>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
  SetBkMode(item.hDC, TRANSPARENT);
  const UINT align = (RowOf(control).look & kCentred) ? DT_CENTER : DT_LEFT;
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &box, DT_SINGLELINE | DT_NOPREFIX | align);
  SelectObject(item.hDC, old_font);
}

void Win32View::PlaceConfirmation() {
  RECT main{};
  RECT dialog{};
  GetWindowRect(WindowOf(Window::kForm1), &main);
  GetWindowRect(WindowOf(Window::kOKBottomDlg), &dialog);
  const auto [left, top] = ConfirmationPlace(main.left, main.top, main.right - main.left, dialog.right - dialog.left);
  SetWindowPos(WindowOf(Window::kOKBottomDlg), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Win32View::RunConfirmation() {
  const HWND dialog = WindowOf(Window::kOKBottomDlg);
  confirmation_result_ = 0;
  {
    const ModalScope others(*this, dialog);
    PlaceConfirmation();
    ::ShowWindow(dialog, SW_SHOW);
    keys_.Focus(Control::OKBottomDlg_OKBtn);
    MSG message;
    while (confirmation_result_ == 0) {
      FlushPanes();
      const BOOL got = GetMessageW(&message, nullptr, 0, 0);
      if (got <= 0) {
        // The tool is ending: the outer loop must see WM_QUIT too.
        PostQuitMessage(static_cast<int>(message.wParam));
        break;
      }
      Dispatch(message);
    }
  }
  // Hidden once the main window is enabled again: it takes the activation, and with
  // it its focused control, back.
  ::ShowWindow(dialog, SW_HIDE);
  SetActiveWindow(WindowOf(Window::kForm1));
  return confirmation_result_ == Dialogs::kYes ? Dialogs::kYes : Dialogs::kNo;
}

void Win32View::Dispatch(MSG& message) {
  if (keys_.Handle(message)) return;
  // A system dialog of ours (the Find dialog) keeps its own dialog keys.
  const HWND top = GetAncestor(message.hwnd, GA_ROOT);
  if (top && !WindowHolding(top) && IsDialogMessageW(top, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

int Win32View::Run() {
  MSG message;
  for (;;) {
    FlushPanes();
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) return got == 0 ? static_cast<int>(message.wParam) : 1;
    Dispatch(message);
  }
}

void Win32View::PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    Dispatch(message);
  }
  const bool busy = events_ != nullptr && events_->Busy();
  if (PaintDelay(busy, std::chrono::milliseconds(GetTickCount64() - last_flush_)).count() == 0) FlushPanes();
}

void Win32View::FlushPanes() {
  last_flush_ = GetTickCount64();
  for (int c = 0; c < kControlCount; ++c) {
    if (pending_[c].empty()) continue;
    const HWND pane = controls_[c];
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(pane));
    const std::wstring added = Wide(ShownPaneText(pending_[c], kBreak));
    // Appending moves neither the user's selection nor the view: the pane stays where
    // it was scrolled to, both ways, as on Linux.
    DWORD selection_start = 0;
    DWORD selection_end = 0;
    SendMessageW(pane, EM_GETSEL, reinterpret_cast<WPARAM>(&selection_start), reinterpret_cast<LPARAM>(&selection_end));
    const auto first_line = SendMessageW(pane, EM_GETFIRSTVISIBLELINE, 0, 0);
    const int column = GetScrollPos(pane, SB_HORZ);
    SendMessageW(pane, WM_SETREDRAW, FALSE, 0);
    SendMessageW(pane, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(pane, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(added.c_str()));
    SendMessageW(pane, EM_SETSEL, selection_start, static_cast<LPARAM>(selection_end));
    SendMessageW(pane, EM_LINESCROLL, 0, first_line - SendMessageW(pane, EM_GETFIRSTVISIBLELINE, 0, 0));
    SendMessageW(pane, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, column), 0);
    SendMessageW(pane, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(pane, nullptr, TRUE);
    pending_[c].clear();
  }
}

bool Win32View::PaneEndsInLineBreak(Control pane) {
  const std::string& pending = pending_[static_cast<int>(pane)];
  if (!pending.empty()) return EndsInLineBreak(pending);
  // The last line of the control is empty exactly when its text ends in a break.
  const HWND hwnd = WidgetOf(pane);
  const auto lines = SendMessageW(hwnd, EM_GETLINECOUNT, 0, 0);
  const auto last = SendMessageW(hwnd, EM_LINEINDEX, static_cast<WPARAM>(lines - 1), 0);
  return SendMessageW(hwnd, EM_LINELENGTH, static_cast<WPARAM>(last), 0) == 0;
}

std::string Win32View::Text(Control control) {
  const HWND hwnd = WidgetOf(control);
  if (RowOf(control).kind == Kind::kLabel) return label_texts_[static_cast<int>(control)];
  if (RowOf(control).kind == Kind::kPane) {
    FlushPanes();
    return PaneBytes(WindowText(hwnd), kBreak);
  }
  return Cp1251FromUtf16(WindowText(hwnd));
}

void Win32View::SetText(Control control, std::string_view text) {
  const HWND hwnd = WidgetOf(control);
  if (RowOf(control).kind == Kind::kPane) {
    pending_[static_cast<int>(control)].clear();
    SetWindowTextW(hwnd, Wide(ShownPaneText(text, kBreak)).c_str());
    return;
  }
  if (RowOf(control).kind == Kind::kLabel) {
    // The progress label grows by a mark per request and reply, thousands in a
    // retrieval, and shows only its first line: the control gets a new text only when
    // what it can show changes.
    std::string& held = label_texts_[static_cast<int>(control)];
    const bool same_shown = held.compare(0, kLabelShown, text.substr(0, kLabelShown)) == 0 &&
                            std::min(held.size(), kLabelShown) == std::min(text.size(), kLabelShown);
    held = text;
    if (same_shown) return;
    text = text.substr(0, kLabelShown);
  }
  SetWindowTextW(hwnd, WideFromCp1251(text).c_str());
}

void Win32View::AppendText(Control control, std::string_view text) {
  if (RowOf(control).kind != Kind::kLabel) return SetText(control, Text(control).append(text));
  // A label holds its text here: the control gets a new one only while what it shows
  // still changes.
  std::string& held = label_texts_[static_cast<int>(control)];
  const bool shown_changes = held.size() < kLabelShown;
  held += text;
  if (shown_changes) SetWindowTextW(WidgetOf(control), WideFromCp1251(held.substr(0, kLabelShown)).c_str());
}

bool Win32View::Checked(Control control) {
  return SendMessageW(WidgetOf(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32View::SetChecked(Control control, bool checked) {
  SendMessageW(WidgetOf(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32View::Shown(Control control) {
  return (GetWindowLongPtrW(WidgetOf(control), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32View::SetShown(Control control, bool shown) { ::ShowWindow(WidgetOf(control), shown ? SW_SHOWNA : SW_HIDE); }

bool Win32View::Enabled(Control control) { return IsWindowEnabled(WidgetOf(control)) != FALSE; }

void Win32View::SetEnabled(Control control, bool enabled) { EnableWindow(WidgetOf(control), enabled ? TRUE : FALSE); }

void Win32View::AddLine(Control pane, std::string_view text) {
  pending_[static_cast<int>(pane)] += AddedText(PaneEndsInLineBreak(pane), text);
}

void Win32View::SetCaption(Window window, std::string_view text) {
  SetWindowTextW(WindowOf(window), WideFromCp1251(text).c_str());
}

void Win32View::ShowWindow(Window window) {
  ::ShowWindow(WindowOf(window), SW_SHOW);
  SetWindowPos(WindowOf(window), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace tarvex
