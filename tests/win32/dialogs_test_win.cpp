// The Options and Edit User Keys dialogs, driven as the user drives them.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <string>

#include "bar_fixture_win.h"
#include "base/app_state_win.h"
#include "base/exe_folder_win.h"
#include "command/history_file_win.h"
#include "command/typed_line_history.h"
#include "keys/edit_user_keys_dialog_win.h"
#include "keys/key_entry_store.h"
#include "keys/key_text_format.h"
#include "resources/resource.h"
#include "settings/settings_win.h"

namespace {

using Lines = std::vector<std::string>;

// The file name box of the system's Open dialog.
const int OPEN_FILE_NAME = 0x47C;

void InOptions(const std::function<void(HWND)>& act) {
  AnswerDialog("Options", act, [] { SendMessageA(appState.mainWindow, WM_COMMAND, IDM_OPTIONS, 0); });
}

// Clicks a button that opens a system chooser, and answers the chooser with OK.
void ChooseWith(HWND dialog, int button, const char* chooserCaption, const std::string& file = "") {
  AnswerDialog(
      chooserCaption,
      [&file](HWND chooser) {
        if (!file.empty()) SetDlgItemTextA(chooser, OPEN_FILE_NAME, file.c_str());
        PostMessageA(chooser, WM_COMMAND, IDOK, 0);
      },
      [&] { Click(dialog, button); });
}

bool RunValueExists() {
  HKEY key;
  RegOpenKeyA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", &key);
  const bool exists = RegQueryValueExA(key, "pellomar.exe", NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
  RegCloseKey(key);
  return exists;
}

void Fill(HWND dialog, const std::string& key, const char* command) {
  SetDlgItemTextA(dialog, IDC_KEY_FIELD, key.c_str());
  SetDlgItemTextA(dialog, IDC_CMD_FIELD, command);
}

// Selects the first line that starts with the text, as a click would.
void SelectLine(HWND dialog, const char* start) {
  const LRESULT line = SendDlgItemMessageA(dialog, IDC_KEY_LIST, LB_FINDSTRING, -1, reinterpret_cast<LPARAM>(start));
  SendDlgItemMessageA(dialog, IDC_KEY_LIST, LB_SETCURSEL, line, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_KEY_LIST, LBN_SELCHANGE), 0);
}

// The list as "key<TAB>command=entry index", in the list's order.
Lines ListLines(HWND dialog) {
  Lines lines;
  for (LRESULT i = 0; i < SendDlgItemMessageA(dialog, IDC_KEY_LIST, LB_GETCOUNT, 0, 0); ++i) {
    char text[600] = {};
    SendDlgItemMessageA(dialog, IDC_KEY_LIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    lines.push_back(text + ("=" + std::to_string(SendDlgItemMessageA(dialog, IDC_KEY_LIST, LB_GETITEMDATA, i, 0))));
  }
  return lines;
}

Lines UserEntries() {
  Lines entries;
  for (size_t i = keyEntryStore.builtinCount; i < keyEntryStore.entries.size(); ++i)
    entries.push_back(keyEntryStore.entries[i].key + "=" + keyEntryStore.entries[i].command);
  return entries;
}

void InEditUserKeys(const std::function<void(HWND)>& act) {
  AnswerDialog(
      "Edit User Keys",
      [&](HWND keys) {
        act(keys);
        PostMessageA(keys, WM_COMMAND, IDOK, 0);
      },
      [] { ShowEditUserKeysDialog(appState.mainWindow); });
}

// Answers a message box after checking its text.
std::function<void(HWND)> Answer(const std::string& text, int button) {
  return [text, button](HWND box) {
    EXPECT_EQ(ItemText(box, 0xFFFF), text);
    PostMessageA(box, WM_COMMAND, button, 0);
  };
}

}  // namespace

TEST_F(BarTest, OptionsTakeNumbersAndBoxesOnOkClampedAndDropThemOnCancel) {
  StartBar();
  struct Case {
    const char* typed;  // into all three number boxes
    int button;
    int32_t snap, inactive, active;
  };
  const Case cases[] = {
      {"", IDOK, 0, 0, 10},           {"500", IDOK, 128, 100, 100},
      {"4294967291", IDOK, 0, 0, 10},  // -5 in a hand-edited file shows so
      {"5", IDOK, 5, 5, 10},          {"9", IDCANCEL, 5, 5, 10},
  };
  for (const Case& c : cases) {
    InOptions([&](HWND options) {
      for (const int box : {IDC_SNAP_STRENGTH, IDC_TRANSLUCENCY_INACTIVE, IDC_TRANSLUCENCY_ACTIVE})
        SetDlgItemTextA(options, box, c.typed);
      CheckDlgButton(options, IDC_MINIMIZE_ALWAYS, BST_CHECKED);
      Click(options, c.button);
    });
    EXPECT_EQ(appSettings.snapStrength, c.snap) << c.typed;
    EXPECT_EQ(appSettings.translucencyInactive, c.inactive) << c.typed;
    EXPECT_EQ(appSettings.translucencyActive, c.active) << c.typed;
    EXPECT_TRUE(appSettings.minimizeAlways);
  }
}

TEST_F(BarTest, OptionsDefaultsFillTheDialogAndTheRunValueFollowsOnlyARealChange) {
  appSettings.runAtStartup = false;
  appSettings.minimizeAlways = true;
  appSettings.rememberTypedLines = false;
  SetRunAtStartup(false);
  StartBar();
  InOptions([](HWND options) {
    Click(options, IDC_DEFAULTS);
    Click(options, IDOK);
  });
  EXPECT_EQ(appSettings.snapStrength, 30);
  EXPECT_EQ(appSettings.translucencyInactive, 28);
  EXPECT_EQ(appSettings.translucencyActive, 78);
  EXPECT_TRUE(appSettings.runAtStartup && appSettings.saveLastPosition && appSettings.defaultSearchEnabled &&
              appSettings.rememberTypedLines);
  EXPECT_FALSE(appSettings.minimizeAlways);
  EXPECT_TRUE(RunValueExists()) << "start at log-on was switched on";
  SetRunAtStartup(false);
  InOptions([](HWND options) { Click(options, IDOK); });
  EXPECT_FALSE(RunValueExists()) << "no change, so the registry stays alone";
}

TEST_F(BarTest, UncheckingRememberTypedLinesForgetsThemAndTheirFileAtOk) {
  StartBar();
  EnterLine("g one");
  ASSERT_EQ(SaveTypedLines(), 0u);
  InOptions([](HWND options) {
    CheckDlgButton(options, IDC_REMEMBER_TYPED_LINES, BST_UNCHECKED);
    Click(options, IDOK);
  });
  EXPECT_FALSE(FileExists(HISTORY_FILE));
  EnterLine("g two");
  EXPECT_TRUE(typedLineHistory.Lines().empty()) << "none kept, none remembered while off";
}

TEST_F(BarTest, OptionsChangeSkinFontAndColourAtOnceAndRefuseABadSkin) {
  StartBar();
  const HGDIOBJ replaced[] = {GetCurrentObject(appState.skinDC, OBJ_BITMAP), appState.editFontHandle,
                              appState.editBackBrush};
  CreateDirectoryA("skins", NULL);
  CopyFileA("sk_default.bmp", "skins\\skin.bmp", FALSE);
  WriteBytes("skins\\bad.bmp", {'B', 'M', 0, 0});
  InOptions([&](HWND options) {
    AnswerDialog(
        "Application Error", [](HWND box) { PostMessageA(box, WM_COMMAND, IDOK, 0); },
        [&] { ChooseWith(options, IDC_CHANGE_SKIN, "Open", ExeFolder() + "skins\\bad.bmp"); });
    EXPECT_STREQ(appSettings.skinPath, "sk_default.bmp");
    ChooseWith(options, IDC_CHANGE_SKIN, "Open", ExeFolder() + "skins\\skin.bmp");
    ChooseWith(options, IDC_CHANGE_FONT, "Font");
    ChooseWith(options, IDC_CHANGE_BK_COLOR, "Color");
    Click(options, IDCANCEL);
  });
  EXPECT_STREQ(appSettings.skinPath, "skins\\skin.bmp") << "kept relative to the program's folder";
  for (const HGDIOBJ object : replaced) EXPECT_EQ(GetObjectType(object), 0u) << "each replaced object is deleted";
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(appState.commandEdit, WM_GETFONT, 0, 0)), appState.editFontHandle);
  SetWorkingDirectoryToExe();
  for (const char* file : {"skins\\skin.bmp", "skins\\bad.bmp"}) DeleteFileA(file);
  RemoveDirectoryA("skins");
}

