// The Options and Edit User Keys dialogs, driven as the user drives them.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <string>
#include <tuple>

#include "bar_fixture_win.h"
#include "base/app_state_win.h"
#include "base/exe_folder_win.h"
#include "command/history_file_win.h"
#include "command/typed_line_history.h"
#include "keys/edit_user_keys_dialog_win.h"
#include "keys/key_entry_store.h"
#include "resources/resource.h"
#include "settings/settings_win.h"

namespace {

using Lines = std::vector<std::string>;

// The file name box of the system's Open and Save As dialogs; the size box of its font chooser.
const int CHOOSER_FILE_NAME = 0x47C;
const int FONT_CHOOSER_SIZE = 0x472;

void InOptions(const std::function<void(HWND)>& act) {
  AnswerDialog("Options", act, [] { SendMessageA(appState.mainWindow, WM_COMMAND, IDM_OPTIONS, 0); });
}

// Clicks a button that opens a system chooser, and answers the chooser with OK.
void ChooseWith(HWND dialog, int button, const char* chooserCaption, const std::string& file = "") {
  AnswerDialog(
      chooserCaption,
      [&file](HWND chooser) {
        if (!file.empty()) SetDlgItemTextA(chooser, CHOOSER_FILE_NAME, file.c_str());
        PostMessageA(chooser, WM_COMMAND, IDOK, 0);
      },
      [&] { Click(dialog, button); });
}

void Fill(HWND dialog, const std::string& key, const char* command) {
  SetDlgItemTextA(dialog, IDC_KEY_FIELD, key.c_str());
  SetDlgItemTextA(dialog, IDC_CMD_FIELD, command);
}

// Selects the first line that starts with the text, as a click would.
void SelectLine(HWND dialog, const char* start) {
  SendDlgItemMessageA(dialog, IDC_KEY_LIST, LB_SELECTSTRING, -1, reinterpret_cast<LPARAM>(start));
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_KEY_LIST, LBN_SELCHANGE), 0);
}

// The user's entries "zed" and "abc" (entries 18 and 19), then the dialog: act, and the
// list checked as "key<TAB>command=entry index" lines in the list's order; closed with
// OK or, for IDCANCEL, with its close box.
void InEditUserKeys(const std::function<void(HWND)>& act, const Lines& list, WPARAM close = IDOK) {
  keyEntryStore.entries.resize(keyEntryStore.builtinCount);
  keyEntryStore.Append({"zed", "z.exe", "", 0, false, {}});
  keyEntryStore.Append({"abc", "a.exe", "-a", 7, false, {}});
  AnswerDialog(
      "Edit User Keys",
      [&](HWND keys) {
        act(keys);
        Lines shown;
        for (LRESULT i = 0; i < SendDlgItemMessageA(keys, IDC_KEY_LIST, LB_GETCOUNT, 0, 0); ++i) {
          char text[600] = {};
          SendDlgItemMessageA(keys, IDC_KEY_LIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
          shown.push_back(text + ("=" + std::to_string(SendDlgItemMessageA(keys, IDC_KEY_LIST, LB_GETITEMDATA, i, 0))));
        }
        EXPECT_EQ(shown, list);
        PostMessageA(keys, close == IDOK ? WM_COMMAND : WM_CLOSE, close, 0);
      },
      [] { ShowEditUserKeysDialog(appState.mainWindow); });
}

}  // namespace

TEST_F(BarTest, OptionsTakeTheHotKeyFirstThenTheNumbersClampedAndCancelTakesNothing) {
  struct Case {
    WORD hotKey;          // virtual key, HOTKEYF_ flags in the high byte
    const char* numbers;  // typed into all three number boxes
    const char* refusal;  // empty when OK closes the dialog; else Cancel does
    int32_t snap, inactive, active;
  };
  const WORD ctrlShiftJ = MAKEWORD('J', HOTKEYF_CONTROL | HOTKEYF_SHIFT);
  const Case cases[] = {
      {ctrlShiftJ, "500", "", 128, 100, 100},
      {MAKEWORD(VK_F12, 0), "9", "F12: another program uses it", 128, 100, 100},
      {MAKEWORD('K', 0), "9", "K: add Ctrl, Alt, Shift or Win", 128, 100, 100},
      {ctrlShiftJ, "4294967291", "", 0, 0, 10},  // -5 in a hand-edited file shows so
  };
  ASSERT_TRUE(RegisterHotKey(NULL, 1, 0, VK_F12)) << "held as another program would hold it";
  StartBar();
  for (const Case& c : cases) {
    InOptions([&](HWND options) {
      SendDlgItemMessageA(options, IDC_HOT_KEY, HKM_SETHOTKEY, c.hotKey, 0);
      for (const int box : {IDC_SNAP_STRENGTH, IDC_TRANSLUCENCY_INACTIVE, IDC_TRANSLUCENCY_ACTIVE})
        SetDlgItemTextA(options, box, c.numbers);
      Click(options, IDOK);
      EXPECT_EQ(ControlText(options, IDC_HOT_KEY_REFUSED), c.refusal);
      if (c.refusal[0]) Click(options, IDCANCEL);
    });
    EXPECT_EQ(std::tuple(appSettings.snapStrength, appSettings.translucencyInactive, appSettings.translucencyActive),
              std::tuple(c.snap, c.inactive, c.active))
        << c.refusal;
    EXPECT_FALSE(RegisterHotKey(NULL, 2, MOD_CONTROL | MOD_SHIFT, 'J')) << c.refusal << ": the bar holds its key";
  }
  EXPECT_TRUE(RegisterHotKey(NULL, 2, MOD_CONTROL | MOD_ALT, 'K')) << "the old key is let go";
  for (const int id : {1, 2}) UnregisterHotKey(NULL, id);
}

