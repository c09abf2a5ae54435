#include <windows.h>

#include <string>

#include "bar_fixture_win.h"
#include "base/app_state_win.h"
#include "base/themed_dialog_win.h"
#include "keys/edit_user_keys_dialog_win.h"
#include "keys/key_entry_store.h"
#include "resources/resource.h"

namespace {

void InEditKeys(const std::function<void(HWND)>& act) {
  AnswerDialog("Edit User Keys", act,
               [] { ShowThemedDialog(IDD_EDIT_USER_KEYS, appState.mainWindow, EditUserKeysDialogProc); });
}

// Clicks a button that brings up a message box, checks its text and answers it.
void ClickAnswering(HWND dialog, int id, const char* caption, const std::string& text, int answer) {
  AnswerDialog(
      caption,
      [&](HWND box) {
        EXPECT_EQ(ItemText(box, 0xFFFF), text);
        PostMessageA(box, WM_COMMAND, answer, 0);
      },
      [&] { Click(dialog, id); });
}

void Fill(HWND dialog, const std::string& key, const char* command, const char* parameters, bool minimize) {
  SetDlgItemTextA(dialog, IDC_KEY_FIELD, key.c_str());
  SetDlgItemTextA(dialog, IDC_CMD_FIELD, command);
  SetDlgItemTextA(dialog, IDC_PAR_FIELD, parameters);
  CheckDlgButton(dialog, IDC_MINIMIZE_AFTER_RUNNING, minimize ? BST_CHECKED : BST_UNCHECKED);
}

// The list as "line=store index", in the list's order.
std::vector<std::string> ListLines(HWND dialog) {
  std::vector<std::string> lines;
  const HWND list = GetDlgItem(dialog, IDC_KEY_LIST);
  for (LRESULT i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
    char text[600] = {};
    SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    lines.push_back(std::string(text) + "=" + std::to_string(SendMessageA(list, LB_GETITEMDATA, i, 0)));
  }
  return lines;
}

// Selects the first line that starts with the text, letter case ignored, as a click would.
void SelectLine(HWND dialog, const char* start) {
  const LRESULT line = SendDlgItemMessageA(dialog, IDC_KEY_LIST, LB_FINDSTRING, -1, reinterpret_cast<LPARAM>(start));
  SendDlgItemMessageA(dialog, IDC_KEY_LIST, LB_SETCURSEL, line, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_KEY_LIST, LBN_SELCHANGE), 0);
}

using Lines = std::vector<std::string>;

}  // namespace

TEST_F(BarTest, EditUserKeysChangesTheStoreAsTheUserAsks) {
  keyEntryStore.Append({"zed", "z.exe", "", 0, false, {}});  // entry 18
  keyEntryStore.Append({"abc", "a.exe", "-a", 7, false, {}});
  StartBar();
  InEditKeys([](HWND keys) {
    EXPECT_EQ(ListLines(keys), (Lines{"abc\ta.exe=19", "zed\tz.exe=18"})) << "sorted, each with its index";
    ClickAnswering(keys, IDC_MODIFY_KEY, "Modify Key Entry", "Nothing selected!", IDOK);
    ClickAnswering(keys, IDC_REMOVE_KEY, "Remove Key Entry", "Nothing selected!", IDOK);
    ClickAnswering(keys, IDC_ADD_KEY, "Add Key Entry", "The key is blank!", IDOK);
    Fill(keys, "gi", "x.exe", "", false);
    ClickAnswering(keys, IDC_ADD_KEY, "Duplicate Notice", "There is already a built-in keyword that uses this key.",
                   IDOK);
    Fill(keys, "Gi", "g.exe", "-g", true);
    Click(keys, IDC_ADD_KEY);
    EXPECT_EQ(ListLines(keys)[1], "Gi\tg.exe=20") << "the list sorts without regard to letter case";
    EXPECT_EQ(SendDlgItemMessageA(keys, IDC_KEY_LIST, LB_GETCURSEL, 0, 0), 1) << "the new line is selected";

    const std::string duplicate = "Duplicate key found: \"zed\"\nModify existing entry with new one?";
    Fill(keys, "zed", "new.exe", "-n", true);
    ClickAnswering(keys, IDC_ADD_KEY, "Duplicate Notice", duplicate, IDNO);
    EXPECT_EQ(keyEntryStore.entries[18].command, "z.exe");
    ClickAnswering(keys, IDC_ADD_KEY, "Duplicate Notice", duplicate, IDYES);
    EXPECT_EQ(keyEntryStore.entries[18].command, "new.exe");
    EXPECT_EQ(ListLines(keys), (Lines{"abc\ta.exe=19", "Gi\tg.exe=20", "zed\tnew.exe=18"}));

    CheckDlgButton(keys, IDC_PROMPT_ME, BST_CHECKED);
    Fill(keys, "new", "n.exe", "", false);
    ClickAnswering(keys, IDC_ADD_KEY, "Verify", "Are you sure you want to add this entry?", IDNO);
    SelectLine(keys, "abc");
    EXPECT_EQ(ItemText(keys, IDC_PAR_FIELD), "-a");
    EXPECT_EQ(IsDlgButtonChecked(keys, IDC_MINIMIZE_AFTER_RUNNING), BST_CHECKED);
    ClickAnswering(keys, IDC_REMOVE_KEY, "Verify", "Are you sure you want to delete this entry?", IDYES);
    EXPECT_EQ(ItemText(keys, IDC_KEY_FIELD), "");
    CheckDlgButton(keys, IDC_PROMPT_ME, BST_UNCHECKED);

    Fill(keys, "abc", "again.exe", "", false);
    Click(keys, IDC_ADD_KEY);
    SelectLine(keys, "Gi");
    Fill(keys, "zed", "second.exe", "", false);
    Click(keys, IDC_MODIFY_KEY);
    Fill(keys, std::string(300, 'k'), "long.exe", "", false);
    Click(keys, IDC_ADD_KEY);
    Click(keys, IDOK);
  });
  ASSERT_EQ(keyEntryStore.entries.size(), 22u) << "the removed abc is gone after Done";
  EXPECT_EQ(keyEntryStore.entries[19].key, "zed");
  EXPECT_EQ(keyEntryStore.entries[19].command, "second.exe") << "Modify keeps a duplicate as typed";
  EXPECT_EQ(keyEntryStore.entries[20].command, "again.exe");
  EXPECT_EQ(keyEntryStore.entries[21].key, std::string(255, 'k'));
  EXPECT_EQ(keyEntryStore.FindByKey("zed"), 18u);
}

TEST_F(BarTest, EditUserKeysPurgesRemovalsHoweverItCloses) {
  StartBar();
  for (const UINT close : {IDOK, IDCANCEL}) {
    keyEntryStore.Append({"gone", "g.exe", "", 0, false, {}});
    InEditKeys([close](HWND keys) {
      SelectLine(keys, "gone");
      Click(keys, IDC_REMOVE_KEY);
      PostMessageA(keys, close == IDOK ? WM_COMMAND : WM_CLOSE, close, 0);
    });
    EXPECT_EQ(keyEntryStore.entries.size(), keyEntryStore.builtinCount) << close;
  }
}