TEST_F(BarTest, OptionsMoveTheHotKeyOnlyToAKeyTheBarCanHave) {
  struct Case {
    WORD typed;           // virtual key, HOTKEYF_ flags in the high byte
    bool heldByTest;      // as another program would hold it
    const char* refusal;  // empty when OK closes the dialog
  };
  const Case cases[] = {
      {MAKEWORD('J', HOTKEYF_CONTROL | HOTKEYF_SHIFT), false, ""},
      {MAKEWORD(VK_F12, 0), true, "F12: another program uses it"},
      {MAKEWORD('K', 0), false, "K: add Ctrl, Alt, Shift or Win"},
      {0, false, "None: another program may hold that key"},
  };
  StartBar();
  WORD shown = MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT);
  for (const Case& c : cases) {
    appSettings.snapStrength = 25;
    EXPECT_TRUE(!c.heldByTest || RegisterHotKey(NULL, 1, 0, LOBYTE(c.typed)));
    InOptions([&](HWND options) {
      EXPECT_EQ(SendDlgItemMessageA(options, IDC_HOT_KEY, HKM_GETHOTKEY, 0, 0), shown) << "the bar's key at opening";
      SendDlgItemMessageA(options, IDC_HOT_KEY, HKM_SETHOTKEY, c.typed, 0);
      SetDlgItemTextA(options, IDC_SNAP_STRENGTH, "77");
      Click(options, IDOK);
      EXPECT_EQ(ItemText(options, IDC_HOT_KEY_REFUSED), c.refusal);
      if (c.refusal[0]) Click(options, IDCANCEL);
    });
    UnregisterHotKey(NULL, 1);
    EXPECT_EQ(appSettings.snapStrength, c.refusal[0] ? 25 : 77) << c.refusal << ": a refused OK takes nothing";
    EXPECT_FALSE(RegisterHotKey(NULL, 2, MOD_CONTROL | MOD_SHIFT, 'J')) << c.refusal << ": the bar holds its key";
    EXPECT_EQ(GetLastError(), 1409u);
    shown = cases[0].typed;
  }
  EXPECT_TRUE(RegisterHotKey(NULL, 2, MOD_CONTROL | MOD_ALT, 'K')) << "the old key is let go";
  UnregisterHotKey(NULL, 2);
}

