#include "keys/edit_user_keys_dialog_win.h"

#include <cstring>
#include <string>

#include "base/common_dialogs_win.h"
#include "base/themed_dialog_win.h"
#include "keys/key_entry_store.h"
#include "keys/key_export_win.h"
#include "resources/resource.h"

namespace {

const char VERIFY_CAPTION[] = "Verify";
const char CONFIRM_ADD_TEXT[] = "Are you sure you want to add this entry?";
const char CONFIRM_MODIFY_TEXT[] = "Are you sure you want to modify this entry?";
const char CONFIRM_REMOVE_TEXT[] = "Are you sure you want to delete this entry?";
const char BLANK_KEY_TEXT[] = "The key is blank!";
const char ADD_CAPTION[] = "Add Key Entry";
const char MODIFY_CAPTION[] = "Modify Key Entry";
const char REMOVE_CAPTION[] = "Remove Key Entry";
const char NOTHING_SELECTED_TEXT[] = "Nothing selected!";
const char BUILTIN_DUPLICATE_TEXT[] = "There is already a built-in keyword that uses this key.";
const char BROWSED_TOO_LONG_TEXT[] = "The chosen file's path is longer than a command can hold.";
const char BROWSE_CAPTION[] = "Browse";
// After the field's name.
const char TOO_LONG_TEXT[] =
    " field is too long to keep. A key word keeps up to 255 bytes in each field: 255 letters of English, "
    "but fewer in other scripts, whose letters take two bytes each (accented, Greek and Cyrillic letters) or "
    "three (Chinese, Japanese and Korean).";
struct TextField {
  int id;
  const char* name;
};
const TextField TEXT_FIELDS[] = {{IDC_KEY_FIELD, "Key"}, {IDC_CMD_FIELD, "Cmd"}, {IDC_PAR_FIELD, "Par"}};
// What the list reserves per line before a fill: a key, a tab and a short command.
const LPARAM LIST_BYTES_PER_LINE = 32;

// A field's text as typed: its MAX_KEY_TEXT_LENGTH characters may take more bytes than
// the store keeps (FieldsFit tells).
std::string FieldText(HWND dialog, int id) {
  char text[MAX_KEY_TEXT_LENGTH * 3 + 1] = {};  // up to three bytes a character in UTF-8
  return std::string(text, static_cast<size_t>(GetDlgItemTextA(dialog, id, text, sizeof text)));
}

// Whether every field fits what the store keeps; otherwise the user is told which does
// not, rather than having it cut.
bool FieldsFit(HWND dialog, const char* caption) {
  for (const TextField& field : TEXT_FIELDS) {
    if (FieldText(dialog, field.id).size() <= MAX_KEY_TEXT_LENGTH) continue;
    const std::string text = "The " + std::string(field.name) + TOO_LONG_TEXT;
    MessageBoxA(dialog, text.c_str(), caption, MB_ICONWARNING);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, field.id)), TRUE);
    return false;
  }
  return true;
}

bool MinimizeChecked(HWND dialog) {
  return IsDlgButtonChecked(dialog, IDC_MINIMIZE_AFTER_RUNNING) == BST_CHECKED;
}

// With "Prompt Me" checked, the user may still say no.
bool Confirmed(HWND dialog, const char* question) {
  return IsDlgButtonChecked(dialog, IDC_PROMPT_ME) != BST_CHECKED ||
         MessageBoxA(dialog, question, VERIFY_CAPTION, MB_YESNO) != IDNO;
}

// Messages go to the list's window directly: looking the control up for each message of
// a long fill (as SendDlgItemMessageA does) would cost more than the fill itself.
HWND KeyList(HWND dialog) {
  return GetDlgItem(dialog, IDC_KEY_LIST);
}

// The entry's line, "key<TAB>command", in its sorted place; it carries the entry's index.
// LB_ERR when the list cannot take it (LB_SETITEMDATA with -1 would retag every line).
LRESULT AddListLine(HWND list, size_t index) {
  const KeyEntry& entry = keyEntryStore.entries[index];
  const std::string line = entry.key + '\t' + entry.command;
  const LRESULT position = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  if (position >= 0) SendMessageA(list, LB_SETITEMDATA, position, static_cast<LPARAM>(index));
  return position;
}

