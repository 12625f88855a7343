#include "tools/MonthGridAccessible.h"

#include <oleacc.h>

#include <atomic>

namespace tavilo {

namespace {

constexpr long kCells = 42;
constexpr long kColumns = 7;

bool IsCell(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal >= 1 && child.lVal <= kCells;
}
bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT SetChild(VARIANT* out, long id) {
  VariantInit(out);
  out->vt = VT_I4;
  out->lVal = id;
  return S_OK;
}

HRESULT GiveText(const std::wstring& text, BSTR* out) {
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

class MonthGridAccessible::Object final : public IAccessible {
 public:
  Object(HWND grid, MonthGridCells& cells) : grid_(grid), cells_(&cells) {
    CreateStdAccessibleObject(grid, OBJID_CLIENT, IID_IAccessible,
                              reinterpret_cast<void**>(&standard_));
  }
  void Disconnect() {
    cells_ = nullptr;
    if (standard_) standard_->Release();
    standard_ = nullptr;
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) {
      Disconnect();
      delete this;
    }
    return left;
  }

  // IDispatch: readers use the IAccessible methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!standard_) return CO_E_OBJNOTCONNECTED;
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    *count = kCells;
    return cells_ ? S_OK : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    *out = nullptr;
    return IsCell(child) ? S_FALSE : E_INVALIDARG;  // simple elements
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    *name = nullptr;
    if (!cells_) return CO_E_OBJNOTCONNECTED;
    if (IsSelf(child)) return GiveText(cells_->GridName(), name);
    if (!IsCell(child)) return E_INVALIDARG;
    return GiveText(cells_->CellName(child.lVal - 1), name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override {
    *value = nullptr;
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override {
    *text = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child) && !IsCell(child)) return E_INVALIDARG;
    SetChild(role, IsSelf(child) ? ROLE_SYSTEM_TABLE : ROLE_SYSTEM_CELL);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!cells_) return CO_E_OBJNOTCONNECTED;
    if (IsSelf(child)) return standard_ ? standard_->get_accState(child, state) : E_FAIL;
    if (!IsCell(child)) return E_INVALIDARG;
    long flags = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (child.lVal - 1 == cells_->SelectedCell()) {
      flags |= STATE_SYSTEM_SELECTED;
      if (cells_->GridHasFocus()) flags |= STATE_SYSTEM_FOCUSED;
    }
    SetChild(state, flags);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
    *help = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    *file = nullptr;
    *topic = 0;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* keys) override {
    *keys = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    VariantInit(focus);
    if (!cells_) return CO_E_OBJNOTCONNECTED;
    if (cells_->GridHasFocus()) SetChild(focus, cells_->SelectedCell() + 1);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    VariantInit(selection);
    if (!cells_) return CO_E_OBJNOTCONNECTED;
    SetChild(selection, cells_->SelectedCell() + 1);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* action) override {
    *action = nullptr;
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    if (!cells_) return CO_E_OBJNOTCONNECTED;
    if (!IsCell(child)) return E_INVALIDARG;
    if (flags & SELFLAG_TAKEFOCUS) SetFocus(grid_);
    if (flags & (SELFLAG_TAKESELECTION | SELFLAG_TAKEFOCUS)) cells_->SelectCell(child.lVal - 1);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    if (!cells_) return CO_E_OBJNOTCONNECTED;
    if (IsSelf(child)) {
      return standard_ ? standard_->accLocation(left, top, width, height, child) : E_FAIL;
    }
    if (!IsCell(child)) return E_INVALIDARG;
    const RECT cell = cells_->CellOnScreen(child.lVal - 1);
    *left = cell.left;
    *top = cell.top;
    *width = cell.right - cell.left;
    *height = cell.bottom - cell.top;
    return S_OK;
  }
  // Columns run right to left: the left neighbour is the next day.
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    VariantInit(end);
    if (!cells_) return CO_E_OBJNOTCONNECTED;
    if (IsSelf(start)) {
      if (direction == NAVDIR_FIRSTCHILD) return SetChild(end, 1);
      if (direction == NAVDIR_LASTCHILD) return SetChild(end, kCells);
      return standard_ ? standard_->accNavigate(direction, start, end) : E_FAIL;
    }
    if (!IsCell(start)) return E_INVALIDARG;
    const long id = start.lVal, column = (id - 1) % kColumns;
    long to = 0;
    switch (direction) {
      case NAVDIR_NEXT: to = id + 1; break;
      case NAVDIR_PREVIOUS: to = id - 1; break;
      case NAVDIR_LEFT: to = column < kColumns - 1 ? id + 1 : 0; break;
      case NAVDIR_RIGHT: to = column > 0 ? id - 1 : 0; break;
      case NAVDIR_UP: to = id - kColumns; break;
      case NAVDIR_DOWN: to = id + kColumns; break;
      default: return E_INVALIDARG;
    }
    if (to < 1 || to > kCells) return S_FALSE;
    return SetChild(end, to);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    VariantInit(hit);
    if (!cells_) return CO_E_OBJNOTCONNECTED;
    const int cell = cells_->CellAtScreenPoint({x, y});
    if (cell >= 0) return SetChild(hit, cell + 1);
    RECT window;
    GetWindowRect(grid_, &window);
    if (!PtInRect(&window, {x, y})) return S_FALSE;
    return SetChild(hit, CHILDID_SELF);  // the week-day row
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~Object() = default;

  std::atomic<ULONG> references_{1};
  HWND grid_;
  MonthGridCells* cells_;
  IAccessible* standard_ = nullptr;
};

LRESULT MonthGridAccessible::Answer(HWND grid, MonthGridCells& cells, WPARAM wparam,
                                    LPARAM lparam) {
  if (static_cast<LONG>(static_cast<DWORD>(lparam)) != OBJID_CLIENT) return 0;
  if (!object_) {
    // Handing the object to another process marshals it through COM.
    static const bool comReady = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    (void)comReady;
    object_ = new Object(grid, cells);
  }
  return LresultFromObject(IID_IAccessible, wparam, object_);
}

void MonthGridAccessible::AnnounceSelection(HWND grid, int cell) {
  NotifyWinEvent(EVENT_OBJECT_FOCUS, grid, OBJID_CLIENT, cell + 1);
  NotifyWinEvent(EVENT_OBJECT_SELECTION, grid, OBJID_CLIENT, cell + 1);
}

void MonthGridAccessible::Disconnect() {
  if (!object_) return;
  object_->Disconnect();
  object_->Release();
  object_ = nullptr;
}

}  // namespace tavilo