TEST_F(BarTest, EditUserKeysChangesTheStoreAsTheUserAsks) {
  const std::string duplicate = "Duplicate key found: \"zed\"\nModify existing entry with new one?";
  const std::string longKey(255, 'k');
  struct Case {
    const char* name;
    std::function<void(HWND)> act;
    WPARAM close;
    Lines list;     // once the act is done
    Lines entries;  // once the dialog has closed
  };
  const Case cases[] = {
      {"needs a selection and a key",
       [](HWND keys) {
         ClickAnswering(keys, IDC_MODIFY_KEY, "Modify Key Entry", "Nothing selected!", IDOK);
         ClickAnswering(keys, IDC_REMOVE_KEY, "Remove Key Entry", "Nothing selected!", IDOK);
         ClickAnswering(keys, IDC_ADD_KEY, "Add Key Entry", "The key is blank!", IDOK);
       },
       IDOK,
       {"abc\ta.exe=19", "zed\tz.exe=18"},
       {"zed=z.exe", "abc=a.exe"}},
      {"refuses a built-in key but not another letter case, and cuts a key to 255 bytes",
       [&](HWND keys) {
         Fill(keys, "gi", "x.exe");
         ClickAnswering(keys, IDC_ADD_KEY, "Duplicate Notice",
                        "There is already a built-in keyword that uses this key.", IDOK);
         Fill(keys, "Gi", "g.exe");
         Click(keys, IDC_ADD_KEY);
         EXPECT_EQ(SendDlgItemMessageA(keys, IDC_KEY_LIST, LB_GETCURSEL, 0, 0), 1) << "the new line is selected";
         Fill(keys, longKey + "kk", "k.exe");
         Click(keys, IDC_ADD_KEY);
       },
       IDOK,
       {"abc\ta.exe=19", "Gi\tg.exe=20", longKey + "\tk.exe=21", "zed\tz.exe=18"},
       {"zed=z.exe", "abc=a.exe", "Gi=g.exe", longKey + "=k.exe"}},
      {"asks before a duplicate key changes its entry",
       [&](HWND keys) {
         Fill(keys, "zed", "new.exe");
         ClickAnswering(keys, IDC_ADD_KEY, "Duplicate Notice", duplicate, IDNO);
         EXPECT_EQ(keyEntryStore.entries[18].command, "z.exe");
         ClickAnswering(keys, IDC_ADD_KEY, "Duplicate Notice", duplicate, IDYES);
       },
       IDOK,
       {"abc\ta.exe=19", "zed\tnew.exe=18"},
       {"zed=new.exe", "abc=a.exe"}},
      {"with Prompt Me asks first; shows and removes the selected entry",
       [](HWND keys) {
         CheckDlgButton(keys, IDC_PROMPT_ME, BST_CHECKED);
         Fill(keys, "new", "n.exe");
         ClickAnswering(keys, IDC_ADD_KEY, "Verify", "Are you sure you want to add this entry?", IDNO);
         SelectLine(keys, "abc");
         EXPECT_EQ(ItemText(keys, IDC_PAR_FIELD), "-a");
         EXPECT_EQ(IsDlgButtonChecked(keys, IDC_MINIMIZE_AFTER_RUNNING), BST_CHECKED);
         ClickAnswering(keys, IDC_REMOVE_KEY, "Verify", "Are you sure you want to delete this entry?", IDYES);
         EXPECT_EQ(ItemText(keys, IDC_KEY_FIELD), "");
       },
       IDCANCEL,
       {"zed\tz.exe=18"},
       {"zed=z.exe"}},
      {"modifies the selected entry to the key as typed",
       [](HWND keys) {
         SelectLine(keys, "abc");
         Fill(keys, "zed", "second.exe");
         Click(keys, IDC_MODIFY_KEY);
       },
       IDOK,
       {"zed\tsecond.exe=19", "zed\tz.exe=18"},
       {"zed=z.exe", "zed=second.exe"}},
  };
  StartBar();
  for (const Case& c : cases) {
    keyEntryStore.entries.resize(keyEntryStore.builtinCount);
    keyEntryStore.Append({"zed", "z.exe", "", 0, false, {}});
    keyEntryStore.Append({"abc", "a.exe", "-a", 7, false, {}});
    AnswerDialog(
        "Edit User Keys",
        [&](HWND keys) {
          c.act(keys);
          EXPECT_EQ(ListLines(keys), c.list) << c.name;
          PostMessageA(keys, c.close == IDOK ? WM_COMMAND : WM_CLOSE, c.close, 0);
        },
        [] { ShowEditUserKeysDialog(appState.mainWindow); });
    EXPECT_EQ(UserEntries(), c.entries) << c.name;
  }
}

