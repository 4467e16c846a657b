// The grid's column layout kept in a view settings store: which columns are shown, in which
// order and at which width; reset to the registered defaults; named column profiles.
#include <climits>
#include <vector>

#include "gridctrl/list_grid_ctrl.h"
#include "gridctrl/view_settings.h"

namespace {

CString indexedKey(const wchar_t* format, int n) {
  CString key;
  key.Format(format, n);
  return key;
}

}  // namespace

void CListGridCtrl::AttachColumnStore(CViewSettingsSection* store, bool owns) {
  // The store already attached is kept, not deleted and then used.
  if (ownedColumnStore.get() == store) (void)ownedColumnStore.release();
  ownedColumnStore.reset(owns ? store : nullptr);
  columnStore = store;
  if (!store) return;
  if (auto* withDefaults = dynamic_cast<CViewSettingsSectionDefault*>(store)) {
    if (!withDefaults->HasDefaultConfig()) StoreColumnLayout(withDefaults->GetDefaultConfig());
  }
  RestoreColumnLayout(*store);
}

void CListGridCtrl::StoreColumnLayout(CViewSettingsSection& store) {
  store.RemoveCurrentSection();
  int count = GetHeaderColumnCount();
  std::vector<int> order(static_cast<size_t>(count > 0 ? count : 0));
  if (count > 0) GetColumnOrderArray(order.data(), count);
  int n = 0;
  for (int col : order) {
    if (!IsColumnShown(col)) continue;
    store.SetIntSetting(indexedKey(L"ColumnData_%d", n), GetColumnSubItem(col));
    StoreColumnWidth(n, col, store);
    ++n;
  }
  store.SetIntSetting(L"ColumnCount", n);
}

void CListGridCtrl::StoreColumnWidth(int n, int col, CViewSettingsSection& store) {
  store.SetIntSetting(indexedKey(L"ColumnWidth_%d", n), GetColumnWidth(col));
}

void CListGridCtrl::RestoreColumnWidth(int n, int col, CViewSettingsSection& store) {
  if (!IsColumnResizeAllowed(col)) return;
  int present = GetColumnWidth(col);
  int width = store.GetIntSetting(indexedKey(L"ColumnWidth_%d", n), present);
  // A stored width cannot ask for automatic sizing, nor be more than the width message carries.
  if (width < 0 || width > SHRT_MAX) width = present;
  SetColumnWidthDirect(col, width);
}

void CListGridCtrl::RestoreColumnLayout(CViewSettingsSection& store) {
  // Detached while restoring, so that the hooks do not write the half-restored layout.
  CViewSettingsSection* attached = columnStore;
  columnStore = nullptr;

  int n = GetHeaderColumnCount();
  // A stored layout holds its entries from 0 without gaps; a count beyond them is not
  // believed, so a huge count costs no more than the entries that are there. The entries
  // may outnumber the columns (a column gone since): those that name none are skipped.
  int stored = store.GetIntSetting(L"ColumnCount", 0);
  int count = 0;
  while (count < stored && !store.GetSetting(indexedKey(L"ColumnData_%d", count), CString()).IsEmpty()) ++count;
  std::vector<int> order(static_cast<size_t>(n > 0 ? n : 0));
  if (n > 0) GetColumnOrderArray(order.data(), n);
  const std::vector<int> before = order;
  SetRedraw(FALSE);
  std::vector<bool> placed(order.size(), false);
  int next = n;
  auto show = [&](int col) {
    CColumnTrait* trait = GetColumnTraitAt(col);
    if (!trait) return;
    ColumnState& state = trait->GetColumnState();
    if (!state.shown) {
      state.shown = true;
      SetColumnWidthDirect(col, state.savedWidth);
    }
  };

  int placeable = 0;
  for (int col = 0; col < n; ++col)
    if (!IsColumnFixedHidden(col)) ++placeable;
  int placedCount = 0;
  for (int j = count - 1; j >= 0 && placedCount < placeable; --j) {
    int subItem = store.GetIntSetting(indexedKey(L"ColumnData_%d", j), 0);
    int found = -1;
    for (int col = 0; col < n; ++col) {
      if (placed[col] || GetColumnSubItem(col) != subItem) continue;
      if (IsColumnFixedHidden(col)) continue;
      found = col;
      break;
    }
    if (found == -1) continue;
    show(found);
    RestoreColumnWidth(j, found, store);
    placed[found] = true;
    order[--next] = found;
    ++placedCount;
  }
  for (int col = n - 1; col >= 0; --col) {
    if (placed[col] || !IsColumnFixedShown(col)) continue;
    show(col);
    placed[col] = true;
    order[--next] = col;
  }
  if (next < n) {
    for (int col = n - 1; col >= 0; --col) {
      if (placed[col]) continue;
      if (CColumnTrait* trait = GetColumnTraitAt(col)) {
        ColumnState& state = trait->GetColumnState();
        state.savedPosition = -1;
        // A column hidden already keeps the width it had when shown.
        if (state.shown) state.savedWidth = GetColumnWidth(col);
        SetColumnWidthDirect(col, 0);
        state.shown = false;
      }
      order[--next] = col;
    }
    SetColumnOrderArray(n, order.data());
  }
  KeepFocusInShownColumn(before);
  SetRedraw(TRUE);
  Invalidate();
  UpdateWindow();
  columnStore = attached;
}

bool CListGridCtrl::QueryResetColumnsItem(CString& title) {
  if (!columnStore) return false;
  title = L"Reset columns";
  auto* withDefaults = dynamic_cast<CViewSettingsSectionDefault*>(columnStore);
  return withDefaults && withDefaults->HasDefaultConfig();
}

void CListGridCtrl::RunResetColumns() {
  if (!columnStore) return;
  if (auto* withDefaults = dynamic_cast<CViewSettingsSectionDefault*>(columnStore)) withDefaults->ResetConfigDefault();
  RestoreColumnLayout(*columnStore);
}

CString CListGridCtrl::QueryColumnProfiles(CSimpleArray<CString>& names, CString& title) {
  if (!columnStore) return CString();
  title = L"Column Profiles";
  auto* withProfiles = dynamic_cast<CViewSettingsSectionProfiles*>(columnStore);
  if (!withProfiles) return CString();
  withProfiles->GetProfiles(names);
  return withProfiles->GetActiveProfile();
}

void CListGridCtrl::SelectColumnProfile(const CString& name) {
  if (!columnStore) return;
  StoreColumnLayout(*columnStore);
  if (auto* withProfiles = dynamic_cast<CViewSettingsSectionProfiles*>(columnStore))
    withProfiles->SetActiveProfile(name);
  RestoreColumnLayout(*columnStore);
}

void CListGridCtrl::OnColumnShownChanged() {
  if (columnStore) StoreColumnLayout(*columnStore);
}

void CListGridCtrl::OnColumnWidthChanged() {
  if (columnStore) StoreColumnLayout(*columnStore);
}

void CListGridCtrl::OnFocusLostSave() {
  if (columnStore) StoreColumnLayout(*columnStore);
}