LRESULT ListLineOf(HWND list, size_t index) {
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT line = 0; line < count; ++line)
    if (static_cast<size_t>(SendMessageA(list, LB_GETITEMDATA, line, 0)) == index) return line;
  return LB_ERR;
}

void FillEntryFromFields(HWND dialog, KeyEntry& entry) {
  entry.command = FieldText(dialog, IDC_CMD_FIELD);
  entry.parameters = FieldText(dialog, IDC_PAR_FIELD);
  entry.minimizeAfterRunning = MinimizeChecked(dialog) ? 1 : 0;
}

// One line per user entry not marked for removal.
void FillKeyList(HWND dialog) {
  const HWND list = KeyList(dialog);
  const size_t count = keyEntryStore.entries.size() - keyEntryStore.builtinCount;
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  SendMessageA(list, LB_INITSTORAGE, count, static_cast<LPARAM>(count) * LIST_BYTES_PER_LINE);
  // Drawn once, when full: many thousand entries stay quick.
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (size_t i = keyEntryStore.builtinCount; i < keyEntryStore.entries.size(); ++i)
    if (!keyEntryStore.entries[i].removalPending) AddListLine(list, i);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  // Turning drawing back on does not repaint a list already shown.
  InvalidateRect(list, NULL, TRUE);
}

void EditKeysOnInit(HWND dialog) {
  for (const TextField& field : TEXT_FIELDS)
    SendDlgItemMessageA(dialog, field.id, EM_LIMITTEXT, MAX_KEY_TEXT_LENGTH, 0);
  for (size_t i = keyEntryStore.builtinCount; i < keyEntryStore.entries.size(); ++i)
    keyEntryStore.entries[i].removalPending = false;
  FillKeyList(dialog);
}

void EditKeysOnSelect(HWND dialog) {
  const HWND list = KeyList(dialog);
  const LRESULT line = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (line == LB_ERR) return;
  const KeyEntry& entry = keyEntryStore.entries[SendMessageA(list, LB_GETITEMDATA, line, 0)];
  SetDlgItemTextA(dialog, IDC_KEY_FIELD, entry.key.c_str());
  SetDlgItemTextA(dialog, IDC_CMD_FIELD, entry.command.c_str());
  SetDlgItemTextA(dialog, IDC_PAR_FIELD, entry.parameters.c_str());
  CheckDlgButton(dialog, IDC_MINIMIZE_AFTER_RUNNING, entry.minimizeAfterRunning ? BST_CHECKED : BST_UNCHECKED);
}

void EditKeysOnAdd(HWND dialog) {
  if (!Confirmed(dialog, CONFIRM_ADD_TEXT) || !FieldsFit(dialog, ADD_CAPTION)) return;
  const std::string key = FieldText(dialog, IDC_KEY_FIELD);
  if (key.empty()) {
    MessageBoxA(dialog, BLANK_KEY_TEXT, ADD_CAPTION, MB_OK);
    return;
  }
  if (keyEntryStore.IsBuiltinKey(key)) {
    MessageBoxA(dialog, BUILTIN_DUPLICATE_TEXT, DUPLICATE_CAPTION, MB_OK);
    return;
  }
  if (const auto duplicate = keyEntryStore.FindUnremovedByKey(key)) {
    const std::string question = "Duplicate key found: \"" + key + "\"\nModify existing entry with new one?";
    if (MessageBoxA(dialog, question.c_str(), DUPLICATE_CAPTION, MB_YESNO) != IDYES) return;
    FillEntryFromFields(dialog, keyEntryStore.entries[*duplicate]);
    const HWND list = KeyList(dialog);
    SendMessageA(list, LB_DELETESTRING, ListLineOf(list, *duplicate), 0);
    AddListLine(list, *duplicate);
    return;
  }
  KeyEntry entry;
  entry.key = key;
  FillEntryFromFields(dialog, entry);
  keyEntryStore.Append(std::move(entry));
  const HWND list = KeyList(dialog);
  SendMessageA(list, LB_SETCURSEL, AddListLine(list, keyEntryStore.entries.size() - 1), 0);
}