TEST_F(BarTest, OptionsTakeDefaultsForgetTypedLinesAndChangeTheLookWhileTheRunValueFollowsOnlyARealChange) {
  appSettings.runAtStartup = false;
  appSettings.editFont = {-12, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "DejaVu Sans"};  // a face the chooser lists here
  SetRunAtStartup(false);
  StartBar();
  EnterLine("g one");
  ASSERT_EQ(SaveTypedLines(), 0u);
  InOptions([](HWND options) {
    Click(options, IDC_DEFAULTS);
    CheckDlgButton(options, IDC_REMEMBER_TYPED_LINES, BST_UNCHECKED);
    Click(options, IDOK);
  });
  EXPECT_TRUE(RunValueExists()) << "Defaults switched start at log-on on";
  EXPECT_FALSE(FileExists(HISTORY_FILE));
  EnterLine("g two");
  EXPECT_TRUE(typedLineHistory.Lines().empty()) << "none kept, none remembered while off";

  const HGDIOBJ replaced[] = {GetCurrentObject(appState.skinDC, OBJ_BITMAP), appState.editFontHandle,
                              appState.editBackBrush};
  CopyFileA("sk_default.bmp", "other_skin.bmp", FALSE);
  WriteBytes("bad_skin.bmp", std::string("BM\0\0", 4));
  SetRunAtStartup(false);
  InOptions([&](HWND options) {
    AnswerBox("Application Error", "", IDOK,
              [&] { ChooseWith(options, IDC_CHANGE_SKIN, "Open", ExeFolder() + "bad_skin.bmp"); });
    EXPECT_STREQ(appSettings.skinPath, "sk_default.bmp");
    ChooseWith(options, IDC_CHANGE_SKIN, "Open", ExeFolder() + "other_skin.bmp");
    AnswerDialog(
        "Font",
        [](HWND chooser) {
          EXPECT_EQ(ControlText(chooser, FONT_CHOOSER_SIZE), "9") << "the stored 12 pixels at 96 dpi, at any scale";
          PostMessageA(chooser, WM_COMMAND, IDOK, 0);
        },
        [&] { Click(options, IDC_CHANGE_FONT); });
    ChooseWith(options, IDC_CHANGE_BK_COLOR, "Color");
    Click(options, IDOK);
  });
  EXPECT_FALSE(RunValueExists()) << "no change, so the registry stays alone";
  EXPECT_STREQ(appSettings.skinPath, "other_skin.bmp") << "kept relative to the program's folder";
  for (const HGDIOBJ object : replaced) EXPECT_EQ(GetObjectType(object), 0u) << "each replaced object is deleted";
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(appState.commandEdit, WM_GETFONT, 0, 0)), appState.editFontHandle);
  EXPECT_EQ(appSettings.editFont.height, -12) << "the chooser's answer is stored at 96 dpi";
  for (const char* file : {"other_skin.bmp", "bad_skin.bmp"}) DeleteFileA(file);
}

// Each box and list comes after its label, which names it for screen readers and takes it
// by its underlined letter; each check box has a letter of its own; no letter twice.
TEST_F(BarTest, EveryInputOfTheDialogsHasALabelBeforeItAndNoTwoShareAnUnderlinedLetter) {
  StartBar();
  const std::pair<const char*, void (*)()> dialogs[] = {
      {"Options", [] { SendMessageA(appState.mainWindow, WM_COMMAND, IDM_OPTIONS, 0); }},
      {"Edit User Keys", [] { ShowEditUserKeysDialog(appState.mainWindow); }},
  };
  for (const auto& [caption, open] : dialogs)
    AnswerDialog(
        caption,
        [caption = caption](HWND dialog) {
          std::string letters;
          bool labelled = false;  // the control before was a label with a letter
          for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
            char text[64] = {};
            GetWindowTextA(control, text, sizeof text);
            const char* letter = strchr(text, '&');
            const char key = letter ? static_cast<char>(tolower(letter[1])) : '&';
            EXPECT_TRUE(!letter || letters.find(key) == std::string::npos) << caption << ": " << text;
            letters += key;
            const LRESULT code = SendMessageA(control, WM_GETDLGCODE, 0, 0);
            const bool checkBox =
                code & DLGC_BUTTON && (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX;
            EXPECT_TRUE(!checkBox || letter) << caption << ": " << text;
            // A text box, a list or the hot key wants characters.
            EXPECT_TRUE(!(code & DLGC_WANTCHARS) || labelled) << caption << ": control " << GetDlgCtrlID(control);
            labelled = letter && (code & DLGC_STATIC);
          }
          PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        },
        open);
}