TEST_F(BarTest, EditUserKeysImportAsksOnceForKeysTheListHas) {
  const std::string question =
      "Your list already has 2 of the file's key words.\n\nYes: replace them all with the file's.\n"
      "No: skip them all and keep yours.\nCancel: import nothing.";
  const std::string file =
      std::string(KEY_TEXT_HEADER) +
      "\r\nzed\tnew.exe\t\t1\r\ngi\tx.exe\t\t0\r\nunreadable\r\nnew\tn.exe\t\t0\r\nabc\tb.exe\t\t0";
  WriteBytes("import.txt", std::vector<uint8_t>(file.begin(), file.end()));
  struct Case {
    int answer;
    const char* summary;  // none after a cancel
    Lines entries;
  };
  const Case cases[] = {
      {IDYES,
       "Added: 1\nReplaced: 2\nSkipped: 2, because\n- the key is a built-in key word: 1\n"
       "- the line could not be read: 1",
       {"zed=new.exe", "abc=b.exe", "new=n.exe"}},
      {IDNO,
       "Added: 1\nReplaced: 0\nSkipped: 4, because\n- the key is a built-in key word: 1\n"
       "- the key is already in your list: 2\n- the line could not be read: 1",
       {"zed=z.exe", "abc=a.exe", "new=n.exe"}},
      {IDCANCEL, nullptr, {"zed=z.exe", "abc=a.exe"}},
  };
  StartBar();
  for (const Case& c : cases) {
    keyEntryStore.entries.resize(keyEntryStore.builtinCount);
    keyEntryStore.Append({"zed", "z.exe", "", 0, false, {}});
    keyEntryStore.Append({"abc", "a.exe", "-a", 7, false, {}});
    InEditUserKeys([&](HWND keys) {
      const auto import = [&] {
        AnswerDialog("Duplicate Notice", Answer(question, c.answer),
                     [&] { ChooseWith(keys, IDC_IMPORT_KEYS, "Open", ExeFolder() + "import.txt"); });
      };
      if (c.summary)
        AnswerDialog("Import Key Words", Answer(c.summary, IDOK), import);
      else
        import();
      EXPECT_EQ(ListLines(keys).size(), c.entries.size()) << "the list shows the result under the summary";
    });
    EXPECT_EQ(UserEntries(), c.entries) << c.answer;
  }

  DeleteFileA("import.txt");
}