// The selected line's entry index, or none after telling the user.
bool SelectedEntry(HWND dialog, const char* caption, LRESULT& line, size_t& index) {
  const HWND list = KeyList(dialog);
  line = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (line == LB_ERR) {
    MessageBoxA(dialog, NOTHING_SELECTED_TEXT, caption, MB_OK);
    return false;
  }
  index = static_cast<size_t>(SendMessageA(list, LB_GETITEMDATA, line, 0));
  return true;
}

// Modify takes the key as typed, without Add's blank and built-in checks; a user entry
// that shares a built-in key is never reached, as built-in entries are looked up first.
void EditKeysOnModify(HWND dialog) {
  LRESULT line;
  size_t index;
  if (!SelectedEntry(dialog, MODIFY_CAPTION, line, index) || !Confirmed(dialog, CONFIRM_MODIFY_TEXT) ||
      !FieldsFit(dialog, MODIFY_CAPTION))
    return;
  KeyEntry& entry = keyEntryStore.entries[index];
  entry.key = FieldText(dialog, IDC_KEY_FIELD);
  FillEntryFromFields(dialog, entry);
  const HWND list = KeyList(dialog);
  SendMessageA(list, LB_DELETESTRING, line, 0);
  SendMessageA(list, LB_SETCURSEL, AddListLine(list, index), 0);
}

void EditKeysOnRemove(HWND dialog) {
  LRESULT line;
  size_t index;
  if (!SelectedEntry(dialog, REMOVE_CAPTION, line, index) || !Confirmed(dialog, CONFIRM_REMOVE_TEXT)) return;
  keyEntryStore.entries[index].removalPending = true;
  SendMessageA(KeyList(dialog), LB_DELETESTRING, line, 0);
  for (const TextField& field : TEXT_FIELDS) SetDlgItemTextA(dialog, field.id, "");
}

void EditKeysOnBrowse(HWND dialog) {
  char file[PATH_BYTES] = {};
  OPENFILENAMEA request = FileChooserRequest(dialog, NULL, file, sizeof file);
  if (!ChooseFileToOpen(&request)) return;
  // Cut, it would name another file.
  if (strlen(file) > MAX_KEY_TEXT_LENGTH)
    MessageBoxA(dialog, BROWSED_TOO_LONG_TEXT, BROWSE_CAPTION, MB_ICONWARNING);
  else
    SetDlgItemTextA(dialog, IDC_CMD_FIELD, file);
}

INT_PTR CALLBACK EditUserKeysDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      EditKeysOnInit(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_KEY_LIST:
          if (HIWORD(wParam) != LBN_SELCHANGE) return FALSE;
          EditKeysOnSelect(dialog);
          return TRUE;
        case IDC_ADD_KEY:
          EditKeysOnAdd(dialog);
          return TRUE;
        case IDC_MODIFY_KEY:
          EditKeysOnModify(dialog);
          return TRUE;
        case IDC_REMOVE_KEY:
          EditKeysOnRemove(dialog);
          return TRUE;
        case IDC_BROWSE_CMD:
          EditKeysOnBrowse(dialog);
          return TRUE;
        case IDC_EXPORT_KEYS:
          ExportUserKeys(dialog);
          return TRUE;
        case IDC_IMPORT_KEYS:
          ImportUserKeys(dialog, FillKeyList);
          return TRUE;
        case IDOK:
        case IDCANCEL:
          keyEntryStore.PurgeRemoved();
          EndDialog(dialog, 0);
          return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

void ShowEditUserKeysDialog(HWND owner) {
  ShowThemedDialog(IDD_EDIT_USER_KEYS, owner, EditUserKeysDialogProc);
}