TEST_F(BarTest, EditUserKeysChangesTheStoreAsTheUserAsksAndExportsAndImportsKeyWords) {
  const std::string longKey(254, 'k');
  StartBar();
  InEditUserKeys(
      [&](HWND keys) {  // needs a selection, a key other than a built-in one, and no more than 255 bytes
        ClickAnswering(keys, IDC_MODIFY_KEY, "Modify Key Entry", "Nothing selected!", IDOK);
        ClickAnswering(keys, IDC_REMOVE_KEY, "Remove Key Entry", "Nothing selected!", IDOK);
        ClickAnswering(keys, IDC_ADD_KEY, "Add Key Entry", "The key is blank!", IDOK);
        Fill(keys, "gi", "x.exe");
        ClickAnswering(keys, IDC_ADD_KEY, "Duplicate Notice", "There is already a built-in keyword that uses this key.",
                       IDOK);
        Fill(keys, longKey + "\xC3\xA9", "k.exe");  // 255 characters, 256 bytes: never cut, refused
        ClickAnswering(keys, IDC_ADD_KEY, "Add Key Entry", "The Key field is too long to keep.", IDOK);
        Fill(keys, longKey + "k", "k.exe");
        Click(keys, IDC_ADD_KEY);
        EXPECT_EQ(SendDlgItemMessageA(keys, IDC_KEY_LIST, LB_GETCURSEL, 0, 0), 1) << "the new line is selected";
      },
      {"abc\ta.exe=19", longKey + "k\tk.exe=20", "zed\tz.exe=18"});
  const std::string duplicate = "Duplicate key found: \"zed\"\nModify existing entry with new one?";
  InEditUserKeys(
      [&](HWND keys) {  // asks before a duplicate key changes its entry; Modify takes the key as typed
        Fill(keys, "zed", "new.exe");
        ClickAnswering(keys, IDC_ADD_KEY, "Duplicate Notice", duplicate, IDNO);
        EXPECT_EQ(keyEntryStore.entries[18].command, "z.exe");
        ClickAnswering(keys, IDC_ADD_KEY, "Duplicate Notice", duplicate, IDYES);
        SelectLine(keys, "abc");
        Fill(keys, "zed", "second.exe");
        Click(keys, IDC_MODIFY_KEY);
      },
      {"zed\tnew.exe=18", "zed\tsecond.exe=19"});
  InEditUserKeys(
      [](HWND keys) {  // with Prompt Me asks first; shows and removes the selected entry, then adds its key anew
        CheckDlgButton(keys, IDC_PROMPT_ME, BST_CHECKED);
        Fill(keys, "new", "n.exe");
        ClickAnswering(keys, IDC_ADD_KEY, "Verify", "Are you sure you want to add this entry?", IDNO);
        SelectLine(keys, "abc");
        EXPECT_EQ(ControlText(keys, IDC_PAR_FIELD), "-a") << "the selected entry shown";
        ClickAnswering(keys, IDC_REMOVE_KEY, "Verify", "Are you sure you want to delete this entry?", IDYES);
        Fill(keys, "abc", "b.exe");  // no duplicate of the removed entry
        ClickAnswering(keys, IDC_ADD_KEY, "Verify", "Are you sure you want to add this entry?", IDYES);
      },
      {"abc\tb.exe=20", "zed\tz.exe=18"}, IDCANCEL);
  EXPECT_EQ(std::pair(keyEntryStore.entries.size(), keyEntryStore.entries.back().command),
            std::pair(keyEntryStore.builtinCount + 2, std::string("b.exe")))
      << "the removed entry is gone";
  const std::string file = ExeFolder() + "keys.txt";
  DeleteFileA(file.c_str());  // left by a run that failed, it would bring up the overwrite question
  const std::string moreLines = "gi\tx.exe\t\t0\r\nno\xFFUTF-8\tx.exe\t\t0\r\nnew\tn.exe\t\t0\r\n";
  InEditUserKeys(
      [&](HWND keys) {  // exports the list, then imports it back asking once about the keys it has
        ChooseWith(keys, IDC_EXPORT_KEYS, "Save As", file);
        std::vector<uint8_t> text = FileBytes("keys.txt");
        text.insert(text.end(), moreLines.begin(), moreLines.end());
        WriteBytes("keys.txt", text);
        keyEntryStore.entries[18].command = "old.exe";
        const auto import = [&] { ChooseWith(keys, IDC_IMPORT_KEYS, "Open", file); };
        AnswerBox("Duplicate Notice", "Your list already has 2 ", IDCANCEL, import);
        AnswerBox("Import Key Words",
                  "Added: 1\nReplaced: 2\nSkipped: 2, because\n- the key is a built-in key word: 1\n"
                  "- the line could not be read: 1",
                  IDOK, [&] { AnswerBox("Duplicate Notice", "Your list already has 2 ", IDYES, import); });
      },
      {"abc\ta.exe=19", "new\tn.exe=20", "zed\tz.exe=18"});  // the list shows the result under the summary
  DeleteFileA("keys.txt");
}
